// Combo-box skin: state and layout rules, the attach that follows the inner
// edit or the simple combo's list, and the painters of the three button
// styles (separate button, flat, whole-control picture).
#include "skin/controls/skin_combos.h"

#include "framework/core/class_builder.h"
#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/paint_scope.h"
#include "framework/ui/messages.h"
#include "framework/ui/wincontrol.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"

LT_CLASS_TABLE(TSkinComBox) {}

void RegisterComboSkins() {
    RegisterClasses<TSkinComBox>();
}

// ---- geometry and state choice ----

int ComboState(bool pressed, bool focusedOrHot, bool enabled) {
    if (pressed)
        return kComboPressed;
    if (focusedOrHot)
        return kComboHot;
    return enabled ? kComboNormal : kComboDisabled;
}

int MirroredFrame(int n, int k) {
    return n + 1 - k;
}

bool IsDropDownCombo(DWORD style) {
    return (style & 1) == 0 || (style & 2) != 0;
}

bool IsTopLevelList(DWORD listStyle, HWND listParent, HWND desktop) {
    return (listStyle & WS_POPUP) != 0 || listParent == desktop;
}

TComboLayout ComboLayout(const RECT& r, int e, bool leftButton) {
    TComboLayout p;
    if (leftButton) {
        p.Text = RECT{r.left + e + 4, r.top + 2, r.right - 2, r.bottom - 2};
        p.Button = RECT{r.left, r.top, r.left + e + 2, r.bottom};
        // The glyph area starts at x = 2 whatever R's left edge is.
        p.Glyph = RECT{2, r.top, e + 2, r.bottom};
    } else {
        p.Text = RECT{r.left + 2, r.top + 2, r.right - e - 4, r.bottom - 2};
        p.Button = RECT{r.right - e - 2, r.top, r.right, r.bottom};
        p.Glyph = RECT{p.Button.left, r.top, r.right - 2, r.bottom};
    }
    return p;
}

TFlatComboLayout FlatComboLayout(const RECT& r, int thumb) {
    TFlatComboLayout p;
    p.Inner = r;
    InflateRect(&p.Inner, -1, -1);
    p.Button = p.Inner;
    InflateRect(&p.Button, -1, -1);
    p.Button.left = p.Button.right - thumb;
    return p;
}

// ---- wrapper ----

TSkinComBox::TSkinComBox(TComponent* owner) : TSkinControl(owner), edit_(this) {}

TSkinComBox::~TSkinComBox() {
    ReleaseEdit();
    if (ListScroll)
        ListScroll->Free();
}

void TSkinComBox::AttachControl(TWrapperHost* formSkinner, TSkinData* skinData, bool recolour,
                                TCanvas* canvas) {
    if (Attached)
        return;
    TSkinControl::AttachControl(formSkinner, skinData, recolour, canvas);
    if (!Attached)
        return;
    ComboStyle = static_cast<DWORD>(GetWindowLongW(Handle, GWL_STYLE));
    ListScroll = nullptr;
    if (IsDropDownCombo(ComboStyle)) {
        EditWindow = GetTopWindow(Handle);
        if (EditWindow && !edit_.Subclass(EditWindow))
            EditWindow = nullptr;
        ListWindow = nullptr;
    } else {
        // A simple combo paints nothing of the skin; off screen its area
        // below the list (erased, not painted, by the combo) would stay black.
        Control->SetDoubleBuffered(false);
        AttachList();
    }
}

// A simple combo's list is a child window with its own scroll bars: a
// scroll-bar wrapper made by class name covers them (none when that class is
// not registered, or the list is a top-level popup).
void TSkinComBox::AttachList() {
    if (!ReadComboInfo())
        return;
    ListWindow = ComboInfo.hwndList;
    ComboStyle = static_cast<DWORD>(GetWindowLongW(ListWindow, GWL_STYLE));
    if (IsTopLevelList(ComboStyle, GetAncestor(ListWindow, GA_PARENT), GetDesktopWindow()) ||
        !(ComboStyle & WS_CHILD))
        return;
    ListScroll = MakeWrapperByName(ListScrollClass, Owner() ? Owner() : this);
    if (!ListScroll)
        return;
    ListScroll->FreeNotification(this);
    ListScroll->AttachWindow(ListWindow, SkinData, FormSkinner, nullptr);
}

void TSkinComBox::RestoreControl() {
    TSkinControl::RestoreControl();
    ReleaseEdit();
}

void TSkinComBox::ReleaseEdit() {
    if (edit_.IsSubclassed())
        edit_.Unsubclass();
    EditWindow = nullptr;
}

void TSkinComBox::Notification(TComponent* c, TOperation op) {
    TSkinControl::Notification(c, op);
    if (op == opRemove && c == ListScroll)
        ListScroll = nullptr;
}

bool TSkinComBox::ReadComboInfo() {
    ComboInfo = COMBOBOXINFO{};
    ComboInfo.cbSize = sizeof(COMBOBOXINFO);
    return Handle && GetComboBoxInfo(Handle, &ComboInfo);
}

void TSkinComBox::SetPressed(bool pressed) {
    if (pressed)
        MouseState |= kMousePressed;
    else
        MouseState &= static_cast<uint8_t>(~kMousePressed);
    Refresh();
}

void TSkinComBox::AfterMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetPressed(true);
        break;
    case WM_LBUTTONUP:
        SetPressed(false);
        break;
    case WM_DRAWITEM:
    case WM_NCPAINT:
        Refresh();
        break;
    case CM_MOUSEENTER:
        // The window's own word: Enabled is otherwise only refreshed by a paint.
        Enabled = IsWindowEnabled(Handle) != FALSE;
        if (Enabled)
            MouseState |= kMouseHot;
        break;
    case CM_MOUSELEAVE:
        Enabled = IsWindowEnabled(Handle) != FALSE;
        if (Enabled)
            MouseState &= static_cast<uint8_t>(~kMouseHot);
        break;
    default:
        TSkinControl::AfterMessage(msg);
        break;
    }
}

void TSkinComBox::TEditWindow::WindowMessage(TMessage& msg) {
    CallPrevious(msg);
    if (!owner_->SkinActive)
        return;
    switch (msg.Msg) {
    case WM_PAINT:
        owner_->PaintToWindow(nullptr);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        owner_->SetPressed(true);
        break;
    case WM_LBUTTONUP:
        owner_->SetPressed(false);
        break;
    default:
        break;
    }
}

// The skin goes around the text the combo drew: nothing without a button
// picture, nothing for a combo without a button (a simple combo).
void TSkinComBox::PaintSkin(HDC dc, const RECT& r) {
    if (!SkinData || !SkinData->ComboButton || SkinData->ComboButton->Picture.Empty())
        return;
    ComboStyle = static_cast<DWORD>(GetWindowLongW(Handle, GWL_STYLE));
    ComboExStyle = static_cast<DWORD>(GetWindowLongW(Handle, GWL_EXSTYLE));
    if (ReadComboInfo() && (ComboInfo.stateButton & STATE_SYSTEM_INVISIBLE))
        return;
    Focused = GetFocus() == Handle;
    Enabled = !(ComboStyle & WS_DISABLED);
    const int state = ComboState((MouseState & kMousePressed) != 0,
                                 Focused || (MouseState & kMouseHot) != 0, Enabled);
    TDataSkinBorder& button = *SkinData->ComboButton;
    if (button.Style == 1)
        PaintFlat(dc, r, button, state);
    else
        PaintNormal(dc, r, button, state);
}

namespace {

// An off-screen copy of R holding what the DC shows now, so that the parts
// the skin leaves transparent keep the control's own drawing.
void SeedBuffer(const TBufferScope& buffer, HDC dc, const RECT& r) {
    BitBlt(buffer.DC(), r.left, r.top, r.right - r.left, r.bottom - r.top, dc, r.left, r.top,
           SRCCOPY);
}

} // namespace

// Styles 0 and 2: the whole-control picture over R (its text area is
// transparent), or the edit frame, the button cell and the glyph around the
// text area, which is left out of the copy to the screen.
void TSkinComBox::PaintNormal(HDC dc, const RECT& r, TDataSkinBorder& button, int state) {
    const bool left = (ComboExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    const TBufferScope buffer(dc, r);
    if (!buffer.Valid())
        return;
    SeedBuffer(buffer, dc, r);
    HDC mem = buffer.DC();
    if (button.Style == 2) {
        TDataSkinObject* whole = left ? SkinData->SunkEdge.get() : &button;
        if (whole && !whole->Picture.Empty()) {
            const int n = whole->FrameCount;
            DrawSkinElement(mem, r, whole->Picture, false, false, true, n,
                            left ? MirroredFrame(n, state) : state, whole->Margins(), COLORONCOLOR);
        }
        buffer.Present();
        return;
    }
    const TComboLayout place = ComboLayout(r, GetSystemMetrics(SM_CXHSCROLL), left);
    if (SkinData->SunkEdge)
        DrawElementFrame(mem, r, SkinData->SunkEdge->FrameCount, state, *SkinData->SunkEdge);
    const bool mirrored = left && !button.Picture2.Empty();
    const int n = button.FrameCount;
    DrawStripCell(mem, place.Button, n, mirrored ? MirroredFrame(n, state) : state,
                  mirrored ? button.Picture2 : button.Picture);
    if (TDataSkinObject* glyph = SkinData->ExtraImages.get(); glyph && !glyph->Picture.Empty())
        DrawSkinGlyph(mem, place.Glyph, glyph->Picture, glyph->Trans != 0, glyph->FrameCount,
                      state);
    const TSaveDC save(dc);
    ExcludeClipRect(dc, place.Text.left, place.Text.top, place.Text.right, place.Text.bottom);
    buffer.Present();
}

// Style 1: the DC's current brush frames the inside and fills the button,
// the button cell is stretched over it, and a shadow line frames it all.
void TSkinComBox::PaintFlat(HDC dc, const RECT& r, TDataSkinObject& button, int state) {
    auto brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    const TFlatComboLayout place = FlatComboLayout(r, GetSystemMetrics(SM_CYVTHUMB));
    const TBufferScope buffer(dc, r);
    if (!buffer.Valid())
        return;
    SeedBuffer(buffer, dc, r);
    HDC mem = buffer.DC();
    FrameRect(mem, &place.Inner, brush);
    FillRect(mem, &place.Button, brush);
    DrawSkinCell(mem, place.Button, button.Picture, button.Trans != 0, button.FrameCount, state,
                 COLORONCOLOR);
    const TBrushHandle shadow(CreateSolidBrush(ColorToRGB(SkinData->ButtonShadowColour)));
    FrameRect(mem, &r, shadow.Get());
    buffer.Present();
}
