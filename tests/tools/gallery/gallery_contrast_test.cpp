// Readability of the gallery under each skin. Every caption of every page
// is seen on the screen twice: as it is, and with its text taken away. The
// pixels that differ are the text's; the contrast of its ink (relative
// luminance, as the accessibility guidelines compute it) against what the
// blank picture shows at the same place must reach 4.5:1, and its strongest
// pixel, smoothed as it is drawn, 3:1. The lowest caption of each page is
// printed, so that a change can be compared with the figures before it.
#include "framework/ui/win32.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/core/utf8.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_tabs.h"
#include "skin/window/skin_engine.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tools/gallery/gallery_form.h"
#include "tools/gallery/gallery_options.h"

namespace {

constexpr double kLeastContrast = 4.5;
// The strongest text pixel itself, smoothed as it is, must reach this.
constexpr double kLeastVisible = 3.0;

// Relative luminance of an sRGB colour.
double Luminance(uint32_t rgb) {
    auto channel = [](uint32_t v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel((rgb >> 16) & 0xFF) + 0.7152 * channel((rgb >> 8) & 0xFF) +
           0.0722 * channel(rgb & 0xFF);
}

double Contrast(uint32_t a, uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Small fonts are drawn smoothed: a stroke seldom covers a whole pixel, so
// no pixel shows the ink itself. The ink is taken as the far end of the
// line from the background through the text's strongest pixel, where it
// leaves the colour cube. (Dark ink on a dark face stays dark, and fails.)
uint32_t InkColour(uint32_t text, uint32_t back) {
    double t = 1e9;
    for (int shift : {16, 8, 0}) {
        const double p = (text >> shift) & 0xFF, b = (back >> shift) & 0xFF;
        if (p > b)
            t = std::min(t, (255 - b) / (p - b));
        else if (p < b)
            t = std::min(t, b / (b - p));
    }
    uint32_t ink = 0;
    for (int shift : {16, 8, 0}) {
        const double p = (text >> shift) & 0xFF, b = (back >> shift) & 0xFF;
        const double v = std::clamp(b + t * (p - b), 0.0, 255.0);
        ink |= static_cast<uint32_t>(std::lround(v)) << shift;
    }
    return ink;
}

// The screen's pixels in a rectangle, as 0xRRGGBB.
std::vector<uint32_t> Grab(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    TBitmap shot(w, h);
    {
        TClientDC screen(nullptr);
        BitBlt(shot.Canvas().Handle(), 0, 0, w, h, screen.Handle(), r.left, r.top, SRCCOPY);
    }
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const uint8_t* p = shot.ScanLine(y);
        for (int x = 0; x < w; ++x, p += 4)
            pixels.push_back((uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0]);
    }
    return pixels;
}

// What the screen shows once two looks a moment apart agree (the platform
// puts painted windows on the screen in its own time).
std::vector<uint32_t> Settled(const RECT& r) {
    std::vector<uint32_t> last = Grab(r), now;
    PumpUntil(
        [&] {
            PumpMessages(30);
            now = Grab(r);
            const bool same = now == last;
            last = now;
            return same;
        },
        5000);
    return last;
}

// A text's contrast against its background: its ink's, and its strongest
// pixel's as the screen shows it.
struct TTextContrast {
    double ink = 0;
    double visible = 0;
};

// The text seen with its text and without it (`blank` takes it away,
// `restore` puts it back). Zero when taking the text away changed nothing
// on the screen.
TTextContrast TextContrast(const RECT& r, const std::function<void()>& blank,
                           const std::function<void()>& restore) {
    const std::vector<uint32_t> with = Settled(r);
    blank();
    std::vector<uint32_t> without;
    PumpUntil(
        [&] {
            without = Grab(r);
            return without != with;
        },
        5000);
    without = Settled(r);
    restore();
    double best = 0;
    size_t at = 0;
    for (size_t i = 0; i < with.size() && i < without.size(); ++i)
        if (with[i] != without[i] && Contrast(with[i], without[i]) > best) {
            best = Contrast(with[i], without[i]);
            at = i;
        }
    if (best == 0)
        return {};
    return {Contrast(InkColour(with[at], without[at]), without[at]), best};
}

// The control's rectangle on the screen, when all of it is in view.
bool VisibleRect(TControl& c, RECT& out) {
    const POINT origin = c.ClientToScreen(POINT{0, 0});
    out = RECT{origin.x, origin.y, origin.x + c.Width(), origin.y + c.Height()};
    for (TWinControl* p = c.Parent(); p; p = p->Parent()) {
        RECT client{};
        GetClientRect(p->Handle(), &client);
        MapWindowPoints(p->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        RECT both{};
        if (!IntersectRect(&both, &out, &client) || !EqualRect(&both, &out))
            return false;
    }
    return out.right > out.left && out.bottom > out.top;
}

// The captioned controls of a page, nested ones included.
void Captioned(TWinControl& parent, std::vector<TControl*>& out) {
    static const std::set<std::string> kinds = {"TButton",   "TBitBtn",      "TSpeedButton",
                                                "TCheckBox", "TRadioButton", "TPanel",
                                                "TGroupBox", "TRadioGroup",  "TToolButton"};
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        if (!c->Visible())
            continue;
        if (kinds.count(c->ClassName()) && c->Enabled() && !c->Caption().empty())
            out.push_back(c);
        if (auto* w = dynamic_cast<TWinControl*>(c))
            Captioned(*w, out);
    }
}

struct TCaptionFigure {
    std::string name;
    TTextContrast contrast;
};

// The platform message box's text, measured from a thread timer that the
// box's modal loop dispatches; the box is then cancelled.
TCaptionFigure gBoxFigure;
UINT_PTR gBoxTimer = 0;

void CALLBACK MeasureMessageBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowW(L"#32770", TForm_Gallery::kMessageTitle);
    if (!box || !IsWindowVisible(box))
        return;
    KillTimer(nullptr, gBoxTimer);
    HWND text = nullptr;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(c, cls, 32);
        if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextLengthW(c) > 0)
            text = c;
    }
    RECT r{};
    if (text && GetWindowRect(text, &r)) {
        wchar_t saved[256] = {};
        GetWindowTextW(text, saved, 256);
        gBoxFigure.contrast = TextContrast(
            r, [text] { SetWindowTextW(text, L""); },
            [text, &saved] { SetWindowTextW(text, saved); });
    }
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

TCaptionFigure MessageBoxText(TForm_Gallery& form) {
    gBoxFigure = TCaptionFigure{"message box text", {}};
    gBoxTimer = SetTimer(nullptr, 0, 100, &MeasureMessageBox);
    form.ShowMessageBox();
    KillTimer(nullptr, gBoxTimer);
    return gBoxFigure;
}

// Sets a header item's text.
void SetHeaderText(HWND header, int index, const std::wstring& text) {
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// The item captions of the page's column headers: a header control's own,
// and a list view's.
void HeaderFigures(TWinControl& page, std::vector<TCaptionFigure>& figures) {
    for (int i = 0; i < page.ControlCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(page.Controls(i));
        if (!c || !c->Visible())
            continue;
        HWND header = nullptr;
        if (std::string(c->ClassName()) == "THeaderControl")
            header = c->Handle();
        else if (std::string(c->ClassName()) == "TListView")
            header = reinterpret_cast<HWND>(SendMessageW(c->Handle(), LVM_GETHEADER, 0, 0));
        const int count =
            header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
        for (int k = 0; k < count; ++k) {
            RECT r{};
            SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(k),
                         reinterpret_cast<LPARAM>(&r));
            MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&r), 2);
            wchar_t text[100] = {};
            HDITEMW item{};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = 100;
            SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(k),
                         reinterpret_cast<LPARAM>(&item));
            const std::wstring caption = text;
            if (caption.empty())
                continue;
            figures.push_back({c->Name() + " column " + std::to_string(k + 1),
                               TextContrast(
                                   r, [header, k] { SetHeaderText(header, k, L""); },
                                   [header, k, caption] { SetHeaderText(header, k, caption); })});
        }
    }
}

std::vector<TCaptionFigure> PageFigures(TForm_Gallery& form, const std::wstring& page) {
    std::vector<TCaptionFigure> figures;
    if (page == L"MessageBox")
        figures.push_back(MessageBoxText(form));
    std::vector<TControl*> controls;
    Captioned(*form.Pages->ActivePage(), controls);
    for (TControl* c : controls) {
        RECT r{};
        if (!VisibleRect(*c, r))
            continue;
        const std::wstring caption = c->Caption();
        figures.push_back({c->Name(), TextContrast(
                                          r, [c] { c->SetCaption(L""); },
                                          [c, caption] { c->SetCaption(caption); })});
    }
    HeaderFigures(*form.Pages->ActivePage(), figures);
    return figures;
}

// Every page under one skin: the lowest caption per page printed, and every
// caption held to the least contrast.
void CheckEveryPage(TGallerySkin skin, const char* skinName) {
    InstallSkinEngine();
    TSkinManage::Install();
    auto form = std::make_unique<TForm_Gallery>(Application);
    form->Show();
    ASSERT_TRUE(form->Skins().UseEmbedded(skin));
    form->Skins().SetSkinning(true);
    // Skinning starts on the manager's deferred timer; the contents are
    // skinned once the form skinner says so.
    ASSERT_TRUE(PumpUntil(
        [&] {
            TFormSkinnerBase* s = TSkinManage::Instance(false)->FindFormSkinner(form->Handle());
            return s && s->State() == TFormSkinnerState::Skinned;
        },
        10000));
    PumpPending();
    int pagesWithCaptions = 0;
    for (const std::wstring& page : GalleryPageNames()) {
        ASSERT_TRUE(form->ShowPage(page));
        SetForegroundWindow(form->Handle());
        PumpPending();
        const std::vector<TCaptionFigure> figures = PageFigures(*form, page);
        if (figures.empty()) {
            std::printf("contrast %s %ls: no captions\n", skinName, page.c_str());
            continue;
        }
        ++pagesWithCaptions;
        const auto lowest = std::min_element(figures.begin(), figures.end(),
                                             [](const TCaptionFigure& a, const TCaptionFigure& b) {
                                                 return a.contrast.ink < b.contrast.ink;
                                             });
        double visible = 1e9;
        for (const TCaptionFigure& f : figures)
            visible = std::min(visible, f.contrast.visible);
        std::printf("contrast %s %ls: lowest %.2f (%s) of %zu captions; strongest pixel lowest "
                    "%.2f\n",
                    skinName, page.c_str(), lowest->contrast.ink, lowest->name.c_str(),
                    figures.size(), visible);
        const std::string where = std::string(skinName) + " page " + WideToUtf8(page);
        for (const TCaptionFigure& f : figures) {
            EXPECT_GE(f.contrast.ink, kLeastContrast) << where << " caption " << f.name;
            EXPECT_GE(f.contrast.visible, kLeastVisible) << where << " caption " << f.name;
        }
    }
    std::fflush(stdout);
    // Buttons, checks, panels, views (column headers), tool bar, and the
    // buttons of the MDI, menu and message-box pages; the other pages show
    // no captions.
    EXPECT_EQ(pagesWithCaptions, 8);
    form.reset();
    TSkinManage::Finalize();
}

} // namespace

// The formula's own figures: black on white is 21:1, a colour on itself
// 1:1, and the guidelines' grey #767676 on white just passes 4.5:1.
TEST(GalleryContrast, FormulaFigures) {
    EXPECT_NEAR(Contrast(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(Contrast(0x3A3D42, 0x3A3D42), 1.0, 1e-9);
    EXPECT_NEAR(Contrast(0x767676, 0xFFFFFF), 4.54, 0.01);
    EXPECT_LT(Contrast(0x000000, 0x3A3D42), kLeastContrast);
    // A smoothed black stroke on a light face is black ink; a smoothed dark
    // stroke on the dark face stays dark ink.
    EXPECT_EQ(InkColour(0x767673, 0xF3F3ED), 0x000000u);
    EXPECT_LT(Contrast(InkColour(0x1A1B1D, 0x3A3D42), 0x3A3D42), kLeastContrast);
}

TEST(GalleryContrast, EveryCaptionReadableUnderXPLuna) {
    CheckEveryPage(TGallerySkin::XPLuna, "XPLuna");
}

TEST(GalleryContrast, EveryCaptionReadableUnderGraphite) {
    CheckEveryPage(TGallerySkin::Graphite, "Graphite");
}
