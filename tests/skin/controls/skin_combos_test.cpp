// The combo-box skin: its state and layout rules as pure functions, then
// real framework combos under Wine painted with hand-made elements of known
// colours (every pixel checked: frame, button, glyph, the untouched text
// area) in the four states, with the button on either side, in the flat and
// whole-control styles; the inner edit's presses, the simple combo's list
// handed to a scroll-bar wrapper made by name, the real XPLuna skin on
// screen, registration by name and GDI counters over many paints.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "framework/core/class_builder.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_edits.h"
#include "framework/stdctrls/std_lists.h"
#include "framework/ui/messages.h"
#include "skin/controls/skin_combos.h"
#include "skin/controls/skin_scrollbars.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/controls/wrapper_test_util.h"
#include "tests/skin/model/model_fixture.h"

using namespace pixel_test;
using namespace wrapper_test;

namespace {

constexpr TColor kSentinel = 0x00102030, kShadow = 0x00404080, kBrush = 0x0000A0A0;
constexpr TColor kMagenta = 0x00FF00FF;

TColor EdgeColour(int k) {
    return RGB(10 * k, 40, 200);
}
TColor LeftHalf(int k) {
    return RGB(200, 20 * k, 10);
}
TColor RightHalf(int k) {
    return RGB(20 * k, 200, 60);
}
TColor GlyphColour(int k) {
    return RGB(90, 90, 30 * k);
}

// Hand-made elements: SunkEdge four 6 x 6 solid frames (margins 2); the
// ComboButton four 8 x 8 cells, each LeftHalf | RightHalf, with its
// mirrored copy as the loader makes it; ExtraImages five 6 x 4 glyphs.
void MakeComboSkin(TSkinData& data, int style) {
    data.ButtonShadowColour = kShadow;
    auto edge = std::make_unique<TDataSkinObject>("SunkEdge");
    edge->Picture.SetSize(24, 6);
    auto button = std::make_unique<TDataSkinBorder>("ComboButton");
    button->Picture.SetSize(32, 8);
    for (int k = 1; k <= 4; ++k) {
        Fill(edge->Picture, (k - 1) * 6, 0, k * 6, 6, EdgeColour(k));
        Fill(button->Picture, (k - 1) * 8, 0, (k - 1) * 8 + 4, 8, LeftHalf(k));
        Fill(button->Picture, (k - 1) * 8 + 4, 0, k * 8, 8, RightHalf(k));
    }
    edge->LeftWidth = edge->TopHeight = edge->RightWidth = edge->BottomHeight = 2;
    edge->FrameCount = 4;
    button->FrameCount = 4;
    button->Trans = 1;
    button->Style = style;
    button->Picture2.Assign(button->Picture);
    button->Picture2.SetPixelFormat(TPixelFormat::pf24bit);
    MirrorBitmap(button->Picture2);
    auto glyph = std::make_unique<TDataSkinObject>("ExtraImages");
    glyph->Picture.SetSize(30, 4);
    for (int k = 1; k <= 5; ++k)
        Fill(glyph->Picture, (k - 1) * 6, 0, k * 6, 4, GlyphColour(k));
    glyph->FrameCount = 5;
    glyph->Trans = 1;
    data.SunkEdge = std::move(edge);
    data.ComboButton = std::move(button);
    data.ExtraImages = std::move(glyph);
}

// What the separate-button style paints in state d over a w x h window
// filled with kSentinel: the edge frame, the button cell (mirrored on the
// left), the glyph centred in its area, the text area untouched.
std::optional<TColor> SeparateButtonPixel(int x, int y, int w, int h, int d, bool left) {
    const int e = GetSystemMetrics(SM_CXHSCROLL);
    const int qLeft = left ? 0 : w - e - 2;
    const int gx = (left ? 2 : qLeft) + (e - 6) / 2, gy = (h - 4) / 2;
    if (Inside(x, y, gx, gy, gx + 6, gy + 4))
        return GlyphColour(d);
    if (Inside(x, y, qLeft, 0, qLeft + e + 2, h)) {
        const int mid = qLeft + (e + 2) / 2;
        if (x == mid || x == mid - 1)
            return std::nullopt; // where the stretched halves meet
        const bool first = x < mid;
        return first != left ? LeftHalf(d) : RightHalf(d);
    }
    const bool text =
        left ? Inside(x, y, e + 4, 2, w - 2, h - 2) : Inside(x, y, 2, 2, w - e - 4, h - 2);
    return text ? kSentinel : EdgeColour(d);
}

// A shown form with one combo of the given style.
class TComboForm : public TForm {
public:
    explicit TComboForm(TComboBoxStyle style = csDropDown) : TForm(Application) {
        SetBounds(40, 40, 320, 240);
        combo = new TComboBox(this);
        combo->SetStyle(style);
        combo->SetParent(this);
        combo->SetBounds(10, 10, 150, style == csSimple ? 120 : 21);
        combo->SetText(L"Hello");
        other = new TEdit(this);
        other->SetParent(this);
        other->SetBounds(180, 10, 100, 21);
        Show();
        PumpPending();
    }
    // Takes the focus away from the combo.
    void Unfocus() { ::SetFocus(other->Handle()); }
    TComboBox* combo;
    TEdit* other;
};

std::unique_ptr<TBitmap> Paint(TSkinControl& w) {
    return PaintOf(w, kSentinel);
}

// Stands in for the scroll-bar wrapper of a simple combo's list.
class TListScrollProbe : public TSkinControl {
    LT_CLASS(TListScrollProbe, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TListScrollProbe() override { ++freed; }
    void AttachWindow(HWND handle, TSkinData* skinData, TWrapperHost* formSkinner,
                      TCanvas* canvas) override {
        ++attaches;
        TSkinControl::AttachWindow(handle, skinData, formSkinner, canvas);
    }
    int attaches = 0;
    static inline int freed = 0;
};
LT_CLASS_TABLE(TListScrollProbe) {}

} // namespace

TEST(SkinCombosTest, StateAndLayoutRules) {
    // Pressed before focused or hot, before enabled or disabled.
    EXPECT_EQ(ComboState(false, false, true), kComboNormal);
    EXPECT_EQ(ComboState(true, false, true), kComboPressed);
    EXPECT_EQ(ComboState(true, true, false), kComboPressed);
    EXPECT_EQ(ComboState(false, true, true), kComboHot);
    EXPECT_EQ(ComboState(false, true, false), kComboHot);
    EXPECT_EQ(ComboState(false, false, false), kComboDisabled);
    // A mirrored four-frame strip holds frame 1 mirrored at frame 4.
    EXPECT_EQ(MirroredFrame(4, 1), 4);
    EXPECT_EQ(MirroredFrame(4, 3), 2);
    // Only CBS_SIMPLE has no button.
    EXPECT_FALSE(IsDropDownCombo(CBS_SIMPLE | WS_CHILD));
    EXPECT_TRUE(IsDropDownCombo(CBS_DROPDOWN | WS_CHILD));
    EXPECT_TRUE(IsDropDownCombo(CBS_DROPDOWNLIST));
    EXPECT_TRUE(IsDropDownCombo(0));
    HWND desk = GetDesktopWindow(), other = reinterpret_cast<HWND>(0x1234);
    EXPECT_TRUE(IsTopLevelList(WS_POPUP, other, desk));
    EXPECT_TRUE(IsTopLevelList(WS_CHILD, desk, desk));
    EXPECT_FALSE(IsTopLevelList(WS_CHILD, other, desk));

    const RECT r{0, 0, 145, 21};
    const TComboLayout right = ComboLayout(r, 17, false);
    EXPECT_EQ(Box(right.Text), (TBox{2, 2, 124, 19}));
    EXPECT_EQ(Box(right.Button), (TBox{126, 0, 145, 21}));
    EXPECT_EQ(Box(right.Glyph), (TBox{126, 0, 143, 21}));
    const TComboLayout left = ComboLayout(r, 17, true);
    EXPECT_EQ(Box(left.Text), (TBox{21, 2, 143, 19}));
    EXPECT_EQ(Box(left.Button), (TBox{0, 0, 19, 21}));
    EXPECT_EQ(Box(left.Glyph), (TBox{2, 0, 19, 21}));
    // The glyph area of a left button starts at x = 2 even for a moved R.
    const TComboLayout moved = ComboLayout(RECT{5, 3, 150, 24}, 17, true);
    EXPECT_EQ(Box(moved.Text), (TBox{26, 5, 148, 22}));
    EXPECT_EQ(Box(moved.Button), (TBox{5, 3, 24, 24}));
    EXPECT_EQ(Box(moved.Glyph), (TBox{2, 3, 19, 24}));

    const TFlatComboLayout flat = FlatComboLayout(r, 16);
    EXPECT_EQ(Box(flat.Inner), (TBox{1, 1, 144, 20}));
    EXPECT_EQ(Box(flat.Button), (TBox{127, 2, 143, 19}));
}

TEST(SkinCombosTest, DropDownShowsFrameButtonAndGlyphInEachState) {
    TComboForm form;
    TSkinData data(nullptr);
    MakeComboSkin(data, 0);
    auto* w = new TSkinComBox(form.combo);
    w->AttachControl(nullptr, &data, false, nullptr);
    ASSERT_TRUE(w->Attached);
    form.Unfocus();
    const RECT r = WindowRectAtOrigin(form.combo->Handle());
    auto check = [&](int d, const char* what) {
        auto out = Paint(*w);
        EXPECT_TRUE(PixelsAre(*out, [&](int x, int y) {
            return SeparateButtonPixel(x, y, r.right, r.bottom, d, false);
        })) << what;
    };
    check(kComboNormal, "normal");
    w->MouseState = kMousePressed;
    check(kComboPressed, "pressed");
    w->MouseState = kMouseHot;
    check(kComboHot, "hot");
    w->MouseState = 0;
    form.combo->SetEnabled(false);
    check(kComboDisabled, "disabled");
    w->MouseState = kMousePressed;
    check(kComboPressed, "pressed wins over disabled");
    form.combo->SetEnabled(true);
    w->MouseState = 0;

    // The pointer entering and leaving sets the hot bit without a repaint;
    // a disabled combo keeps its bits.
    form.combo->Perform(CM_MOUSEENTER);
    EXPECT_EQ(w->MouseState, kMouseHot);
    form.combo->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(w->MouseState, 0);
    form.combo->SetEnabled(false);
    form.combo->Perform(CM_MOUSEENTER);
    EXPECT_EQ(w->MouseState, 0);
    form.combo->SetEnabled(true);

    // Nothing without a button picture.
    data.ComboButton->Picture.Clear();
    auto out = Paint(*w);
    EXPECT_EQ(CountOther(*out, 0, 0, r.right, r.bottom, kSentinel), 0);
    delete w;
}

TEST(SkinCombosTest, LeftScrollBarPutsTheMirroredButtonOnTheLeft) {
    TComboForm form(csDropDownList);
    TSkinData data(nullptr);
    MakeComboSkin(data, 0);
    SetWindowLongW(form.combo->Handle(), GWL_EXSTYLE,
                   GetWindowLongW(form.combo->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    auto* w = new TSkinComBox(form.combo);
    w->AttachControl(nullptr, &data, false, nullptr);
    form.Unfocus();
    const RECT r = WindowRectAtOrigin(form.combo->Handle());
    for (int d : {kComboNormal, kComboPressed}) {
        w->MouseState = d == kComboPressed ? kMousePressed : 0;
        auto out = Paint(*w);
        EXPECT_TRUE(PixelsAre(
            *out,
            [&](int x, int y) { return SeparateButtonPixel(x, y, r.right, r.bottom, d, true); }))
            << "state " << d;
        EXPECT_TRUE(w->ComboExStyle & WS_EX_LEFTSCROLLBAR);
    }
    // The combo's own focus puts the hot state on.
    w->MouseState = 0;
    SetFocus(form.combo->Handle());
    auto out = Paint(*w);
    EXPECT_TRUE(PixelsAre(*out, [&](int x, int y) {
        return SeparateButtonPixel(x, y, r.right, r.bottom, kComboHot, true);
    }));
    form.Unfocus();
    delete w;
}

TEST(SkinCombosTest, WholeControlStyleDrawsOnePictureOverTheCombo) {
    TComboForm form;
    TSkinData data(nullptr);
    MakeComboSkin(data, 2);
    // Whole-control frames, 10 x 8: left columns, right columns and the
    // top and bottom rows in their own colours around a magenta middle;
    // the edge frame for left buttons is the mirrored strip.
    auto leftCol = [](int k) { return RGB(30 * k, 0, 0); };
    auto rightCol = [](int k) { return RGB(0, 30 * k, 0); };
    auto rows = [](int k) { return RGB(0, 0, 30 * k); };
    TBitmap whole;
    whole.SetSize(40, 8);
    for (int k = 1; k <= 4; ++k) {
        const int x0 = (k - 1) * 10;
        Fill(whole, x0, 0, x0 + 10, 8, rows(k));
        Fill(whole, x0 + 2, 2, x0 + 8, 6, kMagenta);
        Fill(whole, x0, 0, x0 + 2, 8, leftCol(k));
        Fill(whole, x0 + 8, 0, x0 + 10, 8, rightCol(k));
    }
    TDataSkinBorder& button = *data.ComboButton;
    button.Picture.Assign(whole);
    button.Trans = 0; // transparency is forced on for the whole picture
    button.LeftWidth = button.TopHeight = button.RightWidth = button.BottomHeight = 2;
    data.SunkEdge->Picture.Assign(whole);
    data.SunkEdge->Picture.SetPixelFormat(TPixelFormat::pf24bit);
    MirrorBitmap(data.SunkEdge->Picture);
    data.SunkEdge->Trans = 0;
    auto* w = new TSkinComBox(form.combo);
    w->AttachControl(nullptr, &data, false, nullptr);
    form.Unfocus();
    const RECT r = WindowRectAtOrigin(form.combo->Handle());
    auto wholePixel = [&](int x, int y, int d, bool left) -> std::optional<TColor> {
        if (x < 2)
            return left ? rightCol(d) : leftCol(d);
        if (x >= r.right - 2)
            return left ? leftCol(d) : rightCol(d);
        if (y < 2 || y >= r.bottom - 2)
            return rows(d);
        return kSentinel;
    };
    w->MouseState = kMousePressed;
    auto out = Paint(*w);
    EXPECT_TRUE(PixelsAre(*out, [&](int x, int y) { return wholePixel(x, y, 2, false); }));
    HWND h = form.combo->Handle();
    SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    out = Paint(*w);
    EXPECT_TRUE(PixelsAre(*out, [&](int x, int y) { return wholePixel(x, y, 2, true); }))
        << "left: the edge frame's mirrored picture in the same state";
    EXPECT_EQ(GdiGrowthOverPaints(*w, out->Canvas().Handle(), r, 1000), 0);
    delete w;
}

TEST(SkinCombosTest, FlatStyleFramesWithTheDCsBrush) {
    TComboForm form;
    TSkinData data(nullptr);
    auto* w = new TSkinComBox(form.combo);
    w->AttachControl(nullptr, &data, false, nullptr);
    form.Unfocus();
    const RECT r = WindowRectAtOrigin(form.combo->Handle());
    // Flat: the shadow frames R, the DC's brush frames R inset by 1 and
    // fills the button (SM_CYVTHUMB wide) under the stretched cell.
    MakeComboSkin(data, 1);
    w->MouseState = kMouseHot;
    TBitmap flat;
    flat.SetSize(r.right, r.bottom);
    Fill(flat, 0, 0, r.right, r.bottom, kSentinel);
    {
        const TBrushHandle brush(CreateSolidBrush(kBrush));
        const TSelectObject select(flat.Canvas().Handle(), brush.Get());
        w->PaintSkin(flat.Canvas().Handle(), r);
    }
    const int t = GetSystemMetrics(SM_CYVTHUMB);
    const int bl = r.right - 2 - t, mid = bl + t / 2;
    EXPECT_TRUE(PixelsAre(flat, [&](int x, int y) -> std::optional<TColor> {
        if (!Inside(x, y, 1, 1, r.right - 1, r.bottom - 1))
            return kShadow;
        if (!Inside(x, y, 2, 2, r.right - 2, r.bottom - 2))
            return kBrush;
        if (x >= bl) {
            if (x == mid || x == mid - 1)
                return std::nullopt;
            return x < mid ? LeftHalf(kComboHot) : RightHalf(kComboHot);
        }
        return kSentinel;
    }));
    delete w;
}

TEST(SkinCombosTest, InnerEditFollowsPressesAndIsGivenBack) {
    TComboForm form;
    TSkinData data(nullptr);
    MakeComboSkin(data, 0);
    HWND h = form.combo->Handle();
    HWND edit = GetTopWindow(h);
    ASSERT_NE(edit, nullptr);
    const auto before = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    auto* w = new TSkinComBox(form.combo);
    w->AttachControl(nullptr, &data, false, nullptr);
    EXPECT_EQ(w->EditWindow, edit);
    EXPECT_EQ(w->ListWindow, nullptr);
    EXPECT_EQ(w->ListScroll, nullptr);
    EXPECT_NE(GetWindowLongPtrW(edit, GWLP_WNDPROC), before);
    // A second attach changes nothing.
    w->AttachControl(nullptr, &data, false, nullptr);
    EXPECT_EQ(w->EditWindow, edit);

    // Pressing in the edit shows the pressed button until the release.
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(w->MouseState & kMousePressed, kMousePressed);
    const RECT r = WindowRectAtOrigin(h);
    auto out = Paint(*w);
    EXPECT_TRUE(PixelsAre(*out, [&](int x, int y) {
        return SeparateButtonPixel(x, y, r.right, r.bottom, kComboPressed, false);
    }));
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(w->MouseState & kMousePressed, 0);
    // The edit keeps its own behaviour: the text is still there.
    wchar_t text[32] = {};
    GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(text, L"Hello");

    // The edit's paint puts the skin on the combo's window.
    form.Unfocus();
    PumpPending();
    InvalidateRect(edit, nullptr, TRUE);
    UpdateWindow(edit);
    EXPECT_EQ(ScreenPixel(h, 0, 0), EdgeColour(kComboNormal));

    w->RestoreControl();
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), before);
    EXPECT_EQ(w->EditWindow, nullptr);
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(w->MouseState & kMousePressed, 0) << "given back: presses no longer seen";
    delete w;
}

TEST(SkinCombosTest, SimpleComboHandsItsListToAScrollBarWrapper) {
    TComboForm form(csSimple);
    TSkinData data(nullptr);
    MakeComboSkin(data, 0);
    RegisterClasses<TListScrollProbe>();
    // What the screen shows below the list before skinning.
    COMBOBOXINFO before{};
    before.cbSize = sizeof before;
    ASSERT_TRUE(GetComboBoxInfo(form.combo->Handle(), &before));
    RECT list{}, whole{};
    GetWindowRect(before.hwndList, &list);
    GetWindowRect(form.combo->Handle(), &whole);
    ASSERT_LT(list.bottom + 2, whole.bottom);
    const POINT below{20, list.bottom - whole.top + 1};
    const TColor belowColour = ScreenPixel(form.combo->Handle(), below.x, below.y);
    auto* w = new TSkinComBox(form.combo);
    w->ListScrollClass = "TListScrollProbe";
    w->AttachControl(nullptr, &data, false, nullptr);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(form.combo->Handle(), &info));
    EXPECT_EQ(w->ListWindow, info.hwndList);
    EXPECT_EQ(w->EditWindow, nullptr);
    EXPECT_EQ(w->ComboStyle, static_cast<DWORD>(GetWindowLongW(info.hwndList, GWL_STYLE)));
    auto* probe = dynamic_cast<TListScrollProbe*>(w->ListScroll);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->attaches, 1);
    EXPECT_EQ(probe->Handle, info.hwndList);
    EXPECT_EQ(probe->Owner(), form.combo) << "owned by the wrapper's owner";
    EXPECT_EQ(probe->SkinData, &data);
    // A simple combo has no button: nothing is painted.
    auto out = Paint(*w);
    const RECT r = WindowRectAtOrigin(form.combo->Handle());
    EXPECT_EQ(CountOther(*out, 0, 0, r.right, r.bottom, kSentinel), 0);
    // It keeps painting on screen: the part below its list is erased as
    // before, never left to an off-screen buffer's blank.
    EXPECT_FALSE(form.combo->DoubleBuffered());
    RedrawWindow(form.combo->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(ScreenPixel(form.combo->Handle(), below.x, below.y), belowColour);
    // The wrapper frees the list's wrapper with itself.
    const int freed = TListScrollProbe::freed;
    delete w;
    EXPECT_EQ(TListScrollProbe::freed, freed + 1);

    // Without the scroll-bar wrapper's class, no scroll bars are skinned.
    auto* plain = new TSkinComBox(form.combo);
    plain->ListScrollClass = "TNoSuchScrollbarSkin";
    plain->AttachControl(nullptr, &data, false, nullptr);
    EXPECT_EQ(plain->ListWindow, info.hwndList);
    EXPECT_EQ(plain->ListScroll, nullptr);
    delete plain;
}

TEST(SkinCombosTest, SimpleComboListGetsTheSkinnedScrollBars) {
    RegisterScrollbarSkins();
    TComboForm form(csSimple);
    TStringList lines;
    for (int i = 0; i < 30; ++i)
        lines.Add("Line " + std::to_string(i));
    form.combo->SetItems(lines);
    PumpPending();
    TSkinData data(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    auto* w = new TSkinComBox(form.combo);
    w->AttachControl(nullptr, &data, false, nullptr);
    auto* bars = dynamic_cast<TSkinScrollbarH*>(w->ListScroll);
    ASSERT_NE(bars, nullptr) << "the scroll-bar family's raw-window wrapper, made by name";
    EXPECT_EQ(bars->Handle, w->ListWindow);
    ASSERT_NE(bars->VertBar, nullptr);
    RedrawWindow(w->ListWindow, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    EXPECT_TRUE(bars->VertBar->Shown);
    // The overlay lies exactly over the list's vertical bar.
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetScrollBarInfo(w->ListWindow, OBJID_VSCROLL, &info));
    RECT overlay{};
    GetWindowRect(bars->VertBar->Handle(), &overlay);
    EXPECT_EQ(Box(overlay), Box(info.rcScrollBar));
    const POINT middle{(info.rcScrollBar.left + info.rcScrollBar.right) / 2,
                       (info.rcScrollBar.top + info.rcScrollBar.bottom) / 2};
    EXPECT_EQ(WindowFromPoint(middle), bars->VertBar->Handle());
    delete w;
    EXPECT_EQ(form.combo->ComponentCount(), 0) << "the list's wrapper went with the combo's";
}

TEST(SkinCombosTest, RealSkinDrawsItsPictureAroundTheUntouchedText) {
    TComboForm form;
    form.Unfocus();
    PumpPending();
    HWND h = form.combo->Handle();
    const RECT r = WindowRectAtOrigin(h);
    const int e = GetSystemMetrics(SM_CXHSCROLL);
    const RECT text{2, 2, r.right - e - 4, r.bottom - 2};
    std::vector<TColor> own;
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < text.right; ++x)
            own.push_back(ScreenPixel(h, x, y));

    TSkinData data(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    ASSERT_TRUE(data.ComboButton);
    EXPECT_EQ(data.ComboButton->Style, 2) << "the skin's combo is one picture";
    auto* w = new TSkinComBox(form.combo);
    w->AttachControl(nullptr, &data, false, nullptr);
    PumpPending();
    // The right corners of the window are the picture's corners, unscaled.
    TBitmap& strip = data.ComboButton->Picture;
    auto cornersMatch = [&](int d) {
        int bad = 0;
        for (int y : {0, 1, static_cast<int>(r.bottom) - 2, static_cast<int>(r.bottom) - 1})
            for (int i = 1; i <= e + 4; ++i) {
                const int sy = y < 2 ? y : strip.Height() - (r.bottom - y);
                const TColor c = At(strip, d * 50 - i, sy);
                if (c != kMagenta && ScreenPixel(h, r.right - i, y) != c)
                    ++bad;
            }
        return bad;
    };
    EXPECT_EQ(cornersMatch(kComboNormal), 0);
    // The combo's own text area is left as the combo drew it.
    size_t i = 0, changed = 0;
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < text.right; ++x)
            changed += ScreenPixel(h, x, y) != own[i++];
    EXPECT_EQ(changed, 0u);
    // Pressing in the inner edit shows the pressed picture.
    HWND edit = GetTopWindow(h);
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PumpPending();
    EXPECT_EQ(cornersMatch(kComboPressed), 0);
    EXPECT_GT(cornersMatch(kComboNormal), 0) << "the pressed picture differs in its corners";
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    form.Unfocus();
    PumpPending();
    EXPECT_EQ(cornersMatch(kComboNormal), 0);
    // The skin switch turns the painting off.
    SendMessageW(h, SM_WRAPPERSWITCH, 0, 0);
    EXPECT_FALSE(w->SkinActive);
    delete w;
}

TEST(SkinCombosTest, RegisteredByNameAndLeaksNothing) {
    RegisterComboSkins();
    const TClassInfo* info = FindClass("TSkinComBox");
    ASSERT_NE(info, nullptr);
    TComboForm form;
    TSkinControl* made = MakeWrapperByName("TSkinComBox", form.combo);
    ASSERT_NE(dynamic_cast<TSkinComBox*>(made), nullptr);
    EXPECT_EQ(made->Owner(), form.combo);
    EXPECT_EQ(MakeWrapperByName("TNoSuchSkin", form.combo), nullptr);
    TSkinData data(nullptr);
    MakeComboSkin(data, 0);
    made->AttachControl(nullptr, &data, false, nullptr);
    const RECT r = WindowRectAtOrigin(form.combo->Handle());
    TBitmap out;
    out.SetSize(r.right, r.bottom);
    // The first paint gives the skin's pictures their drawing surfaces.
    made->PaintSkin(out.Canvas().Handle(), r);
    EXPECT_EQ(GdiGrowthOverPaints(*made, out.Canvas().Handle(), r, 1000), 0);
    HWND h = form.combo->Handle();
    SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    made->PaintSkin(out.Canvas().Handle(), r);
    EXPECT_EQ(GdiGrowthOverPaints(*made, out.Canvas().Handle(), r, 1000), 0);
    delete made;
}
