// Panel, group box, status bar, header, size box and glyph-strip wrappers.
#include "skin/controls/skin_panels.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "framework/core/class_builder.h"
#include "framework/core/property_access.h"
#include "framework/gdi/color.h"
#include "framework/gdi/font.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/paint_scope.h"
#include "framework/ui/wincontrol.h"
#include "skin/controls/skin_control_text.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"

LT_CLASS_TABLE(TSkinStatusBar) {}
LT_CLASS_TABLE(TSkinGroupBox) {}
LT_CLASS_TABLE(TSkinBox) {}
LT_CLASS_TABLE(TSkinBoxH) {}
LT_CLASS_TABLE(TSkinSizer) {}
LT_CLASS_TABLE(TSkinHeader) {}
LT_CLASS_TABLE(TSkinObjImage) {}

void RegisterPanelSkins() {
    RegisterClasses<TSkinStatusBar, TSkinGroupBox, TSkinBox, TSkinBoxH, TSkinSizer, TSkinHeader,
                    TSkinObjImage>();
}

namespace {

// Frame counts fixed by the skin model.
constexpr int kStatusEdgeFrames = 3;
constexpr int kExtraImageFrames = 5;
constexpr int kGripCell = 5;
constexpr int kHeaderFrames = 5;
// Caption inset of a group box.
constexpr int kGroupCaptionInset = 9;

bool HasPicture(const std::unique_ptr<TDataSkinObject>& element) {
    return element && !element->Picture.Empty();
}

// A one-pixel 3-D frame: `topLeft` on the top and left, `bottomRight` on the
// bottom and right.
void Frame3D(HDC dc, const RECT& r, TColor topLeft, TColor bottomRight) {
    if (r.right - r.left < 1 || r.bottom - r.top < 1)
        return;
    TBrushHandle light(CreateSolidBrush(ColorToRGB(topLeft)));
    TBrushHandle dark(CreateSolidBrush(ColorToRGB(bottomRight)));
    const RECT top{r.left, r.top, r.right - 1, r.top + 1};
    const RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
    const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    const RECT right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, light.Get());
    FillRect(dc, &left, light.Get());
    FillRect(dc, &bottom, dark.Get());
    FillRect(dc, &right, dark.Get());
}

// The font of a control's window (WM_GETFONT), or none.
HFONT WindowFont(HWND wnd) {
    return reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0));
}

} // namespace

// ---- geometry and state choice ----

int StatusBevelFrame(TStatusPanelBevel bevel) {
    switch (bevel) {
    case pbRaised:
        return 2;
    case pbLowered:
        return 1;
    default:
        return 3;
    }
}

UINT StatusTextFormat(TAlignment alignment, TBiDiMode bidiMode) {
    if (bidiMode == bdRightToLeft) {
        if (alignment == taLeftJustify)
            alignment = taRightJustify;
        else if (alignment == taRightJustify)
            alignment = taLeftJustify;
    }
    switch (alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

RECT StatusPanelRect(const RECT& part, const RECT& bar, bool last) {
    RECT p = part;
    p.right += 2;
    if (last)
        p.right = bar.right;
    return p;
}

RECT StatusGripRect(const RECT& bar, int cellWidth, int cellHeight) {
    return RECT{bar.right - 1 - cellWidth, bar.bottom - 1 - cellHeight, bar.right - 1,
                bar.bottom - 1};
}

int GroupBoxFrameTop(int textHeight) {
    return textHeight / 2 - 1;
}

int HeaderTextAlignment(int format) {
    switch (format & 0xFF) {
    case HDF_RIGHT:
        return 2;
    case HDF_CENTER:
        return 1;
    default:
        return 0;
    }
}

int HeaderImageIndex(int format, int image) {
    return (format & (HDF_IMAGE | HDF_OWNERDRAW)) ? image : -1;
}

RECT HeaderFillerRect(const RECT& bar, int rightMost) {
    return RECT{std::max(rightMost, static_cast<int>(bar.left)), bar.top, bar.right, bar.bottom};
}

int GlyphSlotCell(int slot, int cellCount) {
    switch (slot) {
    case 1:
    case 4:
        return 1;
    case 2:
    case 5:
        return 2;
    case 7:
        return 3;
    case 8:
        return 4;
    case 3:
    case 6:
    case 9:
        return cellCount == 5 ? 5 : 0;
    default:
        return 0;
    }
}

void MakeGlyphStrip(TBitmap& checks, int cellCount, TBitmap& strip) {
    strip.Clear();
    if (checks.Empty() || cellCount < 1)
        return;
    const int w = checks.Width() / cellCount, h = checks.Height();
    if (w < 1)
        return;
    strip.SetSize(9 * w, h);
    HDC target = strip.Canvas().Handle();
    // The empty slots keep the key colour, so they draw as nothing.
    const RECT all{0, 0, 9 * w, h};
    TBrushHandle key(CreateSolidBrush(kSkinKeyColor));
    FillRect(target, &all, key.Get());
    HDC source = checks.Canvas().Handle();
    for (int slot = 1; slot <= 9; ++slot) {
        const int cell = GlyphSlotCell(slot, cellCount);
        if (cell > 0 && cell <= cellCount)
            BitBlt(target, (slot - 1) * w, 0, w, h, source, (cell - 1) * w, 0, SRCCOPY);
    }
}

// ---- status bar ----

// The bar's own paint (background, bevels, texts, grip, owner-drawn panels)
// would be covered whole by the skin, and it costs many times the copy of
// the kept picture, so it is not run; neither is the buffered paint of the
// control, whose picture the whole-window paint would cover again.
bool TSkinStatusBar::BeforeMessage(TMessage& msg) {
    if (msg.Msg != WM_PAINT || !SkinData)
        return TSkinControl::BeforeMessage(msg);
    if (msg.WParam) {
        PaintToWindow(reinterpret_cast<HDC>(msg.WParam));
    } else {
        const TPaintScope scope(Handle);
        PaintToWindow(nullptr);
    }
    msg.Result = 0;
    return false;
}

void TSkinStatusBar::PaintSkin(HDC dc, const RECT& r) {
    auto* bar = dynamic_cast<TStatusBar*>(Control);
    if (!bar || !SkinData)
        return;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w > 0 && h > 0) {
        // Composed off screen when anything it shows changed, then copied
        // in one piece.
        TLookKey key;
        std::vector<TStatusPanelLook> panels = ReadPanels(*bar, r);
        const TStatusBarLook look = ReadLook(*bar, std::move(panels), key);
        key.Add(r);
        if (!kept_.Current(key, w, h))
            Compose(look, r);
        kept_.CopyTo(dc, r.left, r.top, RECT{0, 0, w, h});
    }
    DrawOwnerPanels(dc, *bar);
}

void TSkinStatusBar::SkinChanged() {
    kept_.Forget();
    TSkinControl::SkinChanged();
}

// What the bar shows now, and everything it is drawn from in `key`.
TSkinStatusBar::TStatusBarLook
TSkinStatusBar::ReadLook(TStatusBar& bar, std::vector<TStatusPanelLook> panels, TLookKey& key) {
    TStatusBarLook look;
    TFont& font = TextFont(bar);
    look.Font = font.Handle();
    // The skin's status text colour, else the skin's colour for the bar's
    // own font colour.
    look.TextColour = ColorToRGB(SkinData->StatusBarEdges ? SkinData->StatusBarEdges->NormalColour2
                                                          : TextColour(bar.Font().Color()));
    look.Simple = bar.SimplePanel() || bar.Panels()->Count() == 0;
    if (look.Simple) {
        look.SimpleText = SkinReadText(&bar, "simpletext");
        if (look.SimpleText.empty())
            look.SimpleText = L" ";
    }
    look.Panels = std::move(panels);
    look.Grip = (GetWindowLongW(Handle, GWL_STYLE) & SBARS_SIZEGRIP) != 0;
    key.Add(textFontKey_).Add(look.TextColour).Add(ColorToRGB(FaceColour()));
    key.Add(ColorToRGB(clBtnShadow)).Add(ColorToRGB(clBtnHighlight));
    key.Add(look.Simple).Add(look.SimpleText).Add(look.Grip);
    for (const TStatusPanelLook& p : look.Panels)
        key.Add(p.Rect).Add(p.Format).Add(p.Frame).Add(p.HasText).Add(p.Text);
    for (TDataSkinObject* e : {SkinData->StatusBarEdges.get(), SkinData->ExtraImages.get()}) {
        key.Add(e != nullptr);
        if (e) {
            const TSkinMargins m = e->Margins();
            key.AddPicture(e->Picture).Add(m.Left).Add(m.Top).Add(m.Right).Add(m.Bottom);
            key.Add(e->TilesMiddle());
        }
    }
    return look;
}

// Each panel's painted rectangle, bevel frame, text and alignment.
std::vector<TSkinStatusBar::TStatusPanelLook> TSkinStatusBar::ReadPanels(TStatusBar& bar,
                                                                         const RECT& r) {
    std::vector<TStatusPanelLook> panels;
    if (bar.SimplePanel())
        return panels;
    const int count = bar.Panels()->Count();
    for (int i = 0; i < count; ++i) {
        TStatusPanel* panel = bar.Panels()->Items(i);
        RECT part{};
        if (!SendMessageW(Handle, SB_GETRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&part)))
            continue;
        TStatusPanelLook p;
        p.Rect = StatusPanelRect(part, r, i == count - 1);
        p.Format = StatusTextFormat(panel->Alignment(), panel->BiDiMode());
        p.Frame = StatusBevelFrame(panel->Bevel());
        p.HasText = panel->Style() == psText;
        if (p.HasText) {
            p.Text = SkinReadText(panel, "Text");
            if (p.Text.empty())
                p.Text = L" ";
        }
        panels.push_back(std::move(p));
    }
    return panels;
}

// Draws the bar into the kept picture, whose first pixel stands for r's
// top-left corner.
void TSkinStatusBar::Compose(const TStatusBarLook& look, const RECT& r) {
    HDC mem = kept_.DC();
    const TSaveDC save(mem);
    SetViewportOrgEx(mem, -r.left, -r.top, nullptr);
    FillFace(mem, r);
    TSelectObject pick(mem, look.Font);
    SetTextColor(mem, look.TextColour);
    if (look.Simple) {
        DrawBevel(mem, r, 1);
        RECT t = r;
        InflateRect(&t, -2, 0);
        DrawCentredText(mem, t, DT_LEFT, true, look.SimpleText);
    }
    for (const TStatusPanelLook& p : look.Panels) {
        DrawBevel(mem, p.Rect, p.Frame);
        if (!p.HasText)
            continue;
        RECT t = p.Rect;
        InflateRect(&t, -2, 0);
        DrawCentredText(mem, t, p.Format, true, p.Text);
    }
    if (look.Grip)
        DrawGrip(mem, r);
}

// The bar's font without its style, made again only when the bar's font
// changes (a font made at every paint costs more than the rest of it).
TFont& TSkinStatusBar::TextFont(TStatusBar& bar) {
    const LOGFONTW lf = bar.Font().LogFont();
    if (std::memcmp(&lf, &textFontKey_, sizeof lf) != 0) {
        textFont_.Assign(bar.Font());
        textFont_.SetStyle({});
        textFontKey_ = lf;
    }
    return textFont_;
}

// Frame f of StatusBarEdges stretched over the rectangle, opaque; plain
// 3-D lines without the picture.
void TSkinStatusBar::DrawBevel(HDC dc, const RECT& rect, int frame) {
    if (rect.right < rect.left || rect.bottom < rect.top)
        return;
    if (HasPicture(SkinData->StatusBarEdges)) {
        TDataSkinObject& edges = *SkinData->StatusBarEdges;
        DrawSkinElement(dc, rect, edges.Picture, false, edges.TilesMiddle(), false,
                        kStatusEdgeFrames, frame, edges.Margins(), COLORONCOLOR);
        return;
    }
    if (frame == 1)
        Frame3D(dc, rect, clBtnShadow, clBtnHighlight);
    else if (frame == 2)
        Frame3D(dc, rect, clBtnHighlight, clBtnShadow);
}

void TSkinStatusBar::DrawGrip(HDC dc, const RECT& r) {
    if (!HasPicture(SkinData->ExtraImages))
        return;
    TBitmap& picture = SkinData->ExtraImages->Picture;
    const int w = picture.Width() / kExtraImageFrames, h = picture.Height();
    DrawStripCell(dc, StatusGripRect(r, w, h), kExtraImageFrames, kGripCell, picture);
}

// The application draws its owner-drawn panels over the skin.
void TSkinStatusBar::DrawOwnerPanels(HDC dc, TStatusBar& bar) {
    if (!bar.OnDrawPanel)
        return;
    const int count = bar.Panels()->Count();
    for (int i = 0; i < count; ++i) {
        RECT part{};
        if (!SendMessageW(Handle, SB_GETRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&part)))
            continue;
        InflateRect(&part, -1, -1);
        bar.DrawPanel(dc, i, part);
    }
}

// ---- group box ----

void TSkinGroupBox::PaintSkin(HDC dc, const RECT& r) {
    Caption = ReadWindowText();
    if (Caption.empty() && Control)
        Caption = SkinReadText(Control, "Caption");
    HFONT font = Control ? Control->Font().Handle() : WindowFont(Handle);
    TBrushHandle face(CreateSolidBrush(ColorToRGB(FaceColour())));
    TPenHandle pen(
        CreatePen(PS_SOLID, 1, ColorToRGB(SkinData ? SkinData->ButtonShadowColour : clBtnShadow)));
    const TSaveDC save(dc);
    std::optional<TSelectObject> pickFont;
    if (font)
        pickFont.emplace(dc, font);
    // The control's font colour (the skin's once recoloured); a raw group
    // box takes the skin's window text colour.
    SetTextColor(
        dc, ColorToRGB(Control ? TextColour(Control->Font().Color()) : TextColour(clWindowText)));
    SIZE zero{};
    GetTextExtentPoint32A(dc, "0", 1, &zero);
    const int t = GroupBoxFrameTop(zero.cy);

    // Clear a two-pixel ring where the control drew its own frame.
    RECT ring{0, t, r.right, r.bottom};
    FrameRect(dc, &ring, face.Get());
    InflateRect(&ring, -1, -1);
    FrameRect(dc, &ring, face.Get());

    {
        const TSelectObject pickPen(dc, pen.Get());
        const TSelectObject pickBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, 1, t, r.right - 1, r.bottom - 1, 5, 5);
    }
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(FaceColour()));
    RECT text{r.left + kGroupCaptionInset, r.top, r.right, r.bottom};
    DrawWindowText(dc, Caption, text, DT_EXPANDTABS);
}

// ---- panels and dialog backgrounds ----

void TSkinBox::AttachControl(TWrapperHost* formSkinner, TSkinData* skinData, bool recolour,
                             TCanvas* canvas) {
    FormSkinner = formSkinner;
    SkinData = skinData;
    Recolour = recolour;
    Canvas = canvas;
    Control = dynamic_cast<TWinControl*>(Owner());
    if (!Control)
        return;
    Handle = Control->Handle();
    if (FormSkinner)
        FormSkinner->RegisterWrapper(this);
    if (Recolour) {
        SavedColor = Control->Color();
        Control->SetColor(FaceColour());
        RecolourText();
    }
}

void TSkinBox::RestoreControl() {
    if (Recolour && Control) {
        Control->SetColor(SavedColor);
        RestoreTextColour();
    }
}

void TSkinBox::AfterMessage(TMessage&) {}

bool TSkinBoxH::BeforeMessage(TMessage& msg) {
    if ((msg.Msg == WM_CTLCOLORSTATIC || msg.Msg == WM_CTLCOLORBTN) && SkinData) {
        CallPrevious(msg);
        AnswerRawTextColours(msg, *SkinData);
        return false;
    }
    if (msg.Msg != WM_ERASEBKGND)
        return TSkinControl::BeforeMessage(msg);
    HDC dc = reinterpret_cast<HDC>(msg.WParam);
    RECT w{};
    if (dc && GetWindowRect(Handle, &w)) {
        const RECT all{0, 0, w.right - w.left, w.bottom - w.top};
        if (SkinData && SkinData->FaceBrush)
            FillRect(dc, &all, SkinData->FaceBrush.Get());
        else
            FillFace(dc, all);
    }
    msg.Result = 0;
    return false;
}

void TSkinSizer::PaintSkin(HDC dc, const RECT& r) {
    FillFace(dc, r);
}

// ---- header ----

bool TSkinHeader::BeforeMessage(TMessage& msg) {
    if (msg.Msg == WM_ERASEBKGND) {
        if (SkinData && HasPicture(SkinData->Headerbar)) {
            msg.Result = 1;
            return false;
        }
        return true;
    }
    return TSkinControl::BeforeMessage(msg);
}

void TSkinHeader::PaintSkin(HDC dc, const RECT& r) {
    if (!SkinData || !HasPicture(SkinData->Headerbar))
        return;
    TBufferScope buffer(dc, r);
    if (!buffer.Valid())
        return;
    HDC mem = buffer.DC();
    const TSaveDC save(mem);
    std::optional<TSelectObject> pickFont;
    if (HFONT font = WindowFont(Handle))
        pickFont.emplace(mem, font);
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, ColorToRGB(TextColour(clWindowText)));
    auto list = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, HDM_GETIMAGELIST, 0, 0));
    const int count = static_cast<int>(SendMessageW(Handle, HDM_GETITEMCOUNT, 0, 0));
    int rightMost = 0;
    for (int i = 0; i < count; ++i)
        DrawItem(mem, i, list, rightMost);
    if (rightMost < r.right)
        DrawHeaderFrame(mem, HeaderFillerRect(r, rightMost));
    buffer.Present();
}

// Frame 1 of Headerbar stretched over the rectangle, opaque.
void TSkinHeader::DrawHeaderFrame(HDC dc, const RECT& rect) {
    TDataSkinObject& bar = *SkinData->Headerbar;
    DrawSkinElement(dc, rect, bar.Picture, false, bar.TilesMiddle(), false, kHeaderFrames, 1,
                    bar.Margins(), COLORONCOLOR);
}

// One item: frame 1 of Headerbar under its image and text.
void TSkinHeader::DrawItem(HDC dc, int index, HIMAGELIST list, int& rightMost) {
    RECT h{};
    if (!SendMessageW(Handle, HDM_GETITEMRECT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&h)))
        return;
    wchar_t text[201] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = 201;
    SendMessageW(Handle, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    DrawHeaderFrame(dc, h);
    if (item.pszText && item.pszText[0]) {
        DrawImageText(dc, h, HeaderTextAlignment(item.fmt), item.pszText,
                      HeaderImageIndex(item.fmt, item.iImage), list, true);
    }
    rightMost = std::max(rightMost, static_cast<int>(h.right));
}

// ---- custom glyph strip ----

void TSkinObjImage::AttachControl(TWrapperHost* formSkinner, TSkinData* skinData, bool,
                                  TCanvas* canvas) {
    if (Attached)
        return;
    SkinData = skinData;
    FormSkinner = formSkinner;
    Canvas = canvas;
    Control = dynamic_cast<TWinControl*>(Owner());
    if (Control)
        Handle = Control->Handle();
    if (FormSkinner)
        FormSkinner->RegisterWrapper(this);
    BuildGlyphStrip();
    Attached = true;
    State = TWrapperState::Attached;
}

void TSkinObjImage::RestoreControl() {
    if (GlyphMode == 1)
        SkinWriteValue(Owner(), "UseCustomGlyphs", "false");
}

void TSkinObjImage::SkinChanged() {
    BuildGlyphStrip();
}

// Hands the control the strip, its key colour, and a reload (the second
// write of UseCustomGlyphs makes the control take the new glyphs).
void TSkinObjImage::BuildGlyphStrip() {
    if (GlyphMode != 1 || !SkinData || !SkinData->Buttons ||
        SkinData->Buttons->CheckPicture.Empty())
        return;
    TObject* target = Owner();
    if (!ReadObjectProperty<TBitmap>(target, "CustomGlyphs"))
        return;
    TBitmap strip;
    MakeGlyphStrip(SkinData->Buttons->CheckPicture, SkinData->Buttons->CheckButtonFrame, strip);
    if (strip.Empty())
        return;
    WriteObjectProperty(target, "CustomGlyphs", &strip);
    SkinWriteValue(target, "transparentcolor", "16711935");
    SkinWriteValue(target, "UseCustomGlyphs", "false");
    SkinWriteValue(target, "UseCustomGlyphs", "true");
}
