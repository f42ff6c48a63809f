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

// The vertical half of both marks: centred in R.
void CentreMark(const RECT& r, int cellHeight, RECT& mark) {
    mark.top = r.top + (r.bottom - r.top - cellHeight) / 2;
    mark.bottom = mark.top + cellHeight;
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
    int c = (nativeState & BST_CHECKED) ? 2 : 1;
    if (propertyCell != 0)
        c = propertyCell;
    if (disabled)
        c += 2;
    if (indeterminate)
        c = 4;
    if (frameCount == kWideCheckStrip) {
        if (c == 2)
            c = 5;
        else if (c == 3)
            c = 4;
        else if (c == 4)
            c = 8;
        if (indeterminate)
            c = disabled ? 12 : 9;
    }
    return c;
}

int RadioMarkCell(int frameCount, uint32_t nativeCheck, int propertyCell, bool disabled) {
    int c = (nativeCheck & BST_CHECKED) ? 2 : 1;
    if (propertyCell != 0)
        c = propertyCell;
    if (disabled)
        c += 2;
    if (frameCount == kWideRadioStrip) {
        if (c == 2)
            c = 5;
        else if (c == 3)
            c = 4;
        else if (c == 4)
            c = 8;
    }
    return c;
}

TMarkPlace CheckMarkPlace(const RECT& r, int cellWidth, int cellHeight, bool leftText) {
    TMarkPlace p;
    CentreMark(r, cellHeight, p.Mark);
    if (leftText) {
        p.Mark.right =
            cellWidth > kMarkColumn ? r.right - 1 : r.right - (kMarkColumn - cellWidth) / 2;
        p.Mark.left = p.Mark.right - cellWidth;
        p.Background = RECT{r.right - 18, r.top, r.right, r.bottom};
    } else {
        p.Mark.left = cellWidth > kMarkColumn - 1 ? r.left + 2
                                                  : r.left + (kMarkColumn - 1 - cellWidth) / 2 + 1;
        p.Mark.right = p.Mark.left + cellWidth;
        p.Background = RECT{r.left, r.top, r.left + 16, r.bottom};
    }
    return p;
}

TMarkPlace RadioMarkPlace(const RECT& r, int cellWidth, int cellHeight, bool leftText) {
    TMarkPlace p;
    CentreMark(r, cellHeight, p.Mark);
    const int column = kMarkColumn - 1;
    if (leftText) {
        p.Mark.right = cellWidth > column ? r.right - 1 : r.right - (column - cellWidth) / 2;
        p.Mark.left = p.Mark.right - cellWidth;
        p.Background = RECT{r.right - 18, r.top, r.right, r.bottom};
    } else {
        p.Mark.left = cellWidth > column ? r.left : r.left + (column - cellWidth) / 2;
        p.Mark.right = p.Mark.left + cellWidth;
        p.Background = RECT{r.left, r.top, r.left + 16, r.bottom};
    }
    return p;
}

void TSkinCheckBox::AfterMessage(TMessage& msg) {
    if (RepaintsMark(msg.Msg))
        Refresh();
    else
        TSkinControl::AfterMessage(msg);
}

// The check state comes from the control's properties first, the native
// state second; the window style gives the disabled look and the side.
void TSkinCheckBox::PaintSkin(HDC dc, const RECT& rect) {
    if (!SkinData || !SkinData->Buttons || SkinData->Buttons->CheckPicture.Empty())
        return;
    TBitmap& strip = SkinData->Buttons->CheckPicture;
    const int n = std::max(SkinData->Buttons->CheckButtonFrame, 1);
    const auto state = static_cast<uint32_t>(SendMessageA(Handle, BM_GETSTATE, 0, 0));
    const LONG style = WindowStyle(Handle);
    const int c = CheckMarkCell(n, state, Control ? CheckPropertyCell(Control) : 0,
                                (style & WS_DISABLED) != 0);
    const TMarkPlace place =
        CheckMarkPlace(rect, strip.Width() / n, strip.Height(), (style & BS_LEFTTEXT) != 0);
    PaintMarkColumn(dc, place, n, c, strip,
                    [this](HDC target, const RECT& r) { FillParent(target, r); });
}

void TSkinRadioButton::AfterMessage(TMessage& msg) {
    if (RepaintsMark(msg.Msg))
        Refresh();
    else
        TSkinControl::AfterMessage(msg);
}

void TSkinRadioButton::PaintSkin(HDC dc, const RECT& rect) {
    if (!SkinData || !SkinData->Buttons || SkinData->Buttons->RadioPicture.Empty())
        return;
    TBitmap& strip = SkinData->Buttons->RadioPicture;
    const int n = std::max(SkinData->Buttons->RadioButtonFrame, 1);
    const auto check = static_cast<uint32_t>(SendMessageA(Handle, BM_GETCHECK, 0, 0));
    const LONG style = WindowStyle(Handle);
    const int c = RadioMarkCell(n, check, Control ? RadioPropertyCell(Control) : 0,
                                (style & WS_DISABLED) != 0);
    const TMarkPlace place =
        RadioMarkPlace(rect, strip.Width() / n, strip.Height(), (style & BS_LEFTTEXT) != 0);
    PaintMarkColumn(dc, place, n, c, strip,
                    [this](HDC target, const RECT& r) { FillParent(target, r); });
}
