// The edit and up-down skins: the up-down button rules as pure functions,
// then real framework edits and up-downs under Wine: the edit's two-pixel
// border in skin colours (painted, on screen, after the platform's frame
// paint, and printed), borderless edits left alone, a spin child found and
// wrapped once, up-down buttons from hand-made strips of known colours in
// every state, one pixel in, side by side through the published
// "Horizontal" (as the tab set writes it), the plain look, real presses,
// registration by name and GDI counters over many paints.
#include <gtest/gtest.h>

#include "framework/ui/win32.h"

#include <commctrl.h>

#include <memory>
#include <optional>
#include <vector>

#include "framework/core/class_builder.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_bars.h"
#include "framework/stdctrls/std_edits.h"
#include "framework/stdctrls/std_tabs.h"
#include "skin/controls/skin_edits.h"
#include "skin/controls/skin_tabs.h"
#include "skin/model/skin_data.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/controls/wrapper_test_util.h"

using namespace pixel_test;
using namespace wrapper_test;

namespace {

constexpr TColor kSentinel = 0x00102030, kShadow = 0x00404080, kBrush = 0x0000A0A0;
constexpr TColor kFace = 0x00D0E0F0, kDark = 0x00200000, kWhite = 0x00FFFFFF;

TColor VCell(int k) {
    return RGB(25 * k, 30, 120);
}
TColor VGlyph(int k) {
    return RGB(120, 25 * k, 30);
}
TColor HCell(int k) {
    return RGB(30, 120, 25 * k);
}

// Hand-made UpDown strips: eight 6 x 6 cells each; the vertical one has
// eight 4 x 2 glyph cells.
void MakeSpinSkin(TSkinData& data) {
    data.ButtonFaceColour = kFace;
    data.ButtonShadowColour = kShadow;
    data.ButtonDkShadowColour = kDark;
    auto vert = std::make_unique<TDataSkinBorder>("UpDown.Vert");
    auto horz = std::make_unique<TDataSkinBorder>("UpDown.Horz");
    vert->Picture.SetSize(48, 6);
    vert->Picture2.SetSize(32, 2);
    horz->Picture.SetSize(48, 6);
    for (int k = 1; k <= 8; ++k) {
        Fill(vert->Picture, (k - 1) * 6, 0, k * 6, 6, VCell(k));
        Fill(vert->Picture2, (k - 1) * 4, 0, k * 4, 2, VGlyph(k));
        Fill(horz->Picture, (k - 1) * 6, 0, k * 6, 6, HCell(k));
    }
    vert->FrameCount = horz->FrameCount = 8;
    vert->Trans = horz->Trans = 1;
    data.UpDownVert = std::move(vert);
    data.UpDownHorz = std::move(horz);
}

// A shown form with an edit (sunken two-pixel border) and an up-down, and
// the hand-made skin.
class TEditForm : public TForm {
public:
    TEditForm() : TForm(Application) {
        MakeSpinSkin(data);
        SetBounds(40, 40, 360, 220);
        edit = new TEdit(this);
        edit->SetParent(this);
        edit->SetBounds(10, 10, 150, 24);
        edit->SetText(L"Text");
        spin = new TUpDown(this);
        spin->SetParent(this);
        spin->SetBounds(200, 10, 17, 30);
        spin->SetMax(100);
        spin->SetPosition(50);
        Show();
        PumpPending();
    }
    // The up-down's wrapper, attached through the control.
    TSkinUpDown* SkinSpin() {
        auto* w = new TSkinUpDown(spin);
        w->AttachControl(nullptr, &data, false, nullptr);
        return w;
    }
    TEdit* edit;
    TUpDown* spin;
    TSkinData data{nullptr};
};

// The stacked buttons of a w x h up-down (one pixel in when `inset`) in
// the given cells, each glyph cell centred.
std::optional<TColor> StackedPixel(int x, int y, int w, int h, bool inset, int upper, int lower) {
    const int in = inset ? 1 : 0;
    if (!Inside(x, y, in, in, w - in, h - in))
        return kFace;
    const int d = (h - 2 * in) / 2, split = in + d;
    const int cell = y < split ? upper : lower;
    const int top = y < split ? in : split, bottom = y < split ? split : h - in;
    const int gx = in + (w - 2 * in - 4) / 2, gy = top + (bottom - top - 2) / 2;
    if (Inside(x, y, gx, gy, gx + 4, gy + 2))
        return VGlyph(cell);
    return VCell(cell);
}

// Line segments as (from x, from y, to x, to y).
std::vector<TBox> Segments(const std::vector<TLineSegment>& lines) {
    std::vector<TBox> out;
    for (const TLineSegment& l : lines)
        out.push_back(TBox{l.From.x, l.From.y, l.To.x, l.To.y});
    return out;
}

POINT CursorIn(HWND wnd) {
    POINT c{};
    GetCursorPos(&c);
    ScreenToClient(wnd, &c);
    return c;
}

// Moves the pointer to client point (x, y) of a window (null: the screen)
// and answers whether it stays there: Wine applies a move again when its
// display events arrive, so an earlier move can land after a later one.
bool MoveCursor(HWND wnd, int x, int y) {
    POINT p{x, y};
    if (wnd)
        ClientToScreen(wnd, &p);
    for (int attempt = 0; attempt < 10; ++attempt) {
        SetCursorPos(p.x, p.y);
        PumpMessages(40);
        POINT c{};
        GetCursorPos(&c);
        if (c.x == p.x && c.y == p.y)
            return true;
    }
    return false;
}

} // namespace

TEST(SkinEditsTest, UpDownButtonsAndTheirStates) {
    // Stacked: the half holding the cursor shows pressed while pressed.
    TUpDownLayout l = UpDownLayout(RECT{0, 0, 17, 20}, false, false, POINT{5, 3}, true, true);
    EXPECT_FALSE(l.Horizontal);
    EXPECT_EQ(l.First.Rect.bottom, 10);
    EXPECT_EQ(l.Second.Rect.top, 10);
    EXPECT_EQ(l.Second.Rect.bottom, 20);
    EXPECT_EQ(l.First.Arrow, kArrowUp);
    EXPECT_EQ(l.Second.Arrow, kArrowDown);
    EXPECT_EQ(l.First.State, kSpinPressed);
    EXPECT_EQ(l.Second.State, kSpinNormal);
    l = UpDownLayout(RECT{0, 0, 17, 20}, false, false, POINT{5, 15}, true, true);
    EXPECT_EQ(l.First.State, kSpinNormal);
    EXPECT_EQ(l.Second.State, kSpinPressed);
    // Only one coordinate counts: a pointer beside the control still picks a half.
    l = UpDownLayout(RECT{0, 0, 17, 20}, false, false, POINT{100, 3}, true, true);
    EXPECT_EQ(l.First.State, kSpinPressed);
    l = UpDownLayout(RECT{0, 0, 17, 20}, false, false, POINT{5, 3}, false, true);
    EXPECT_EQ(l.First.State, kSpinNormal);
    l = UpDownLayout(RECT{0, 0, 17, 20}, false, false, POINT{5, 3}, true, false);
    EXPECT_EQ(l.First.State, kSpinDisabled);
    EXPECT_EQ(l.Second.State, kSpinDisabled);
    // One pixel in: the halves of the shrunk rectangle.
    l = UpDownLayout(RECT{0, 0, 17, 30}, true, false, POINT{5, 2}, true, true);
    EXPECT_EQ(l.First.Rect.left, 1);
    EXPECT_EQ(l.First.Rect.top, 1);
    EXPECT_EQ(l.First.Rect.right, 16);
    EXPECT_EQ(l.First.Rect.bottom, 15);
    EXPECT_EQ(l.Second.Rect.bottom, 29);
    EXPECT_EQ(l.First.State, kSpinPressed);
    // Side by side.
    l = UpDownLayout(RECT{0, 0, 30, 14}, false, true, POINT{20, 50}, true, true);
    EXPECT_TRUE(l.Horizontal);
    EXPECT_EQ(l.First.Rect.right, 15);
    EXPECT_EQ(l.Second.Rect.left, 15);
    EXPECT_EQ(l.First.Arrow, kArrowLeft);
    EXPECT_EQ(l.Second.Arrow, kArrowRight);
    EXPECT_EQ(l.First.State, kSpinNormal);
    EXPECT_EQ(l.Second.State, kSpinPressed);
}

TEST(SkinEditsTest, UpDownCellsArrowsAndSpinClasses) {
    // Cells: up and left 1-4, down and right 5-8.
    const int cells[4][3] = {{1, 2, 3}, {5, 6, 7}, {1, 2, 3}, {5, 6, 7}};
    for (int arrow = kArrowUp; arrow <= kArrowRight; ++arrow)
        for (int state = kSpinNormal; state <= kSpinDisabled; ++state)
            EXPECT_EQ(UpDownCell(state, arrow), cells[arrow][state - 1]) << arrow << "/" << state;

    // The plain arrows: wedges 3, 5, 7, 9 wide from the tip; triangles.
    EXPECT_EQ(Segments(UpDownArrowLines(RECT{0, 0, 17, 10}, kArrowUp)),
              (std::vector<TBox>{{7, 3, 10, 3}, {6, 4, 11, 4}, {5, 5, 12, 5}, {4, 6, 13, 6}}));
    EXPECT_EQ(Segments(UpDownArrowLines(RECT{0, 0, 17, 10}, kArrowDown)),
              (std::vector<TBox>{{4, 3, 13, 3}, {5, 4, 12, 4}, {6, 5, 11, 5}, {7, 6, 10, 6}}));
    EXPECT_EQ(Segments(UpDownArrowLines(RECT{0, 0, 15, 14}, kArrowLeft)),
              (std::vector<TBox>{{6, 7, 8, 5}, {8, 5, 8, 9}, {8, 9, 6, 7}}));
    EXPECT_EQ(Segments(UpDownArrowLines(RECT{10, 20, 25, 34}, kArrowRight)),
              (std::vector<TBox>{{18, 27, 16, 25}, {16, 25, 16, 29}, {16, 29, 18, 27}}));

    EXPECT_TRUE(IsSpinClass("msctls_updown32"));
    EXPECT_TRUE(IsSpinClass("MSCTLS_UPDOWN32"));
    EXPECT_TRUE(IsSpinClass("TSpinButton"));
    EXPECT_TRUE(IsSpinClass("MyUpDownCtl"));
    EXPECT_FALSE(IsSpinClass("Edit"));
    EXPECT_FALSE(IsSpinClass("msctls_trackbar32"));
}

TEST(SkinEditsTest, EditBorderIsTwoPixelsOfSkinColours) {
    TEditForm form;
    TSkinData& data = form.data;
    HWND h = form.edit->Handle();
    auto* w = new TSkinEdit(form.edit);
    w->AttachWindow(h, &data, nullptr, nullptr);
    const RECT r = WindowRectAtOrigin(h);
    auto ring = [&](TColor outer, TColor inner) {
        return [=](int x, int y) -> std::optional<TColor> {
            if (!Inside(x, y, 1, 1, r.right - 1, r.bottom - 1))
                return outer;
            if (!Inside(x, y, 2, 2, r.right - 2, r.bottom - 2))
                return inner;
            return kSentinel;
        };
    };
    auto out = PaintOf(*w, kSentinel);
    EXPECT_TRUE(PixelsAre(*out, ring(kShadow, kWhite)));
    // On screen, also after the platform has drawn its own frame again.
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    EXPECT_EQ(ScreenPixel(h, 0, 0), kShadow);
    EXPECT_EQ(ScreenPixel(h, 1, 1), kWhite);
    EXPECT_EQ(ScreenPixel(h, r.right - 1, r.bottom - 1), kShadow);
    SendMessageW(h, WM_NCPAINT, 1, 0);
    EXPECT_EQ(ScreenPixel(h, 0, r.bottom / 2), kShadow);
    EXPECT_EQ(ScreenPixel(h, 1, r.bottom / 2), kWhite);

    // Printed: the DC's brush one pixel in, the shadow outside.
    TBitmap print;
    print.SetSize(r.right, r.bottom);
    Fill(print, 0, 0, r.right, r.bottom, kSentinel);
    {
        const TBrushHandle brush(CreateSolidBrush(kBrush));
        const TSelectObject select(print.Canvas().Handle(), brush.Get());
        SendMessageW(h, WM_PRINT, reinterpret_cast<WPARAM>(print.Canvas().Handle()), 0);
    }
    EXPECT_TRUE(PixelsAre(print, ring(kShadow, kBrush)));
    EXPECT_EQ(GdiGrowthOverPaints(*w, out->Canvas().Handle(), r, 1000), 0);
    delete w;
}

TEST(SkinEditsTest, EditsWithoutATwoPixelBorderKeepTheirLook) {
    TEditForm form;
    TSkinData& data = form.data;
    for (DWORD style : {DWORD(0), DWORD(WS_EX_STATICEDGE)}) {
        HWND raw = CreateWindowExA(style, "EDIT", "raw", WS_CHILD | WS_VISIBLE, 10, 60, 120, 20,
                                   form.Handle(), nullptr, nullptr, nullptr);
        auto* w = new TSkinEdit(&form);
        w->AttachWindow(raw, &data, nullptr, nullptr);
        const RECT r = WindowRectAtOrigin(raw);
        auto out = PaintOf(*w, kSentinel);
        // A one-pixel border is framed by the paint but not by the print rule.
        const int painted = CountOther(*out, 0, 0, r.right, r.bottom, kSentinel);
        EXPECT_EQ(painted, style ? 2 * (r.right + r.bottom) - 4 + 2 * (r.right + r.bottom) - 12 : 0)
            << "style " << style;
        TBitmap print;
        print.SetSize(r.right, r.bottom);
        Fill(print, 0, 0, r.right, r.bottom, kSentinel);
        SendMessageW(raw, WM_PRINT, reinterpret_cast<WPARAM>(print.Canvas().Handle()), 0);
        EXPECT_EQ(CountOther(print, 0, 0, r.right, r.bottom, kSentinel), 0) << "style " << style;
        delete w;
        DestroyWindow(raw);
    }
}

TEST(SkinEditsTest, SpinChildIsWrappedOnceOnePixelIn) {
    TEditForm form;
    TSkinData& data = form.data;
    HWND h = form.edit->Handle();
    auto* w = new TSkinEdit(form.edit);
    w->AttachWindow(h, &data, nullptr, nullptr);
    auto out = PaintOf(*w, kSentinel);
    EXPECT_EQ(w->UpDownWrapper, nullptr) << "no spin child yet";
    RECT client{};
    GetClientRect(h, &client);
    HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, client.right - 17, 0,
                                17, client.bottom, h, nullptr, nullptr, nullptr);
    ASSERT_NE(spin, nullptr);
    out = PaintOf(*w, kSentinel);
    TSkinUpDown* wrapper = w->UpDownWrapper;
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->Handle, spin);
    EXPECT_TRUE(wrapper->Inset);
    EXPECT_TRUE(wrapper->SubclassesWindow());
    EXPECT_EQ(wrapper->Owner(), form.edit);
    out = PaintOf(*w, kSentinel);
    EXPECT_EQ(w->UpDownWrapper, wrapper);
    int upDowns = 0;
    for (int i = 0; i < form.edit->ComponentCount(); ++i)
        upDowns += dynamic_cast<TSkinUpDown*>(form.edit->Components(i)) != nullptr;
    EXPECT_EQ(upDowns, 1) << "wrapped once";
    // On screen the spin's buttons lie one pixel inside its rectangle.
    ASSERT_TRUE(MoveCursor(nullptr, 0, 0));
    InvalidateRect(spin, nullptr, TRUE);
    UpdateWindow(spin);
    RECT sc{};
    GetClientRect(spin, &sc);
    EXPECT_EQ(ScreenPixel(spin, 0, 0), kFace);
    EXPECT_EQ(ScreenPixel(spin, sc.right - 1, sc.bottom / 2), kFace);
    EXPECT_EQ(ScreenPixel(spin, 1, 1), VCell(1));
    EXPECT_EQ(ScreenPixel(spin, 1, sc.bottom - 2), VCell(5));
    delete wrapper;
    EXPECT_EQ(w->UpDownWrapper, nullptr) << "told when the spin's wrapper goes";
    delete w;
}

TEST(SkinEditsTest, UpDownShowsOnlyThePressedHalf) {
    TEditForm form;
    HWND h = form.spin->Handle();
    TSkinUpDown* w = form.SkinSpin();
    const RECT r = WindowRectAtOrigin(h);
    auto expect = [&](int upper, int lower, const char* what) {
        auto out = PaintOf(*w, kSentinel);
        EXPECT_TRUE(PixelsAre(*out,
                              [&](int x, int y) {
                                  return StackedPixel(x, y, r.right, r.bottom, w->Inset, upper,
                                                      lower);
                              }))
            << what << " cursor " << CursorIn(h).x << "," << CursorIn(h).y << " state "
            << int(w->MouseState);
    };
    ASSERT_TRUE(MoveCursor(h, 8, r.bottom - 4));
    expect(1, 5, "normal");
    w->MouseState = kMousePressed;
    expect(1, 6, "lower pressed");
    ASSERT_TRUE(MoveCursor(h, 8, 3));
    expect(2, 5, "upper pressed");
    w->Inset = true;
    expect(2, 5, "one pixel in");
    w->Inset = false;
    form.spin->SetEnabled(false);
    expect(3, 7, "disabled");
    form.spin->SetEnabled(true);
    w->MouseState = 0;

    // Real presses: the control still steps, the wrapper follows the button.
    ASSERT_TRUE(MoveCursor(h, 8, r.bottom - 4));
    const int before = form.spin->Position();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, r.bottom - 4));
    EXPECT_EQ(w->MouseState & kMousePressed, kMousePressed);
    EXPECT_EQ(ScreenPixel(h, 1, r.bottom - 2), VCell(6));
    EXPECT_EQ(ScreenPixel(h, 1, 1), VCell(1));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(8, r.bottom - 4));
    EXPECT_EQ(w->MouseState & kMousePressed, 0);
    EXPECT_NE(form.spin->Position(), before) << "the arrow still steps the position";
    EXPECT_EQ(ScreenPixel(h, 1, r.bottom - 2), VCell(5));
    EXPECT_EQ(SendMessageW(h, WM_ERASEBKGND, 0, 0), 1);
    TBitmap out;
    out.SetSize(r.right, r.bottom);
    EXPECT_EQ(GdiGrowthOverPaints(*w, out.Canvas().Handle(), r, 1000), 0);
    delete w;
}

TEST(SkinEditsTest, HorizontalAndPlainLooks) {
    TEditForm form;
    TSkinData& data = form.data;
    HWND h = form.spin->Handle();
    TSkinUpDown* w = form.SkinSpin();
    // "Horizontal" is published: written and read by name.
    EXPECT_TRUE(SkinWriteValue(w, "Horizontal", "True"));
    EXPECT_TRUE(w->Horizontal);
    EXPECT_EQ(SkinReadEnum(w, "Horizontal"), "true");
    const RECT r = WindowRectAtOrigin(h);
    ASSERT_TRUE(MoveCursor(nullptr, 0, 0));
    auto out = PaintOf(*w, kSentinel);
    const int d = r.right / 2;
    EXPECT_TRUE(PixelsAre(*out, [&](int x, int) { return x < d ? HCell(1) : HCell(5); }));

    // No strips: the plain look, a dark-framed face button with its arrow.
    w->Horizontal = false;
    data.UpDownVert.reset();
    data.UpDownHorz.reset();
    out = PaintOf(*w, kSentinel);
    const int split = r.bottom / 2, cx = r.right / 2, tip = split / 2 - 2;
    EXPECT_TRUE(PixelsAre(*out, [&](int x, int y) -> std::optional<TColor> {
        if (y >= split)
            return std::nullopt;
        const bool edge = x == 0 || y == 0 || x == r.right - 1 || y == split - 1;
        const int row = y - tip, half = 1 + row;
        const bool arrow = row >= 0 && row < 4 && x >= cx - half && x <= cx + half;
        return edge || arrow ? kDark : kFace;
    }));
    // The lower arrow points down: its widest row comes first.
    const int lowTip = split + (r.bottom - split) / 2 - 2;
    EXPECT_EQ(CountOther(*out, 1, lowTip, r.right - 1, lowTip + 1, kDark), r.right - 2 - 9);
    EXPECT_EQ(CountOther(*out, 1, lowTip + 3, r.right - 1, lowTip + 4, kDark), r.right - 2 - 3);
    // Pressed: the shadow fills the button under the pointer.
    ASSERT_TRUE(MoveCursor(h, 3, 3));
    w->MouseState = kMousePressed;
    out = PaintOf(*w, kSentinel);
    EXPECT_EQ(At(*out, 2, 2), kShadow);
    EXPECT_EQ(At(*out, 2, r.bottom - 3), kFace);
    TBitmap target;
    target.SetSize(r.right, r.bottom);
    EXPECT_EQ(GdiGrowthOverPaints(*w, target.Canvas().Handle(), r, 1000), 0);
    delete w;
}

TEST(SkinEditsTest, TabSetScrollerGetsAHorizontalUpDownByName) {
    RegisterEditSkins();
    ASSERT_NE(FindClass("TSkinEdit"), nullptr);
    ASSERT_NE(FindClass("TSkinUpDown"), nullptr);
    TForm form(Application);
    form.SetBounds(30, 30, 400, 200);
    auto* set = new TTabSet(&form);
    set->SetParent(&form);
    set->SetBounds(10, 10, 120, 21);
    TStringList texts;
    for (const char* s : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"})
        texts.Add(s);
    set->SetTabs(texts);
    form.Show();
    PumpPending();
    TSkinData data(nullptr);
    MakeSpinSkin(data);
    auto* tab = new TSkinTab31(set);
    tab->AttachControl(nullptr, &data, false, nullptr);
    auto* arrows = dynamic_cast<TSkinUpDown*>(tab->UpDownWrapper);
    ASSERT_NE(arrows, nullptr) << "made by class name";
    EXPECT_TRUE(arrows->Horizontal);
    EXPECT_EQ(arrows->Handle, set->Scroller()->Handle());
    ASSERT_TRUE(MoveCursor(nullptr, 0, 0));
    auto out = PaintOf(*arrows, kSentinel);
    RECT c{};
    GetClientRect(arrows->Handle, &c);
    ASSERT_GT(c.right, 1);
    EXPECT_EQ(At(*out, 0, c.bottom / 2), HCell(1));
    EXPECT_EQ(At(*out, c.right - 1, c.bottom / 2), HCell(5));
    delete tab;
}
