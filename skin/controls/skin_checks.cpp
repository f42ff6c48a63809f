// Check-box and radio-button skins: the cell tables, the mark's place and
// the paint over the native mark.
#include "skin/controls/skin_checks.h"

#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/core/property_access.h"
#include "framework/gdi/paint_scope.h"
#include "framework/ui/messages.h"
#include "framework/ui/wincontrol.h"
#include "skin/model/skin_data.h"

LT_CLASS_TABLE(TSkinCheckBox) {}
LT_CLASS_TABLE(TSkinRadioButton) {}

void RegisterCheckSkins() {
    RegisterClasses<TSkinCheckBox, TSkinRadioButton>();
}

namespace {

// Cells of the wide check strip (12 cells): checked, disabled, grayed and
// the two indeterminate looks have their own cells.
constexpr int kWideCheckStrip = 12;
// Cells of the wide radio strip (8 cells).
constexpr int kWideRadioStrip = 8;

// Messages after which the mark may look different.
bool RepaintsMark(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case BM_SETCHECK:
    case CM_EXIT:
    case CM_REPAINTMARK:
        return true;
    default:
        return false;
    }
}

LONG WindowStyle(HWND wnd) {
    return wnd ? GetWindowLongW(wnd, GWL_STYLE) : 0;
}

// The "Checked" property as a cell: 2 for true, 1 otherwise; 0 without one.
int CheckedCell(TObject* control) {
    if (!HasProperty(control, "Checked"))
        return 0;
    return SkinReadEnum(control, "Checked") == "true" ? 2 : 1;
}

// Composes the mark column off screen over what the DC shows now (the mark
// may reach past the column) and copies it back in one piece.
template <class FillBackground>
void PaintMarkColumn(HDC dc, const TMarkPlace& place, int n, int k, TBitmap& strip,
                     FillBackground fill) {
    RECT area{};
    UnionRect(&area, &place.Background, &place.Mark);
    const TBufferScope buffer(dc, area);
    if (!buffer.Valid())
        return;
    BitBlt(buffer.DC(), area.left, area.top, area.right - area.left, area.bottom - area.top, dc,
           area.left, area.top, SRCCOPY);
    fill(buffer.DC(), place.Background);
    DrawStripCell(buffer.DC(), place.Mark, n, k, strip);
    buffer.Present();
}

// The cell before the strip's own rules: 1 unchecked, 2 checked (the
// properties' word before the native state's), two further when disabled.
int BaseMarkCell(uint32_t native, int propertyCell, bool disabled) {
    int c = (native & BST_CHECKED) ? 2 : 1;
    if (propertyCell != 0)
        c = propertyCell;
    return disabled ? c + 2 : c;
}

// Where the wide strips keep checked (5), disabled (4) and checked and
// disabled (8).
int WideStripCell(int c) {
    switch (c) {
    case 2:
        return 5;
    case 3:
        return 4;
    case 4:
        return 8;
    default:
        return c;
    }
}

// The mark centred vertically in R; on the right it is centred in the last
// `rightColumn` pixels (1 pixel in when wider), on the left in 14 pixels
// moved by `leftShift` (`wideInset` in when wider). The column under it is
// 18 pixels on the right, 16 on the left.
TMarkPlace PlaceMark(const RECT& r, int w, int h, bool leftText, int rightColumn, int leftShift,
                     int wideInset) {
    constexpr int kLeftColumn = kMarkColumn - 1;
    TMarkPlace p;
    p.Mark.top = r.top + (r.bottom - r.top - h) / 2;
    p.Mark.bottom = p.Mark.top + h;
    if (leftText) {
        p.Mark.right = w > rightColumn ? r.right - 1 : r.right - (rightColumn - w) / 2;
        p.Mark.left = p.Mark.right - w;
        p.Background = RECT{r.right - 18, r.top, r.right, r.bottom};
    } else {
        p.Mark.left =
            w > kLeftColumn ? r.left + wideInset : r.left + (kLeftColumn - w) / 2 + leftShift;
        p.Mark.right = p.Mark.left + w;
        p.Background = RECT{r.left, r.top, r.left + 16, r.bottom};
    }
    return p;
}

} // namespace

int CheckPropertyCell(TObject* control) {
    if (HasProperty(control, "State")) {
        const std::string state = SkinReadEnum(control, "State");
        if (state.find("uncheck") != std::string::npos)
            return 1;
        if (state.find("check") != std::string::npos)
            return 2;
        if (state.find("gray") != std::string::npos)
            return 4;
        return 0;
    }
    return CheckedCell(control);
}

int RadioPropertyCell(TObject* control) {
    return CheckedCell(control);
}

int CheckMarkCell(int frameCount, uint32_t nativeState, int propertyCell, bool disabled) {
    const bool indeterminate = (nativeState & BST_INDETERMINATE) != 0;
    int c = BaseMarkCell(nativeState, propertyCell, disabled);
    if (indeterminate)
        c = 4;
    if (frameCount == kWideCheckStrip) {
        c = WideStripCell(c);
        if (indeterminate)
            c = disabled ? 12 : 9;
    }
    return c;
}

int RadioMarkCell(int frameCount, uint32_t nativeCheck, int propertyCell, bool disabled) {
    const int c = BaseMarkCell(nativeCheck, propertyCell, disabled);
    return frameCount == kWideRadioStrip ? WideStripCell(c) : c;
}

// The check mark sits in the last 15 pixels on the right, or one pixel in
// from the left; the radio mark in 14 pixels on either side.
TMarkPlace CheckMarkPlace(const RECT& r, int cellWidth, int cellHeight, bool leftText) {
    return PlaceMark(r, cellWidth, cellHeight, leftText, kMarkColumn, 1, 2);
}

TMarkPlace RadioMarkPlace(const RECT& r, int cellWidth, int cellHeight, bool leftText) {
    return PlaceMark(r, cellWidth, cellHeight, leftText, kMarkColumn - 1, 0, 0);
}

namespace {

// What tells a check mark from a radio mark: its strip and frame count in
// the skin, the message that asks the native state, and its rules.
struct TMarkKind {
    TBitmap TDataSkinButton::*Strip;
    int32_t TDataSkinButton::*Frames;
    UINT StateMessage;
    int (*PropertyCell)(TObject*);
    int (*Cell)(int, uint32_t, int, bool);
    TMarkPlace (*Place)(const RECT&, int, int, bool);
};
const TMarkKind kCheckMark{&TDataSkinButton::CheckPicture,
                           &TDataSkinButton::CheckButtonFrame,
                           BM_GETSTATE,
                           CheckPropertyCell,
                           CheckMarkCell,
                           CheckMarkPlace};
const TMarkKind kRadioMark{&TDataSkinButton::RadioPicture,
                           &TDataSkinButton::RadioButtonFrame,
                           BM_GETCHECK,
                           RadioPropertyCell,
                           RadioMarkCell,
                           RadioMarkPlace};

// The check state comes from the control's properties first, the native
// state second; the window style gives the disabled look and the side. A
// skin without the strip leaves the control's own mark.
template <class FillBackground>
void PaintMark(const TMarkKind& kind, TSkinControl& w, HDC dc, const RECT& rect,
               FillBackground fill) {
    if (!w.SkinData || !w.SkinData->Buttons || (w.SkinData->Buttons.get()->*kind.Strip).Empty())
        return;
    TBitmap& strip = w.SkinData->Buttons.get()->*kind.Strip;
    const int n = std::max(w.SkinData->Buttons.get()->*kind.Frames, 1);
    const auto state = static_cast<uint32_t>(SendMessageA(w.Handle, kind.StateMessage, 0, 0));
    const LONG style = WindowStyle(w.Handle);
    const int property = w.Control ? kind.PropertyCell(w.Control) : 0;
    const int c = kind.Cell(n, state, property, (style & WS_DISABLED) != 0);
    const TMarkPlace place =
        kind.Place(rect, strip.Width() / n, strip.Height(), (style & BS_LEFTTEXT) != 0);
    PaintMarkColumn(dc, place, n, c, strip, fill);
}

} // namespace

bool TSkinCheckBox::BeforeMessage(TMessage& msg) {
    return !AnswerTextColours(msg) && TSkinControl::BeforeMessage(msg);
}

void TSkinCheckBox::AfterMessage(TMessage& msg) {
    if (RepaintsMark(msg.Msg))
        Refresh();
    else
        TSkinControl::AfterMessage(msg);
}

void TSkinCheckBox::PaintSkin(HDC dc, const RECT& rect) {
    PaintMark(kCheckMark, *this, dc, rect, [this](HDC d, const RECT& r) { FillParent(d, r); });
}

bool TSkinRadioButton::BeforeMessage(TMessage& msg) {
    return !AnswerTextColours(msg) && TSkinControl::BeforeMessage(msg);
}

void TSkinRadioButton::AfterMessage(TMessage& msg) {
    if (RepaintsMark(msg.Msg))
        Refresh();
    else
        TSkinControl::AfterMessage(msg);
}

void TSkinRadioButton::PaintSkin(HDC dc, const RECT& rect) {
    PaintMark(kRadioMark, *this, dc, rect, [this](HDC d, const RECT& r) { FillParent(d, r); });
}
