// Shared pieces of the popup-menu tests: a skin with known menu pictures
// and colours, a form with a popup and a main menu, real item structures
// and pixel counters.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/image_list.h"
#include "framework/gdi/screen_text.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/messages.h"
#include "skin/window/caption_buttons.h"
#include "skin/window/form_skinner.h"
#include "skin/window/menu_items.h"
#include "skin/window/popup_menu.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace popup_test {

// Skin colours ([Colours] "R G B" gives 0x00BBGGRR).
constexpr TColor kMenu = 0x00302010;        // Menu 16 32 48
constexpr TColor kMenuText = 0x00F0E0D0;    // MenuText 208 224 240
constexpr TColor kHilight = 0x00203040;     // Hilight 64 48 32
constexpr TColor kHilightText = 0x0000FFFF; // HilightText 255 255 0
constexpr TColor kShadow = 0x00A0A0FF;      // ButtonShadow 255 160 160
// MenuItem picture (5 frames of 20 x 20): frame 1 kFrame1, frame 4 kFrame4;
// frame 2 magenta above row 14 and, from row 14 down, kCap in its 3 left
// columns and kBand elsewhere.
constexpr TColor kFrame1 = 0x00A05000;
constexpr TColor kFrame4 = 0x000060C0;
constexpr TColor kCap = 0x00003399;
constexpr TColor kBand = 0x00336600;
constexpr TColor kMagenta = 0x00FF00FF;
constexpr int kItemMargin = 3;

// MenuBackground 8 x 8, tiled: pixel (x, y) of the popup is Background(x % 8, y % 8).
inline TColor Background(int x, int y) {
    return 0x00400000u | static_cast<TColor>((y % 8) * 20 + 10) << 8 |
           static_cast<TColor>((x % 8) * 20 + 10);
}

struct TSkinShape {
    bool MenuItem = true;
    bool MenuBackground = true;
    bool TransparentItem = false; // frame 1 all magenta, drawn with Trans
    bool ShadowIsMenuText = false;
};

inline std::vector<uint8_t> PopupSkin(const TSkinShape& s) {
    std::string ini = "[Colours]\nMenu=16 32 48\nHilight=64 48 32\nHilightText=255 255 0\n";
    ini += s.ShadowIsMenuText ? "MenuText=255 160 160\n" : "MenuText=208 224 240\n";
    ini += "ButtonShadow=255 160 160\n";
    std::vector<TSkinArchiveFile> files;
    if (s.MenuItem) {
        ini += "[MenuItem]\nImage=item.bmp\nLeftWidth=3\nRightWidth=3\n";
        ini += s.TransparentItem ? "Trans=1\n" : "";
        const bool clear = s.TransparentItem;
        files.push_back(model_test::Entry(
            "item.bmp", model_test::Bmp24(100, 20, [clear](int x, int y) -> uint32_t {
                const int frame = x / 20 + 1;
                if (frame == 1)
                    return clear ? kMagenta : kFrame1;
                if (frame == 2)
                    return y < 14 ? kMagenta : (x - 20 < 3 ? kCap : kBand);
                return frame == 4 ? kFrame4 : 0x00777777u;
            })));
    }
    if (s.MenuBackground) {
        ini += "[MenuBackground]\nImage=bg.bmp\nTile=1\n";
        files.push_back(model_test::Entry(
            "bg.bmp",
            model_test::Bmp24(8, 8, [](int x, int y) -> uint32_t { return Background(x, y); })));
    }
    files.insert(files.begin(), model_test::IniEntry(ini));
    return PackSkinArchive(files);
}

// A form owning a popup menu: Open (Ctrl+O), a separator, Checked (checked),
// Pictured (checked, image 0), Greyed (disabled) and Main (default).
class TPopupForm : public TForm {
public:
    explicit TPopupForm(TComponent* owner) : TForm(owner) {
        SetBounds(150, 150, 300, 200);
        Popup = new TPopupMenu(this);
        Open = Add(Popup->Items(), L"&Open");
        Open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
        Line = Add(Popup->Items(), L"-");
        Checked = Add(Popup->Items(), L"Checked");
        Checked->SetChecked(true);
        Pictured = Add(Popup->Items(), L"Pictured");
        Pictured->SetChecked(true);
        Pictured->SetImageIndex(0);
        Greyed = Add(Popup->Items(), L"Greyed");
        Greyed->SetEnabled(false);
        Main = new TMainMenu(this);
        File = Add(Main->Items(), L"&File");
        Save = Add(File, L"&Save");
        Own = Add(File, L"Own");
        Own->OnAdvancedDrawItem = [](TObject*, TCanvas*, RECT, TOwnerDrawState) {};
    }
    TMenuItem* Add(TMenuItem* parent, const wchar_t* caption) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    TPopupMenu* Popup;
    TMainMenu* Main;
    TMenuItem *Open, *Line, *Checked, *Pictured, *Greyed, *File, *Save, *Own;
};

// A real DRAWITEMSTRUCT for a framework item drawn into `dc`.
inline DRAWITEMSTRUCT DrawStruct(TMenuItem& item, HDC dc, RECT rect, bool selected) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = item.Command();
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = selected ? ODS_SELECTED : 0;
    dis.hwndItem = reinterpret_cast<HWND>(item.Parent() ? item.Parent()->Handle() : nullptr);
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = reinterpret_cast<ULONG_PTR>(&item);
    return dis;
}

inline int Count(TCanvas& c, const RECT& r, TColor colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += static_cast<uint32_t>(c.Pixel(x, y)) == ColorToRGB(colour);
    return n;
}

// Pixels of text drawn in `text` over `background`: the font is smoothed,
// so a text pixel is `background` blended at least half way toward `text`,
// the same fraction in every channel.
inline int CountText(TCanvas& c, const RECT& r, TColor background, TColor text) {
    const uint32_t b = ColorToRGB(background), t = ColorToRGB(text);
    auto ch = [](uint32_t v, int i) { return static_cast<int>((v >> (8 * i)) & 0xFF); };
    int widest = 0;
    for (int i = 1; i < 3; ++i)
        if (std::abs(ch(t, i) - ch(b, i)) > std::abs(ch(t, widest) - ch(b, widest)))
            widest = i;
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const uint32_t p = static_cast<uint32_t>(c.Pixel(x, y));
            const double a =
                double(ch(p, widest) - ch(b, widest)) / (ch(t, widest) - ch(b, widest));
            bool fits = a >= 0.5 && a <= 1.0;
            for (int i = 0; i < 3 && fits; ++i)
                fits = std::abs(ch(p, i) - (ch(b, i) + a * (ch(t, i) - ch(b, i)))) <= 4;
            n += fits;
        }
    return n;
}

// The caption's size as the content drawing measures it.
inline SIZE CaptionSize(const std::wstring& caption) {
    const LOGFONTW lf = MenuLogFont();
    TFontHandle font(CreateFontIndirectW(&lf));
    TScreenTextDC dc(font.Get());
    const RECT r = dc.MeasureText(caption, RECT{}, DT_NOCLIP | DT_SINGLELINE | DT_EXPANDTABS);
    return {r.right - r.left, r.bottom - r.top};
}

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TSkinManage::Finalize();
        TSkinManage::Install();
        InstallPopupMenuSkins();
    }
    void TearDown() override {
        TSkinManage::Finalize();
        TSkinManage::SetPopupSkinnerFactory(nullptr);
        TWinSkinForm::SetSkinnedSystemMenu(false);
    }
    TSkinData* Load(TComponent* owner, const TSkinShape& shape) {
        auto* d = new TSkinData(owner);
        EXPECT_TRUE(model_test::LoadBytes(*d, PopupSkin(shape)));
        return d;
    }
    // The default skin drawing the form's popup menu, which gets `images`.
    TSkinData* SkinWithImages(TPopupForm& form, TImageList& images) {
        TSkinData* data = Load(&form, {});
        AddImages(form, images);
        PreparePopupMenus(&form, data, true);
        return data;
    }
    // 16 x 16 masked images: image 0 is green in its middle 8 x 8, transparent around.
    static void AddImages(TPopupForm& form, TImageList& images) {
        TBitmap image(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                image.Canvas().SetPixel(
                    x, y, x >= 4 && x < 12 && y >= 4 && y < 12 ? 0x00008000 : kMagenta);
        images.AddMasked(image, kMagenta);
        form.Popup->SetImages(images.Handle());
    }
};

} // namespace popup_test
