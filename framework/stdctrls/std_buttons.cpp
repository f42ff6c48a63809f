// TButtonControl, TButton and TBitBtn over the platform's button, and the
// windowless TSpeedButton; the glyph layout they share.
#include "framework/stdctrls/std_buttons.h"

#include "framework/core/class_builder.h"
#include "framework/core/filer.h"
#include "framework/core/stream.h"
#include "framework/stdctrls/std_paint.h"

#include <vector>

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    SetColor(clBtnFace);
    SetTabStop(true);
}

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = L"BUTTON";
}

void TButtonControl::Click() {
    if (click_.Blocks())
        return;
    TWinControl::Click();
}

void TButtonControl::NotifyClick() {
    TFlagScope scope(click_.notifying);
    Clicked();
}

void TButtonControl::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case WM_LBUTTONDBLCLK:
        // A second click in quick succession is a click like the first.
        msg.Msg = WM_LBUTTONDOWN;
        TWinControl::WndProc(msg);
        return;
    case WM_LBUTTONUP: {
        TFlagScope scope(click_.inMouseUp);
        TWinControl::WndProc(msg);
        return;
    }
    case CN_COMMAND:
        if (HIWORD(msg.WParam) == BN_CLICKED) {
            NotifyClick();
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(msg);
}

// The layout axis runs along the glyph's side: horizontal for glyph left or
// right, vertical for top or bottom. Across it both items are centred. Along
// it, margin -1 centres the pair (spacing -1 as well: three equal gaps) and
// spacing -1 puts the text in the middle of what the glyph leaves.
TButtonLayoutResult CalcButtonLayout(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout,
                                     int margin, int spacing) {
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    TButtonLayoutResult r{};
    if (horizontal) {
        r.glyph.y = (client.cy - glyph.cy + 1) / 2;
        r.text.y = (client.cy - text.cy + 1) / 2;
    } else {
        r.glyph.x = (client.cx - glyph.cx + 1) / 2;
        r.text.x = (client.cx - text.cx + 1) / 2;
    }
    const int c = horizontal ? client.cx : client.cy;
    const int g = horizontal ? glyph.cx : glyph.cy;
    const int t = horizontal ? text.cx : text.cy;
    if (t == 0 || g == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (c - (g + t)) / 3;
            spacing = margin;
        } else {
            margin = (c - (g + spacing + t) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (c - (margin + g) - t) / 2;
    }
    int gp = 0, tp = 0;
    switch (layout) {
    case blGlyphLeft:
    case blGlyphTop:
        gp = margin;
        tp = gp + g + spacing;
        break;
    case blGlyphRight:
    case blGlyphBottom:
        gp = c - margin - g;
        tp = gp - spacing - t;
        break;
    }
    (horizontal ? r.glyph.x : r.glyph.y) = gp;
    (horizontal ? r.text.x : r.text.y) = tp;
    return r;
}

int GlyphCellFor(int numGlyphs, bool enabled, bool pressed, bool down) {
    int cell = 0;
    if (!enabled)
        cell = 1;
    else if (down && !pressed)
        cell = 3;
    else if (pressed || down)
        cell = 2;
    if (cell == 3 && numGlyphs < 4)
        cell = 2;
    return cell < numGlyphs ? cell : 0;
}

int NumGlyphsOfPicture(int width, int height) {
    if (height > 0 && width % height == 0 && width / height >= 1 && width / height <= 4)
        return width / height;
    return 1;
}

void TGlyphHolder::AssignGlyph(const TBitmap& b) {
    glyph_->Assign(b);
    numGlyphs_ = NumGlyphsOfPicture(glyph_->Width(), glyph_->Height());
}

void TGlyphHolder::LoadGlyphBytes(const uint8_t* data, size_t size) {
    if (size == 0)
        glyph_->Clear();
    else
        glyph_->LoadFromBmpBytes(data, size);
    numGlyphs_ = NumGlyphsOfPicture(glyph_->Width(), glyph_->Height());
}

SIZE TGlyphHolder::GlyphSize() const {
    if (glyph_->Empty())
        return SIZE{0, 0};
    return SIZE{glyph_->Width() / numGlyphs_, glyph_->Height()};
}

void TGlyphHolder::DrawGlyph(HDC dc, int x, int y, int cell) {
    if (glyph_->Empty())
        return;
    const SIZE g = GlyphSize();
    const UINT key = ColorToRGB(glyph_->TransparentColor());
    HDC src = glyph_->Canvas().Handle();
    GdiTransparentBlt(dc, x, y, g.cx, g.cy, src, cell * g.cx, 0, g.cx, g.cy, key);
}

// "GlyphData": the picture as BMP file bytes, written when there is one.
void TGlyphHolder::DefineGlyphData(TFiler& filer, const std::function<void()>& changed) {
    filer.DefineBinaryProperty(
        "GlyphData",
        [this, changed](TStream& s) {
            std::vector<uint8_t> bytes(static_cast<size_t>(s.Size() - s.Position()));
            if (!bytes.empty())
                s.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
            // NumGlyphs is a property of its own in a definition.
            const int n = numGlyphs_;
            LoadGlyphBytes(bytes.data(), bytes.size());
            numGlyphs_ = n;
            changed();
        },
        [this](TStream& s) {
            const std::vector<uint8_t> bytes = glyph_->SaveToBmpBytes();
            s.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        },
        !glyph_->Empty());
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.style |= active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
    default_ = v;
    TCustomForm* form = ParentForm();
    FocusChanged(form ? form->ActiveControl() : nullptr);
}

void TButton::SetButtonStyle(bool asDefault) {
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETSTYLE, asDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// The focused button takes Enter; with the focus elsewhere the default one does.
void TButton::FocusChanged(TWinControl* focused) {
    const bool active = dynamic_cast<TButton*>(focused) ? focused == this : default_;
    active_ = active;
    SetButtonStyle(active);
}

void TButton::Click() {
    if (TCustomForm* form = ParentForm(); form && modalResult_ != mrNone)
        form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case CM_DIALOGKEY: {
        const bool plain =
            GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
        if (plain && CanFocus() &&
            ((msg.WParam == VK_RETURN && active_) || (msg.WParam == VK_ESCAPE && cancel_))) {
            Click();
            msg.Result = 1;
            return;
        }
        break;
    }
    case CM_FOCUSCHANGED:
        FocusChanged(reinterpret_cast<TWinControl*>(msg.LParam));
        break;
    default:
        break;
    }
    TButtonControl::WndProc(msg);
}

namespace {
struct TKindInfo {
    const wchar_t* caption;
    TModalResult result;
};
// Captions and modal results of the stock kinds (bkCustom first).
const TKindInfo kKinds[] = {
    {L"", mrNone},        {L"OK", mrOk},          {L"Cancel", mrCancel}, {L"&Help", mrNone},
    {L"&Yes", mrYes},     {L"&No", mrNo},         {L"&Close", mrNone},   {L"Abort", mrAbort},
    {L"&Retry", mrRetry}, {L"&Ignore", mrIgnore}, {L"&All", mrAll},
};
} // namespace

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

void TBitBtn::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    isDefault_ = (params.style & BS_DEFPUSHBUTTON) != 0;
    params.style = (params.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TBitBtn::SetButtonStyle(bool asDefault) {
    if (asDefault != isDefault_) {
        isDefault_ = asDefault;
        Invalidate();
    }
}

void TBitBtn::SetGlyph(const TBitmap& b) {
    glyph_.AssignGlyph(b);
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int v) {
    glyph_.SetNumGlyphsValue(v);
    Invalidate();
}

TBitBtnKind TBitBtn::Kind() const {
    if (kind_ == bkCustom)
        return bkCustom;
    const bool def = kind_ == bkOK || kind_ == bkYes;
    const bool cancel = kind_ == bkCancel || kind_ == bkNo;
    if (Default() != def || Cancel() != cancel || ModalResult() != kKinds[kind_].result)
        return bkCustom;
    return kind_;
}

void TBitBtn::SetKind(TBitBtnKind v) {
    kind_ = v;
    if (v == bkCustom)
        return;
    SetDefault(v == bkOK || v == bkYes);
    SetCancel(v == bkCancel || v == bkNo);
    SetModalResult(kKinds[v].result);
    if (!HasState(csReading) || Caption().empty())
        SetCaption(kKinds[v].caption);
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout v) {
    layout_ = v;
    Invalidate();
}

void TBitBtn::SetMargin(int v) {
    margin_ = v < -1 ? -1 : v;
    Invalidate();
}

void TBitBtn::SetSpacing(int v) {
    spacing_ = v < -1 ? -1 : v;
    Invalidate();
}

SIZE TBitBtn::CaptionSize(HDC dc) {
    return MeasureCaption(dc, Font().Handle(), Caption());
}

TButtonLayoutResult TBitBtn::CurrentLayout() {
    TClientDC dc(nullptr);
    const RECT r = ClientRect();
    return CalcButtonLayout(SIZE{r.right, r.bottom}, glyph_.GlyphSize(), CaptionSize(dc.Handle()),
                            layout_, margin_, spacing_);
}

// Face, frame (thick when default, sunken when pressed), glyph, caption and
// focus rectangle, composed off-screen.
void TBitBtn::DrawItem(const DRAWITEMSTRUCT& dis) {
    const RECT all = dis.rcItem;
    TOffscreenBuffer buffer(dis.hDC, all);
    HDC dc = buffer.Handle();
    const bool pressed = (dis.itemState & ODS_SELECTED) != 0;
    const bool enabled = (dis.itemState & ODS_DISABLED) == 0;
    RECT r = all;
    FillColor(dc, r, Color());
    if (isDefault_ || (dis.itemState & ODS_FOCUS)) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    if (pressed) {
        Frame3D(dc, r, clBtnShadow, clBtnShadow, 1);
    } else {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
        FillColor(dc, r, Color());
    }
    TSelectObject font(dc, Font().Handle());
    SetTextColor(dc, ColorToRGB(Font().Color()));
    const SIZE text = CaptionSize(dc);
    TButtonLayoutResult lay = CalcButtonLayout(SIZE{all.right, all.bottom}, glyph_.GlyphSize(),
                                               text, layout_, margin_, spacing_);
    const int shift = pressed ? 1 : 0;
    glyph_.DrawGlyph(dc, lay.glyph.x + shift, lay.glyph.y + shift,
                     GlyphCellFor(glyph_.NumGlyphs(), enabled, pressed, false));
    RECT tr{lay.text.x + shift, lay.text.y + shift, lay.text.x + shift + text.cx,
            lay.text.y + shift + text.cy};
    DrawCaptionText(dc, Caption(), tr, DT_SINGLELINE | DT_NOCLIP, enabled);
    if ((dis.itemState & ODS_FOCUS) && !(dis.itemState & ODS_NOFOCUSRECT)) {
        RECT fr = all;
        InflateRect(&fr, -4, -4);
        DrawFocusRect(dc, &fr);
    }
}

void TBitBtn::WndProc(TMessage& msg) {
    if (msg.Msg == CN_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam));
        msg.Result = 1;
        return;
    }
    TButton::WndProc(msg);
}

void TBitBtn::DefineProperties(TFiler& filer) {
    TButton::DefineProperties(filer);
    glyph_.DefineGlyphData(filer, [this] { Invalidate(); });
}

int SpeedButtonFrame(bool flat, bool hot, bool pressed, bool down, bool enabled) {
    if (pressed || down)
        return 2;
    if (flat)
        return hot && enabled ? 1 : 0;
    return 1;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
}

void TSpeedButton::SetGroupIndex(int v) {
    groupIndex_ = v;
    if (v == 0)
        SetDown(false);
    else if (down_)
        UpdateExclusive();
}

// Without a group the button never stays down; the down button of a group
// comes up by a click only when AllowAllUp is set.
void TSpeedButton::SetDown(bool v) {
    if (groupIndex_ == 0)
        v = false;
    if (v == down_)
        return;
    if (!v && !allowAllUp_ && !HasState(csReading))
        return;
    down_ = v;
    if (v)
        UpdateExclusive();
    Invalidate();
}

void TSpeedButton::UpdateExclusive() {
    if (!parent_ || groupIndex_ == 0)
        return;
    for (int i = 0; i < parent_->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(parent_->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_) {
            if (down_ && other->down_) {
                other->down_ = false;
                other->Invalidate();
            }
            other->allowAllUp_ = allowAllUp_;
        }
    }
}

void TSpeedButton::SetAllowAllUp(bool v) {
    allowAllUp_ = v;
    UpdateExclusive();
}

void TSpeedButton::SetFlat(bool v) {
    flat_ = v;
    Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap& b) {
    glyph_.AssignGlyph(b);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int v) {
    glyph_.SetNumGlyphsValue(v);
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
    layout_ = v;
    Invalidate();
}

void TSpeedButton::SetMargin(int v) {
    margin_ = v < -1 ? -1 : v;
    Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
    spacing_ = v < -1 ? -1 : v;
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        pressed_ = tracking_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    if (tracking_) {
        const RECT r = ClientRect();
        const bool inside = PtInRect(&r, POINT{x, y}) != FALSE;
        if (inside != pressed_) {
            pressed_ = inside;
            Invalidate();
        }
    }
    TGraphicControl::MouseMove(shift, x, y);
}

// A release over the button latches or unlatches it before OnClick runs.
void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && tracking_) {
        tracking_ = false;
        const bool inside = pressed_;
        pressed_ = false;
        if (inside && groupIndex_ != 0)
            SetDown(!down_);
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::WndProc(TMessage& msg) {
    TGraphicControl::WndProc(msg);
    if ((msg.Msg == CM_MOUSEENTER || msg.Msg == CM_MOUSELEAVE) && flat_)
        Invalidate();
}

// Face (lighter while latched), frame, then glyph and caption, pushed one
// pixel while down; composed off-screen.
void TSpeedButton::Paint() {
    const RECT all = ClientRect();
    TOffscreenBuffer buffer(Canvas().Handle(), all);
    HDC dc = buffer.Handle();
    FillColor(dc, all, down_ && !pressed_ ? clBtnHighlight : Color());
    RECT r = all;
    switch (SpeedButtonFrame(flat_, MouseInControl(), pressed_, down_, Enabled())) {
    case 1:
        if (flat_)
            Frame3D(dc, r, clBtnHighlight, clBtnShadow, 1);
        else
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        break;
    case 2:
        Frame3D(dc, r, clBtnShadow, clBtnHighlight, 1);
        break;
    default:
        break;
    }
    TSelectObject font(dc, Font().Handle());
    SetTextColor(dc, ColorToRGB(Font().Color()));
    const SIZE text = MeasureCaption(dc, Font().Handle(), Caption());
    const TButtonLayoutResult lay = CalcButtonLayout(
        SIZE{all.right, all.bottom}, glyph_.GlyphSize(), text, layout_, margin_, spacing_);
    const int shift = pressed_ || down_ ? 1 : 0;
    glyph_.DrawGlyph(dc, lay.glyph.x + shift, lay.glyph.y + shift,
                     GlyphCellFor(glyph_.NumGlyphs(), Enabled(), pressed_, down_));
    RECT tr{lay.text.x + shift, lay.text.y + shift, lay.text.x + shift + text.cx,
            lay.text.y + shift + text.cy};
    DrawCaptionText(dc, Caption(), tr, DT_SINGLELINE | DT_NOCLIP, Enabled());
}

// Buttons read one by one agree on their group once all are there: a down
// button puts the others up, and AllowAllUp set on one holds for all.
void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    if (down_ || allowAllUp_)
        UpdateExclusive();
}

void TSpeedButton::DefineProperties(TFiler& filer) {
    TGraphicControl::DefineProperties(filer);
    glyph_.DefineGlyphData(filer, [this] { Invalidate(); });
}

LT_CLASS_TABLE(TButtonControl) {}

LT_CLASS_TABLE(TButton) {
    c.Boolean("Default", &TButton::Default, &TButton::SetDefault)
        .Default(false)
        .Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel)
        .Default(false)
        .Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
        .Default(mrNone);
}

LT_CLASS_TABLE(TBitBtn) {
    c.SubObject("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph)
        .Enum("Kind", &TBitBtn::Kind, &TBitBtn::SetKind)
        .Default(bkCustom)
        .Integer("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
        .Default(1)
        .Enum("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout)
        .Default(blGlyphLeft)
        .Integer("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
        .Default(-1)
        .Integer("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing)
        .Default(4);
}

LT_CLASS_TABLE(TSpeedButton) {
    c.SubObject("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph)
        .Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
        .Default(0)
        .Boolean("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
        .Default(false)
        .Boolean("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
        .Default(false)
        .Boolean("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
        .Default(false)
        .Integer("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
        .Default(1)
        .Enum("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout)
        .Default(blGlyphLeft)
        .Integer("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin)
        .Default(-1)
        .Integer("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
        .Default(4);
}
