// Check-box and radio-button skins: the cell tables and the mark's place as
// pure functions, then pixel-exact marks on real framework controls and raw
// button windows under Wine (the real XPLuna strips and hand-made strips of
// known colours), the repaint after press, release, double click and a new
// check state, registration by class name, and GDI counters over many paints.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_checks.h"
#include "framework/ui/messages.h"
#include "skin/controls/skin_checks.h"
#include "skin/model/skin_data.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/controls/wrapper_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace {

using pixel_test::At;
using wrapper_test::WindowRectAtOrigin;

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

std::unique_ptr<TBitmap> PaintOf(TSkinControl& w) {
    return wrapper_test::PaintOf(w, kSentinel);
}

// Whether the wrapper paints exactly cell k of `strip` in `place`: the
// strip's pixels in the mark (magenta shows the column), `bg` in the rest
// of the column, nothing anywhere else.
testing::AssertionResult PaintsMark(TSkinControl& w, const TMarkPlace& place, TBitmap& strip, int n,
                                    int k, TColor bg) {
    auto target = PaintOf(w);
    const int cw = strip.Width() / n;
    int bad = 0;
    std::string first;
    for (int y = 0; y < target->Height(); ++y)
        for (int x = 0; x < target->Width(); ++x) {
            const POINT p{x, y};
            TColor want = PtInRect(&place.Background, p) ? bg : kSentinel;
            if (PtInRect(&place.Mark, p)) {
                const TColor c =
                    strip.Canvas().Pixel((k - 1) * cw + x - place.Mark.left, y - place.Mark.top);
                want = c == kMagenta ? want : c;
            }
            if (At(*target, x, y) != want && bad++ == 0) {
                char buf[96];
                snprintf(buf, sizeof buf, "(%d,%d)=%06X want %06X", x, y,
                         unsigned(At(*target, x, y)), unsigned(want));
                first = buf;
            }
        }
    if (bad == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << bad << " pixels differ, first " << first;
}

// The colour the wrapper paints at the middle of the mark.
TColor MarkCentre(TSkinControl& w, const TMarkPlace& place) {
    return At(*PaintOf(w), (place.Mark.left + place.Mark.right) / 2,
              (place.Mark.top + place.Mark.bottom) / 2);
}

// A shown form with a check box, a radio button and a second radio button,
// the first two wrapped with the given skin.
class TChecksForm : public TForm {
public:
    explicit TChecksForm(TSkinData* data) : TForm(Application) {
        SetBounds(40, 40, 320, 200);
        SetColor(kParent);
        check = Add<TCheckBox>(10);
        radio = Add<TRadioButton>(40);
        other = Add<TRadioButton>(70);
        if (!data)
            return;
        Show();
        checkSkin = new TSkinCheckBox(check);
        checkSkin->AttachControl(nullptr, data, false, nullptr);
        radioSkin = new TSkinRadioButton(radio);
        radioSkin->AttachControl(nullptr, data, false, nullptr);
        r = WindowRectAtOrigin(check->Handle());
    }
    template <class T> T* Add(int top) {
        auto* c = new T(this);
        c->SetParent(this);
        c->SetBounds(10, top, 120, 17);
        c->SetCaption(L"Mark");
        return c;
    }
    TCheckBox* check;
    TRadioButton* radio;
    TRadioButton* other;
    TSkinCheckBox* checkSkin = nullptr;
    TSkinRadioButton* radioSkin = nullptr;
    RECT r{};
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
    TChecksForm form(nullptr);
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

TEST(SkinChecksTest, RealSkinsMarksArePixelExactInTheirColumnOnTheParentColour) {
    // XPLuna: 5 cells of 13 x 13 (no frame count given).
    TSkinData luna(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(luna, model_test::ProjectSkin()));
    TBitmap& checks = luna.Buttons->CheckPicture;
    TBitmap& radios = luna.Buttons->RadioPicture;
    ASSERT_EQ(luna.Buttons->CheckButtonFrame, 5);
    ASSERT_EQ(luna.Buttons->RadioButtonFrame, 5);
    ASSERT_EQ(checks.Width(), 65);
    ASSERT_EQ(checks.Height(), 13);
    TChecksForm form(&luna);
    ASSERT_EQ(form.r.right, 120);
    ASSERT_EQ(form.r.bottom, 17);
    form.check->SetState(cbChecked);
    form.radio->SetChecked(true);
    // Checked: cell 2 at R.left + 1 (check) and R.left (radio), rows 2..14,
    // in the 16-pixel column of the form's colour; nothing else touched.
    TMarkPlace place = CheckMarkPlace(form.r, 13, 13, false);
    EXPECT_EQ(place.Mark.left, 1);
    EXPECT_TRUE(PaintsMark(*form.checkSkin, place, checks, 5, 2, kParent));
    place = RadioMarkPlace(form.r, 13, 13, false);
    EXPECT_EQ(place.Mark.left, 0);
    EXPECT_TRUE(PaintsMark(*form.radioSkin, place, radios, 5, 2, kParent));
    // Unchecked and disabled: cell 3.
    form.radio->SetChecked(false);
    form.radio->SetEnabled(false);
    EXPECT_TRUE(PaintsMark(*form.radioSkin, place, radios, 5, 3, kParent));
    // A real paint of the window puts the skin's mark on screen.
    form.check->SetState(cbUnchecked);
    RedrawWindow(form.check->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    place = CheckMarkPlace(form.r, 13, 13, false);
    int same = 0;
    for (int y = place.Mark.top; y < place.Mark.bottom; ++y)
        for (int x = place.Mark.left; x < place.Mark.right; ++x) {
            const TColor s = checks.Canvas().Pixel(x - place.Mark.left, y - place.Mark.top);
            same += ScreenPixel(form.check->Handle(), x, y) == (s == kMagenta ? kParent : s);
        }
    EXPECT_EQ(same, 13 * 13);

    // Graphite: 12 check cells and 8 radio cells of 14 x 14. A grayed check
    // box shows cell 9 (12 when disabled); a disabled checked radio button
    // shows cell 8.
    TSkinData graphite(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(graphite, PackSkinFolder(LT_GRAPHITE_DIR)));
    ASSERT_EQ(graphite.Buttons->CheckButtonFrame, 12);
    ASSERT_EQ(graphite.Buttons->RadioButtonFrame, 8);
    ASSERT_EQ(graphite.Buttons->CheckPicture.Width(), 12 * 14);
    ASSERT_EQ(graphite.Buttons->RadioPicture.Width(), 8 * 14);
    form.checkSkin->SkinData = &graphite;
    form.radioSkin->SkinData = &graphite;
    form.check->SetState(cbGrayed);
    form.radio->SetChecked(true);
    place = CheckMarkPlace(form.r, 14, 14, false);
    EXPECT_EQ(place.Mark.left, 1);
    EXPECT_TRUE(PaintsMark(*form.checkSkin, place, graphite.Buttons->CheckPicture, 12, 9, kParent));
    form.check->SetEnabled(false);
    EXPECT_TRUE(
        PaintsMark(*form.checkSkin, place, graphite.Buttons->CheckPicture, 12, 12, kParent));
    place = RadioMarkPlace(form.r, 14, 14, false);
    EXPECT_TRUE(PaintsMark(*form.radioSkin, place, graphite.Buttons->RadioPicture, 8, 8, kParent));
}

TEST(SkinChecksTest, CellChoiceFollowsTheControlWithEitherStrip) {
    TSkinData data(nullptr);
    TChecksForm form(&data);
    TSkinCheckBox& check = *form.checkSkin;
    TSkinRadioButton& radio = *form.radioSkin;
    const TMarkPlace checkPlace = CheckMarkPlace(form.r, 13, 13, false);
    const TMarkPlace radioPlace = RadioMarkPlace(form.r, 13, 13, false);
    // No strip: nothing drawn, the control's own mark stays.
    EXPECT_EQ(MarkCentre(check, checkPlace), kSentinel);
    EXPECT_EQ(MarkCentre(radio, radioPlace), kSentinel);

    // A 12-cell check strip: grayed 9, grayed and disabled 12, checked and
    // disabled 8, unchecked and disabled 4, checked 5.
    MakeStrip(data.Buttons->CheckPicture, 12, 13, 13);
    data.Buttons->CheckButtonFrame = 12;
    struct Case {
        TCheckBoxState state;
        bool enabled;
        int cell;
    };
    for (const Case& c :
         {Case{cbGrayed, true, 9}, Case{cbGrayed, false, 12}, Case{cbChecked, false, 8},
          Case{cbUnchecked, false, 4}, Case{cbChecked, true, 5}}) {
        form.check->SetState(c.state);
        form.check->SetEnabled(c.enabled);
        EXPECT_EQ(MarkCentre(check, checkPlace), CellColour(c.cell)) << c.cell;
    }
    // A 4-cell strip: grayed is cell 4.
    MakeStrip(data.Buttons->CheckPicture, 4, 13, 13);
    data.Buttons->CheckButtonFrame = 4;
    form.check->SetState(cbGrayed);
    EXPECT_EQ(MarkCentre(check, checkPlace), CellColour(4));
    // "State" comes before the native state: the native mark says checked.
    form.check->SetState(cbUnchecked);
    SendMessageW(form.check->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(MarkCentre(check, checkPlace), CellColour(1));

    // An 8-cell radio strip: disabled and checked 8, checked 5; "Checked"
    // counts, not the native state.
    MakeStrip(data.Buttons->RadioPicture, 8, 13, 13);
    data.Buttons->RadioButtonFrame = 8;
    form.radio->SetChecked(true);
    form.radio->SetEnabled(false);
    EXPECT_EQ(MarkCentre(radio, radioPlace), CellColour(8));
    form.radio->SetEnabled(true);
    SendMessageW(form.radio->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(MarkCentre(radio, radioPlace), CellColour(5));
    form.other->SetChecked(true);
    EXPECT_EQ(MarkCentre(radio, radioPlace), CellColour(1));
}

TEST(SkinChecksTest, LeftTextMarksSitAtTheRightAndRepaintOnlyTheirColumn) {
    TSkinData data(nullptr);
    MakeStrip(data.Buttons->CheckPicture, 4, 13, 13);
    data.Buttons->CheckButtonFrame = 4;
    MakeStrip(data.Buttons->RadioPicture, 4, 11, 11);
    data.Buttons->RadioButtonFrame = 4;
    TChecksForm form(&data);
    form.check->SetAlignment(taLeftJustify);
    form.radio->SetAlignment(taLeftJustify);
    ASSERT_TRUE(GetWindowLongW(form.check->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    form.check->SetState(cbChecked);
    // The check mark ends 1 pixel before the right edge, the last 18 pixels
    // take the parent's colour, the text area keeps the control's painting.
    TMarkPlace place = CheckMarkPlace(form.r, 13, 13, true);
    EXPECT_EQ(place.Mark.right, 119);
    EXPECT_EQ(place.Background.left, 120 - 18);
    EXPECT_TRUE(PaintsMark(*form.checkSkin, place, data.Buttons->CheckPicture, 4, 2, kParent));
    // The radio mark (11-pixel cells) centred in the last 14 pixels.
    place = RadioMarkPlace(form.r, 11, 11, true);
    EXPECT_EQ(place.Mark.right, 119);
    EXPECT_EQ(place.Mark.top, 3);
    EXPECT_TRUE(PaintsMark(*form.radioSkin, place, data.Buttons->RadioPicture, 4, 1, kParent));
}

TEST(SkinChecksTest, RawButtonWindowsUseTheNativeStateOnTheFaceColour) {
    TSkinData data(nullptr);
    data.ButtonFaceColour = kFace;
    MakeStrip(data.Buttons->CheckPicture, 12, 13, 13);
    data.Buttons->CheckButtonFrame = 12;
    RawButton raw(BS_AUTO3STATE);
    TSkinCheckBox check(nullptr);
    check.AttachWindow(raw.wnd, &data, nullptr, nullptr);
    ASSERT_TRUE(check.SubclassesWindow());
    // Without a framework control the column takes the skin's face colour
    // and the cell comes from the native state.
    const TMarkPlace place = CheckMarkPlace(WindowRectAtOrigin(raw.wnd), 13, 13, false);
    SendMessageA(raw.wnd, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_TRUE(PaintsMark(check, place, data.Buttons->CheckPicture, 12, 9, kFace));
    SendMessageA(raw.wnd, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(MarkCentre(check, place), CellColour(5));
    EnableWindow(raw.wnd, FALSE);
    EXPECT_EQ(MarkCentre(check, place), CellColour(8));
}

TEST(SkinChecksTest, MarkRepaintsAtOnceOnPressReleaseDoubleClickAndNewState) {
    TSkinData data(nullptr);
    MakeStrip(data.Buttons->CheckPicture, 4, 13, 13);
    data.Buttons->CheckButtonFrame = 4;
    RawButton raw(BS_AUTOCHECKBOX);
    auto check = std::make_unique<TSkinCheckBox>(nullptr);
    check->AttachWindow(raw.wnd, &data, nullptr, nullptr);
    SetFocus(raw.wnd);
    PumpPending();
    const TMarkPlace place = CheckMarkPlace(WindowRectAtOrigin(raw.wnd), 13, 13, false);
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
        // A release without a press: the button itself does nothing.
        {WM_LBUTTONUP, 0, at, 2},
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
    check.reset();

    // A framework control is invalidated by the same messages, also by the
    // ones the platform's button ignores.
    TChecksForm form(&data);
    HWND wnd = form.radio->Handle();
    for (UINT msg : {CM_EXIT, CM_REPAINTMARK, UINT(WM_NULL)}) {
        ValidateRect(wnd, nullptr);
        SendMessageW(wnd, msg, 0, 0);
        EXPECT_EQ(GetUpdateRect(wnd, nullptr, FALSE) != FALSE, msg != WM_NULL) << msg;
    }
}

TEST(SkinChecksTest, RegisteredByClassNameAndLeakFreeOverAHundredPaints) {
    RegisterCheckSkins();
    TSkinData data(nullptr);
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    TChecksForm form(&data);
    for (const char* name : {"TSkinCheckBox", "TSkinRadioButton"}) {
        const TClassInfo* cls = FindClass(name);
        ASSERT_NE(cls, nullptr) << name;
        std::unique_ptr<TObject> made(cls->CreateInstance(form.other));
        ASSERT_NE(made, nullptr);
        EXPECT_TRUE(made->InheritsFrom(TSkinControl::StaticClass()));
        EXPECT_EQ(made->ClassName(), name);
    }
    TBitmap target(form.r.right, form.r.bottom);
    HDC dc = target.Canvas().Handle();
    // The first paints give the strips their drawing contexts, kept with them.
    form.checkSkin->PaintSkin(dc, form.r);
    form.radioSkin->PaintSkin(dc, form.r);
    const int live = GdiLiveTotal();
    for (int i = 0; i < 100; ++i) {
        form.checkSkin->PaintSkin(dc, form.r);
        form.radioSkin->PaintSkin(dc, form.r);
        form.checkSkin->PaintToWindow(nullptr);
    }
    EXPECT_EQ(GdiLiveTotal(), live);
}

// The platform asks the parent for the colours of a check box's or radio
// button's text (reflected to the control): the wrapper answers with the
// skin's colour for the control's font colour over the parent's colour, in
// the DC's own brush. Switched off, the platform answers; a raw window's
// parent answers with the skin's window text over its face brush.
TEST(SkinChecksTest, TextTakesTheSkinsColourOverTheParentsColour) {
    TSkinData data(nullptr);
    data.WindowTextColour = RGB(230, 232, 235);
    data.ButtonFaceColour = kFace;
    TChecksForm form(&data);
    form.SetColor(kParent);
    const TMemoryDC dc;
    for (TWinControl* c : std::initializer_list<TWinControl*>{form.check, form.radio}) {
        SetTextColor(dc.Handle(), RGB(1, 1, 1));
        const LRESULT brush = c->Perform(CN_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Handle()),
                                         reinterpret_cast<LPARAM>(c->Handle()));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH)));
        EXPECT_EQ(GetTextColor(dc.Handle()), RGB(230, 232, 235));
        EXPECT_EQ(GetBkColor(dc.Handle()), static_cast<COLORREF>(kParent));
        EXPECT_EQ(GetDCBrushColor(dc.Handle()), static_cast<COLORREF>(kParent));
    }
    // An application's own font colour is kept.
    form.check->Font().SetColor(clRed);
    form.check->Perform(CN_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.Handle()),
                        reinterpret_cast<LPARAM>(form.check->Handle()));
    EXPECT_EQ(GetTextColor(dc.Handle()), static_cast<COLORREF>(clRed));
    // Not skinned: the question goes on to the platform's default answer.
    SendMessageW(form.check->Handle(), SM_WRAPPERSWITCH, 0, 0);
    SetTextColor(dc.Handle(), RGB(1, 1, 1));
    EXPECT_NE(form.check->Perform(CN_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Handle()),
                                  reinterpret_cast<LPARAM>(form.check->Handle())),
              reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH)));
    EXPECT_EQ(GetTextColor(dc.Handle()), GetSysColor(COLOR_WINDOWTEXT));

    // The raw answer: the face brush for a static, the earlier brush for a button.
    data.FaceBrush = TBrushHandle(CreateSolidBrush(kFace));
    TMessage stat{WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Handle()), 0, 0};
    AnswerRawTextColours(stat, data);
    EXPECT_EQ(stat.Result, reinterpret_cast<LRESULT>(data.FaceBrush.Get()));
    EXPECT_EQ(GetTextColor(dc.Handle()), RGB(230, 232, 235));
    EXPECT_EQ(GetBkMode(dc.Handle()), TRANSPARENT);
    TMessage button{WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.Handle()), 0, 77};
    AnswerRawTextColours(button, data);
    EXPECT_EQ(button.Result, 77);
}
