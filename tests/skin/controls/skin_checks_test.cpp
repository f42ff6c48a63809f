// Check-box and radio-button skins: the cell tables and the mark's place as
// pure functions, then pixel-exact marks on real framework controls and raw
// button windows under Wine (the real XPLuna strips and hand-made strips of
// known colours), the repaint after press, release, double click and a new
// check state, registration by class name, and GDI counters over many paints.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_checks.h"
#include "framework/ui/messages.h"
#include "skin/controls/skin_checks.h"
#include "skin/model/skin_data.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace {

using pixel_test::At;

constexpr TColor kSentinel = 0x00102030;
constexpr TColor kParent = 0x00405060;
constexpr TColor kFace = 0x00C0D0E0;
constexpr TColor kMagenta = 0x00FF00FF;

// A distinct solid colour per cell.
TColor CellColour(int k) {
    return RGB(20 * k, 255 - 20 * k, 90);
}

// An n-cell strip of w x h cells, cell k in CellColour(k), its top-left
// pixel magenta.
void MakeStrip(TBitmap& strip, int n, int w, int h) {
    strip.SetSize(n * w, h);
    for (int k = 1; k <= n; ++k) {
        pixel_test::Fill(strip, (k - 1) * w, 0, k * w, h, CellColour(k));
        pixel_test::Put(strip, (k - 1) * w, 0, kMagenta);
    }
}

void FillBitmap(TBitmap& b, TColor c) {
    pixel_test::Fill(b, 0, 0, b.Width(), b.Height(), c);
}

RECT WindowRectAtOrigin(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

// Pixels of `target` that differ from what a mark of cell k of `strip` in
// `place` should leave: the strip's pixels in the mark (magenta shows the
// background), `bg` in the rest of the column, `outside` everywhere else.
int MarkMismatches(TBitmap& target, const TMarkPlace& place, TBitmap& strip, int n, int k,
                   TColor bg, TColor outside, std::string* where) {
    const int w = strip.Width() / n;
    int bad = 0;
    for (int y = 0; y < target.Height(); ++y)
        for (int x = 0; x < target.Width(); ++x) {
            const POINT p{x, y};
            TColor want = outside;
            if (PtInRect(&place.Background, p))
                want = bg;
            if (PtInRect(&place.Mark, p)) {
                const TColor s =
                    strip.Canvas().Pixel((k - 1) * w + x - place.Mark.left, y - place.Mark.top);
                if (s != kMagenta)
                    want = s;
            }
            if (At(target, x, y) != want) {
                if (bad++ == 0 && where) {
                    char buf[96];
                    snprintf(buf, sizeof buf, "(%d,%d)=%06X want %06X", x, y,
                             unsigned(At(target, x, y)), unsigned(want));
                    *where = buf;
                }
            }
        }
    return bad;
}

// The colour the wrapper paints at the middle of the mark.
TColor MarkCentre(TSkinControl& w, const TMarkPlace& place) {
    const RECT r = WindowRectAtOrigin(w.Handle);
    TBitmap target(r.right, r.bottom);
    FillBitmap(target, kSentinel);
    w.PaintSkin(target.Canvas().Handle(), r);
    return At(target, (place.Mark.left + place.Mark.right) / 2,
              (place.Mark.top + place.Mark.bottom) / 2);
}

class TChecksForm : public TForm {
public:
    explicit TChecksForm(TComponent* owner) : TForm(owner) {
        SetBounds(40, 40, 320, 200);
        SetColor(kParent);
        check = new TCheckBox(this);
        check->SetParent(this);
        check->SetBounds(10, 10, 120, 17);
        check->SetCaption(L"Check");
        radio = new TRadioButton(this);
        radio->SetParent(this);
        radio->SetBounds(10, 40, 120, 17);
        radio->SetCaption(L"Radio");
        other = new TRadioButton(this);
        other->SetParent(this);
        other->SetBounds(10, 70, 120, 17);
    }
    TCheckBox* check;
    TRadioButton* radio;
    TRadioButton* other;
};

// A raw button window with its own parent, for the subclassing attach.
struct RawButton {
    explicit RawButton(DWORD style) {
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 400, 40, 200, 60,
                                 nullptr, nullptr, nullptr, nullptr);
        wnd = CreateWindowExA(0, "BUTTON", "Raw", WS_CHILD | WS_VISIBLE | style, 5, 5, 150, 20,
                              parent, nullptr, nullptr, nullptr);
    }
    ~RawButton() { DestroyWindow(parent); }
    HWND parent;
    HWND wnd;
};

TColor ScreenPixel(HWND wnd, int x, int y) {
    TWindowDC dc(wnd);
    return GetPixel(dc.Handle(), x, y);
}

void Scribble(HWND wnd, const RECT& r) {
    TWindowDC dc(wnd);
    FillRect(dc.Handle(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

} // namespace

TEST(SkinChecksTest, CellTablesFollowStateDisabledAndIndeterminateRules) {
    // Check strips of any count but 12: 1 2 3 4, indeterminate 4.
    EXPECT_EQ(CheckMarkCell(5, BST_UNCHECKED, 0, false), 1);
    EXPECT_EQ(CheckMarkCell(5, BST_CHECKED, 0, false), 2);
    EXPECT_EQ(CheckMarkCell(5, BST_UNCHECKED, 0, true), 3);
    EXPECT_EQ(CheckMarkCell(5, BST_CHECKED, 0, true), 4);
    EXPECT_EQ(CheckMarkCell(5, BST_INDETERMINATE, 0, false), 4);
    EXPECT_EQ(CheckMarkCell(5, BST_INDETERMINATE, 0, true), 4);
    // The 12-cell strip: 1 5 4 8, indeterminate 9 and 12.
    EXPECT_EQ(CheckMarkCell(12, BST_UNCHECKED, 0, false), 1);
    EXPECT_EQ(CheckMarkCell(12, BST_CHECKED, 0, false), 5);
    EXPECT_EQ(CheckMarkCell(12, BST_UNCHECKED, 0, true), 4);
    EXPECT_EQ(CheckMarkCell(12, BST_CHECKED, 0, true), 8);
    EXPECT_EQ(CheckMarkCell(12, BST_INDETERMINATE, 0, false), 9);
    EXPECT_EQ(CheckMarkCell(12, BST_INDETERMINATE, 0, true), 12);
    // Pushed and focus bits do not count.
    EXPECT_EQ(CheckMarkCell(5, BST_PUSHED | BST_FOCUS, 0, false), 1);
    // The properties come before the native state.
    EXPECT_EQ(CheckMarkCell(5, BST_CHECKED, 1, false), 1);
    EXPECT_EQ(CheckMarkCell(5, BST_UNCHECKED, 2, false), 2);
    EXPECT_EQ(CheckMarkCell(5, BST_UNCHECKED, 4, false), 4);
    EXPECT_EQ(CheckMarkCell(12, BST_UNCHECKED, 4, false), 8);
    // ... but a native indeterminate state wins over them.
    EXPECT_EQ(CheckMarkCell(12, BST_INDETERMINATE, 1, false), 9);
    // Grayed by property, disabled, natively not indeterminate: cell 6,
    // outside a 5-cell strip (drawn as nothing).
    EXPECT_EQ(CheckMarkCell(5, BST_UNCHECKED, 4, true), 6);
    EXPECT_EQ(CheckMarkCell(12, BST_UNCHECKED, 4, true), 6);

    // Radio strips: 8 cells 1 5 4 8; any other 1 2 3 4.
    EXPECT_EQ(RadioMarkCell(8, BST_UNCHECKED, 0, false), 1);
    EXPECT_EQ(RadioMarkCell(8, BST_CHECKED, 0, false), 5);
    EXPECT_EQ(RadioMarkCell(8, BST_UNCHECKED, 0, true), 4);
    EXPECT_EQ(RadioMarkCell(8, BST_CHECKED, 0, true), 8);
    EXPECT_EQ(RadioMarkCell(5, BST_CHECKED, 0, false), 2);
    EXPECT_EQ(RadioMarkCell(5, BST_UNCHECKED, 0, true), 3);
    EXPECT_EQ(RadioMarkCell(5, BST_CHECKED, 0, true), 4);
    EXPECT_EQ(RadioMarkCell(5, BST_CHECKED, 1, false), 1);
    EXPECT_EQ(RadioMarkCell(8, BST_UNCHECKED, 2, true), 8);

    // Reading the properties by name: "State" first, then "Checked".
    TChecksForm form(Application);
    form.check->SetState(cbGrayed);
    EXPECT_EQ(CheckPropertyCell(form.check), 4);
    form.check->SetState(cbChecked);
    EXPECT_EQ(CheckPropertyCell(form.check), 2);
    form.check->SetState(cbUnchecked);
    EXPECT_EQ(CheckPropertyCell(form.check), 1);
    form.radio->SetChecked(true);
    EXPECT_EQ(CheckPropertyCell(form.radio), 2);
    EXPECT_EQ(RadioPropertyCell(form.radio), 2);
    EXPECT_EQ(RadioPropertyCell(form.other), 1);
    // A control without either property says nothing.
    EXPECT_EQ(CheckPropertyCell(&form), 0);
    EXPECT_EQ(RadioPropertyCell(&form), 0);
    EXPECT_EQ(CheckPropertyCell(nullptr), 0);
}

TEST(SkinChecksTest, MarkPlacesFollowTheColumnArithmetic) {
    const RECT r{0, 0, 100, 17};
    // Check mark on the left: a 13-pixel cell at R.left + 1, the 16-pixel
    // column under it; a wider cell 2 pixels in; a narrow one centred in 14.
    TMarkPlace p = CheckMarkPlace(r, 13, 13, false);
    EXPECT_EQ(p.Mark.left, 1);
    EXPECT_EQ(p.Mark.right, 14);
    EXPECT_EQ(p.Mark.top, 2);
    EXPECT_EQ(p.Mark.bottom, 15);
    EXPECT_EQ(p.Background.top, 0);
    EXPECT_EQ(p.Background.left, 0);
    EXPECT_EQ(p.Background.right, 16);
    EXPECT_EQ(p.Background.bottom, 17);
    EXPECT_EQ(CheckMarkPlace(r, 15, 13, false).Mark.left, 2);
    EXPECT_EQ(CheckMarkPlace(r, 14, 13, false).Mark.left, 1);
    EXPECT_EQ(CheckMarkPlace(r, 10, 13, false).Mark.left, 3);
    // On the right (BS_LEFTTEXT): centred in the last 15 pixels, or 1 pixel
    // in for wider cells; the column is the last 18 pixels.
    p = CheckMarkPlace(r, 13, 13, true);
    EXPECT_EQ(p.Mark.right, 99);
    EXPECT_EQ(p.Mark.left, 86);
    EXPECT_EQ(p.Background.left, 82);
    EXPECT_EQ(p.Background.right, 100);
    EXPECT_EQ(CheckMarkPlace(r, 15, 13, true).Mark.right, 100);
    EXPECT_EQ(CheckMarkPlace(r, 16, 13, true).Mark.right, 99);

    // Radio mark on the left: at R.left for a 13-pixel cell and for wide
    // cells; centred in 14 otherwise.
    p = RadioMarkPlace(r, 13, 13, false);
    EXPECT_EQ(p.Mark.left, 0);
    EXPECT_EQ(p.Mark.right, 13);
    EXPECT_EQ(p.Background.right, 16);
    EXPECT_EQ(RadioMarkPlace(r, 15, 13, false).Mark.left, 0);
    EXPECT_EQ(RadioMarkPlace(r, 10, 13, false).Mark.left, 2);
    p = RadioMarkPlace(r, 13, 13, true);
    EXPECT_EQ(p.Mark.right, 100);
    EXPECT_EQ(p.Background.left, 82);
    EXPECT_EQ(RadioMarkPlace(r, 15, 13, true).Mark.right, 99);
    EXPECT_EQ(RadioMarkPlace(r, 10, 13, true).Mark.right, 98);

    // Vertically centred, rounding toward zero, also when the cell is
    // taller than the rectangle; the rectangle's own top counts.
    EXPECT_EQ(CheckMarkPlace(RECT{0, 0, 50, 10}, 13, 13, false).Mark.top, -1);
    EXPECT_EQ(RadioMarkPlace(RECT{0, 5, 50, 25}, 13, 13, false).Mark.top, 8);
    EXPECT_EQ(RadioMarkPlace(RECT{7, 5, 50, 25}, 13, 13, false).Background.left, 7);
}

TEST(SkinChecksTest, XPLunaMarksArePixelExactInTheirColumnOnTheParentColour) {
    TSkinData data(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    TBitmap& checks = data.Buttons->CheckPicture;
    TBitmap& radios = data.Buttons->RadioPicture;
    // The skin's strips: 5 cells of 13 x 13 (no frame count given).
    ASSERT_EQ(data.Buttons->CheckButtonFrame, 5);
    ASSERT_EQ(checks.Width(), 65);
    ASSERT_EQ(checks.Height(), 13);
    ASSERT_EQ(data.Buttons->RadioButtonFrame, 5);

    TChecksForm form(Application);
    form.Show();
    form.check->SetState(cbChecked);
    form.radio->SetChecked(true);
    auto* check = new TSkinCheckBox(form.check);
    check->AttachControl(nullptr, &data, false, nullptr);
    auto* radio = new TSkinRadioButton(form.radio);
    radio->AttachControl(nullptr, &data, false, nullptr);
    const RECT r = WindowRectAtOrigin(check->Handle);
    ASSERT_EQ(r.right, 120);
    ASSERT_EQ(r.bottom, 17);

    // Checked check box: cell 2 at R.left + 1, rows 2..14; the 16-pixel
    // column around it in the form's colour; nothing else touched.
    TBitmap target(r.right, r.bottom);
    FillBitmap(target, kSentinel);
    check->PaintSkin(target.Canvas().Handle(), r);
    std::string where;
    TMarkPlace place = CheckMarkPlace(r, 13, 13, false);
    EXPECT_EQ(place.Mark.left, 1);
    EXPECT_EQ(MarkMismatches(target, place, checks, 5, 2, kParent, kSentinel, &where), 0) << where;
    // The same paint through the wrapper's own entry point with the DC.
    FillBitmap(target, kSentinel);
    check->PaintToWindow(target.Canvas().Handle());
    EXPECT_EQ(MarkMismatches(target, place, checks, 5, 2, kParent, kSentinel, &where), 0) << where;

    // Checked radio button: cell 2 at R.left.
    FillBitmap(target, kSentinel);
    radio->PaintSkin(target.Canvas().Handle(), r);
    place = RadioMarkPlace(r, 13, 13, false);
    EXPECT_EQ(place.Mark.left, 0);
    EXPECT_EQ(MarkMismatches(target, place, radios, 5, 2, kParent, kSentinel, &where), 0) << where;
    // Unchecked and disabled: cell 3.
    form.radio->SetChecked(false);
    form.radio->SetEnabled(false);
    FillBitmap(target, kSentinel);
    radio->PaintSkin(target.Canvas().Handle(), r);
    EXPECT_EQ(MarkMismatches(target, place, radios, 5, 3, kParent, kSentinel, &where), 0) << where;

    // After a real paint of the window the mark on screen is the skin's.
    form.check->SetState(cbUnchecked);
    RedrawWindow(check->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    place = CheckMarkPlace(r, 13, 13, false);
    int same = 0;
    for (int y = place.Mark.top; y < place.Mark.bottom; ++y)
        for (int x = place.Mark.left; x < place.Mark.right; ++x) {
            const TColor s = checks.Canvas().Pixel(x - place.Mark.left, y - place.Mark.top);
            same += ScreenPixel(check->Handle, x, y) == (s == kMagenta ? kParent : s);
        }
    EXPECT_EQ(same, 13 * 13);
}

TEST(SkinChecksTest, CellChoiceFollowsTheControlWithEitherStrip) {
    TSkinData data(nullptr);
    data.ButtonFaceColour = kFace;
    TChecksForm form(Application);
    form.Show();
    auto* check = new TSkinCheckBox(form.check);
    check->AttachControl(nullptr, &data, false, nullptr);
    auto* radio = new TSkinRadioButton(form.radio);
    radio->AttachControl(nullptr, &data, false, nullptr);
    const RECT r = WindowRectAtOrigin(check->Handle);
    const TMarkPlace checkPlace = CheckMarkPlace(r, 13, 13, false);
    const TMarkPlace radioPlace = RadioMarkPlace(r, 13, 13, false);

    // No strip: nothing drawn, the control's own mark stays.
    EXPECT_EQ(MarkCentre(*check, checkPlace), kSentinel);
    EXPECT_EQ(MarkCentre(*radio, radioPlace), kSentinel);

    // A 12-cell check strip: grayed 9, grayed and disabled 12, checked 5,
    // checked and disabled 8, unchecked and disabled 4.
    MakeStrip(data.Buttons->CheckPicture, 12, 13, 13);
    data.Buttons->CheckButtonFrame = 12;
    form.check->SetState(cbGrayed);
    EXPECT_EQ(MarkCentre(*check, checkPlace), CellColour(9));
    form.check->SetEnabled(false);
    EXPECT_EQ(MarkCentre(*check, checkPlace), CellColour(12));
    form.check->SetState(cbChecked);
    EXPECT_EQ(MarkCentre(*check, checkPlace), CellColour(8));
    form.check->SetState(cbUnchecked);
    EXPECT_EQ(MarkCentre(*check, checkPlace), CellColour(4));
    form.check->SetEnabled(true);
    form.check->SetState(cbChecked);
    EXPECT_EQ(MarkCentre(*check, checkPlace), CellColour(5));
    // A 4-cell strip: grayed is cell 4.
    MakeStrip(data.Buttons->CheckPicture, 4, 13, 13);
    data.Buttons->CheckButtonFrame = 4;
    form.check->SetState(cbGrayed);
    EXPECT_EQ(MarkCentre(*check, checkPlace), CellColour(4));
    // The property is read before the native state: the native mark says
    // checked, "State" says unchecked.
    form.check->SetState(cbUnchecked);
    SendMessageW(form.check->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(MarkCentre(*check, checkPlace), CellColour(1));

    // An 8-cell radio strip: a disabled checked radio button shows cell 8,
    // an enabled one cell 5; the "Checked" property counts, not the native.
    MakeStrip(data.Buttons->RadioPicture, 8, 13, 13);
    data.Buttons->RadioButtonFrame = 8;
    form.radio->SetChecked(true);
    form.radio->SetEnabled(false);
    EXPECT_EQ(MarkCentre(*radio, radioPlace), CellColour(8));
    form.radio->SetEnabled(true);
    EXPECT_EQ(MarkCentre(*radio, radioPlace), CellColour(5));
    SendMessageW(form.radio->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(MarkCentre(*radio, radioPlace), CellColour(5));
    form.other->SetChecked(true);
    EXPECT_EQ(MarkCentre(*radio, radioPlace), CellColour(1));
}

TEST(SkinChecksTest, LeftTextMarksSitAtTheRightAndRepaintOnlyTheirColumn) {
    TSkinData data(nullptr);
    MakeStrip(data.Buttons->CheckPicture, 4, 13, 13);
    data.Buttons->CheckButtonFrame = 4;
    MakeStrip(data.Buttons->RadioPicture, 4, 11, 11);
    data.Buttons->RadioButtonFrame = 4;
    TChecksForm form(Application);
    form.Show();
    form.check->SetAlignment(taLeftJustify);
    form.radio->SetAlignment(taLeftJustify);
    ASSERT_TRUE(GetWindowLongW(form.check->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    form.check->SetState(cbChecked);
    auto* check = new TSkinCheckBox(form.check);
    check->AttachControl(nullptr, &data, false, nullptr);
    auto* radio = new TSkinRadioButton(form.radio);
    radio->AttachControl(nullptr, &data, false, nullptr);
    const RECT r = WindowRectAtOrigin(check->Handle);

    // The check mark at the right edge (120 - 1 = 119 is its right), the
    // last 18 pixels in the parent's colour, the text area untouched.
    TBitmap target(r.right, r.bottom);
    FillBitmap(target, kSentinel);
    check->PaintSkin(target.Canvas().Handle(), r);
    TMarkPlace place = CheckMarkPlace(r, 13, 13, true);
    EXPECT_EQ(place.Mark.right, 119);
    std::string where;
    EXPECT_EQ(
        MarkMismatches(target, place, data.Buttons->CheckPicture, 4, 2, kParent, kSentinel, &where),
        0)
        << where;
    EXPECT_EQ(pixel_test::CountOther(target, 0, 0, r.right - 18, r.bottom, kSentinel), 0);
    EXPECT_EQ(At(target, r.right - 18, 0), kParent);

    // The radio mark (11-pixel cells): centred in the last 14 pixels.
    FillBitmap(target, kSentinel);
    radio->PaintSkin(target.Canvas().Handle(), r);
    place = RadioMarkPlace(r, 11, 11, true);
    EXPECT_EQ(place.Mark.right, 119);
    EXPECT_EQ(place.Mark.top, 3);
    EXPECT_EQ(
        MarkMismatches(target, place, data.Buttons->RadioPicture, 4, 1, kParent, kSentinel, &where),
        0)
        << where;
}

TEST(SkinChecksTest, RawButtonWindowsUseTheNativeStateOnTheFaceColour) {
    TSkinData data(nullptr);
    data.ButtonFaceColour = kFace;
    MakeStrip(data.Buttons->CheckPicture, 12, 13, 13);
    data.Buttons->CheckButtonFrame = 12;
    RawButton raw(BS_AUTO3STATE);
    auto* check = new TSkinCheckBox(nullptr);
    check->AttachWindow(raw.wnd, &data, nullptr, nullptr);
    ASSERT_TRUE(check->SubclassesWindow());
    const RECT r = WindowRectAtOrigin(raw.wnd);
    const TMarkPlace place = CheckMarkPlace(r, 13, 13, false);

    // Without a framework control the column takes the skin's face colour
    // and the cell comes from the native state.
    SendMessageA(raw.wnd, BM_SETCHECK, BST_INDETERMINATE, 0);
    TBitmap target(r.right, r.bottom);
    FillBitmap(target, kSentinel);
    check->PaintSkin(target.Canvas().Handle(), r);
    std::string where;
    EXPECT_EQ(
        MarkMismatches(target, place, data.Buttons->CheckPicture, 12, 9, kFace, kSentinel, &where),
        0)
        << where;
    SendMessageA(raw.wnd, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(MarkCentre(*check, place), CellColour(5));
    EnableWindow(raw.wnd, FALSE);
    EXPECT_EQ(MarkCentre(*check, place), CellColour(8));
    delete check;
}

TEST(SkinChecksTest, MarkRepaintsAtOnceOnPressReleaseDoubleClickAndNewState) {
    TSkinData data(nullptr);
    MakeStrip(data.Buttons->CheckPicture, 4, 13, 13);
    data.Buttons->CheckButtonFrame = 4;
    RawButton raw(BS_AUTOCHECKBOX);
    auto* check = new TSkinCheckBox(nullptr);
    check->AttachWindow(raw.wnd, &data, nullptr, nullptr);
    SetFocus(raw.wnd);
    PumpMessages(50);
    const RECT r = WindowRectAtOrigin(raw.wnd);
    const TMarkPlace place = CheckMarkPlace(r, 13, 13, false);
    const int cx = (place.Mark.left + place.Mark.right) / 2;
    const int cy = (place.Mark.top + place.Mark.bottom) / 2;
    const LPARAM at = MAKELPARAM(cx, cy);

    // Each message is sent after the mark was blotted out on screen; the
    // wrapper's mark is back before the sender gets control again.
    struct Step {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        int cell;
    };
    const Step steps[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, at, 1},
        {WM_LBUTTONUP, 0, at, 2},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, at, 2},
        {WM_LBUTTONUP, 0, at, 1},
        {BM_SETCHECK, BST_CHECKED, 0, 2},
        {CM_EXIT, 0, 0, 2},
        {CM_REPAINTMARK, 0, 0, 2},
    };
    for (const Step& s : steps) {
        Scribble(raw.wnd, place.Background);
        ASSERT_EQ(ScreenPixel(raw.wnd, cx, cy), RGB(0, 0, 0));
        SendMessageA(raw.wnd, s.msg, s.wp, s.lp);
        EXPECT_EQ(ScreenPixel(raw.wnd, cx, cy), CellColour(s.cell)) << "message " << s.msg;
    }
    // A message the mark does not depend on leaves the screen alone.
    Scribble(raw.wnd, place.Background);
    SendMessageA(raw.wnd, WM_NULL, 0, 0);
    EXPECT_EQ(ScreenPixel(raw.wnd, cx, cy), RGB(0, 0, 0));
    delete check;

    // A framework control is invalidated by the same messages, also by the
    // ones the platform's button ignores.
    TChecksForm form(Application);
    form.Show();
    auto* radio = new TSkinRadioButton(form.radio);
    radio->AttachControl(nullptr, &data, false, nullptr);
    for (UINT msg : {CM_EXIT, CM_REPAINTMARK}) {
        ValidateRect(radio->Handle, nullptr);
        SendMessageW(radio->Handle, msg, 0, 0);
        EXPECT_TRUE(GetUpdateRect(radio->Handle, nullptr, FALSE)) << "message " << msg;
    }
    ValidateRect(radio->Handle, nullptr);
    SendMessageW(radio->Handle, WM_NULL, 0, 0);
    EXPECT_FALSE(GetUpdateRect(radio->Handle, nullptr, FALSE));
}

TEST(SkinChecksTest, RegisteredByClassNameAndLeakFreeOverAThousandPaints) {
    RegisterCheckSkins();
    TChecksForm form(Application);
    for (const char* name : {"TSkinCheckBox", "TSkinRadioButton"}) {
        const TClassInfo* cls = FindClass(name);
        ASSERT_NE(cls, nullptr) << name;
        TObject* made = cls->CreateInstance(form.check);
        ASSERT_NE(made, nullptr);
        EXPECT_TRUE(made->InheritsFrom(TSkinControl::StaticClass()));
        EXPECT_EQ(made->ClassName(), name);
        delete made;
    }

    TSkinData data(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    form.Show();
    auto* check = new TSkinCheckBox(form.check);
    check->AttachControl(nullptr, &data, false, nullptr);
    auto* radio = new TSkinRadioButton(form.radio);
    radio->AttachControl(nullptr, &data, false, nullptr);
    const RECT r = WindowRectAtOrigin(check->Handle);
    TBitmap target(r.right, r.bottom);
    HDC dc = target.Canvas().Handle();
    check->PaintSkin(dc, r);
    radio->PaintSkin(dc, r);
    const int live = GdiLiveTotal();
    for (int i = 0; i < 1000; ++i) {
        check->PaintSkin(dc, r);
        radio->PaintSkin(dc, r);
        check->PaintToWindow(nullptr);
    }
    EXPECT_EQ(GdiLiveTotal(), live);
}

TEST(SkinChecksTest, GraphiteWideStripsShowGrayedAndDisabledCells) {
    TSkinData data(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(data, PackSkinFolder(LT_GRAPHITE_DIR)));
    ASSERT_EQ(data.Buttons->CheckButtonFrame, 12);
    ASSERT_EQ(data.Buttons->RadioButtonFrame, 8);
    ASSERT_EQ(data.Buttons->CheckPicture.Width(), 12 * 14);
    ASSERT_EQ(data.Buttons->RadioPicture.Width(), 8 * 14);
    TChecksForm form(Application);
    form.Show();
    form.check->SetState(cbGrayed);
    form.radio->SetChecked(true);
    form.radio->SetEnabled(false);
    auto* check = new TSkinCheckBox(form.check);
    check->AttachControl(nullptr, &data, false, nullptr);
    auto* radio = new TSkinRadioButton(form.radio);
    radio->AttachControl(nullptr, &data, false, nullptr);
    const RECT r = WindowRectAtOrigin(check->Handle);
    TBitmap target(r.right, r.bottom);
    std::string where;

    // A grayed check box: cell 9 of 12, 14-pixel cells at R.left + 1.
    FillBitmap(target, kSentinel);
    check->PaintSkin(target.Canvas().Handle(), r);
    TMarkPlace place = CheckMarkPlace(r, 14, 14, false);
    EXPECT_EQ(place.Mark.left, 1);
    EXPECT_EQ(MarkMismatches(target, place, data.Buttons->CheckPicture, 12, 9, kParent, kSentinel,
                             &where),
              0)
        << where;
    // Disabled as well: cell 12.
    form.check->SetEnabled(false);
    FillBitmap(target, kSentinel);
    check->PaintSkin(target.Canvas().Handle(), r);
    EXPECT_EQ(MarkMismatches(target, place, data.Buttons->CheckPicture, 12, 12, kParent, kSentinel,
                             &where),
              0)
        << where;

    // A disabled checked radio button: cell 8 of 8 at R.left.
    FillBitmap(target, kSentinel);
    radio->PaintSkin(target.Canvas().Handle(), r);
    place = RadioMarkPlace(r, 14, 14, false);
    EXPECT_EQ(place.Mark.left, 0);
    EXPECT_EQ(
        MarkMismatches(target, place, data.Buttons->RadioPicture, 8, 8, kParent, kSentinel, &where),
        0)
        << where;
}
