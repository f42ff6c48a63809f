// The control wrapper base: attaching, message routing, painting entry points.
#include "skin/controls/skin_control.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "framework/gdi/color.h"
#include "framework/core/class_builder.h"
#include "framework/core/property_access.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/paint_scope.h"
#include "framework/ui/graphic_control.h"
#include "framework/ui/messages.h"
#include "framework/ui/wincontrol.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"

LT_CLASS_TABLE(TSkinControl) {}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner), window_(this) {}

// Gives the control back its message method or window procedure, then
// leaves the form skinner's list.
TSkinControl::~TSkinControl() {
    hook_.Unhook();
    if (window_.IsSubclassed())
        window_.Unsubclass();
    if (FormSkinner)
        FormSkinner->UnregisterWrapper(this);
}

void TSkinControl::AttachControl(TWrapperHost* formSkinner, TSkinData* skinData, bool recolour,
                                 TCanvas* canvas) {
    if (Attached)
        return;
    Recolour = recolour;
    SkinData = skinData;
    FormSkinner = formSkinner;
    Canvas = canvas;
    Control = dynamic_cast<TWinControl*>(Owner());
    if (!Control)
        return;
    Handle = Control->Handle();
    HookControlMessages(*Control);
    Control->SetDoubleBuffered(true);
    if (FormSkinner)
        FormSkinner->RegisterWrapper(this);
    Focused = GetFocus() == Handle;
    Enabled = !(GetWindowLongW(Handle, GWL_STYLE) & WS_DISABLED);
    Caption = ReadWindowText();
    if (Recolour) {
        SavedColor = Control->Color();
        Control->SetColor(FaceColour());
        RecolourText();
    }
    Control->Invalidate();
    Attached = true;
    State = TWrapperState::Attached;
}

void TSkinControl::HookControlMessages(TControl& control) {
    hook_.Hook(control.MessageHooks(), this,
               [this](TMessage& msg, const TMessageChain& next) { HandleHooked(msg, next); });
}

void TSkinControl::AttachWindow(HWND handle, TSkinData* skinData, TWrapperHost* formSkinner,
                                TCanvas* canvas) {
    SkinData = skinData;
    Canvas = canvas;
    FormSkinner = formSkinner;
    Handle = handle;
    Enabled = true;
    if (FormSkinner)
        FormSkinner->RegisterWrapper(this);
    Caption = ReadWindowText();
    if (Handle && !window_.IsSubclassed())
        window_.Subclass(Handle, TProcCharset::Ansi);
    if (Handle)
        InvalidateRect(Handle, nullptr, TRUE);
    Attached = true;
    State = TWrapperState::Attached;
}

void TSkinControl::AttachScrollBars(TWinControl* control, TSkinData* skinData,
                                    TWrapperHost* formSkinner, TCanvas* canvas) {
    if (!control)
        return;
    SkinData = skinData;
    FormSkinner = formSkinner;
    Canvas = canvas;
    Control = control;
    Handle = control->Handle();
    if (FormSkinner)
        FormSkinner->RegisterWrapper(this);
    hook_.Hook(Control->MessageHooks(), this,
               [this](TMessage& msg, const TMessageChain& next) { HandleHooked(msg, next); });
}

void TSkinControl::AttachScrollControl(TWinControl* control, TSkinData* skinData,
                                       TWrapperHost* formSkinner, TCanvas* canvas) {
    TSkinControl::AttachScrollBars(control, skinData, formSkinner, canvas);
}

bool TSkinControl::AttachGraphic(TWrapperHost* formSkinner, TSkinData* skinData, TCanvas* canvas) {
    SkinData = skinData;
    Canvas = canvas;
    FormSkinner = formSkinner;
    GraphicControl = dynamic_cast<TGraphicControl*>(Owner());
    if (!GraphicControl)
        return false;
    hook_.Hook(GraphicControl->MessageHooks(), this,
               [this](TMessage& msg, const TMessageChain& next) { HandleHooked(msg, next); });
    const bool was = FormSkinner && FormSkinner->RegisterWrapper(this);
    State = TWrapperState::Attached;
    return was;
}

void TSkinControl::SetGlyphMode(bool) {}

void TSkinControl::RestoreControl() {
    if (Recolour && Control) {
        Control->SetColor(SavedColor);
        RestoreTextColour();
    }
}

bool TSkinControl::BeforeMessage(TMessage& msg) {
    if (msg.Msg == WM_NCDESTROY) {
        CallPrevious(msg);
        State = TWrapperState::Destroyed;
        RestoreControl();
        return false;
    }
    return true;
}

void TSkinControl::AfterMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
        Refresh();
        break;
    case WM_SETTEXT:
        // Read back from the window: framework controls take wide text,
        // raw windows subclassed as ANSI take code-page text.
        Caption = ReadWindowText();
        Refresh();
        break;
    case WM_PAINT:
        if (msg.WParam) {
            PaintToWindow(reinterpret_cast<HDC>(msg.WParam));
            skinBuffered_ = wholeUpdate_;
        } else if (!(wholeUpdate_ && skinBuffered_)) {
            PaintToWindow(nullptr);
        }
        break;
    case SM_WRAPPERSWITCH:
        SkinActive = static_cast<int>(msg.WParam) > 0;
        break;
    default:
        break;
    }
}

// Paints the whole window, non-client area included; a failure while
// painting is swallowed and the DC still released.
void TSkinControl::PaintToWindow(HDC dc) {
    RECT r{};
    if (!Handle || !GetWindowRect(Handle, &r))
        return;
    WindowRect = r;
    const RECT paint{0, 0, r.right - r.left, r.bottom - r.top};
    try {
        if (dc) {
            PaintSkin(dc, paint);
        } else {
            TWindowDC windowDC(Handle);
            PaintSkin(windowDC.Handle(), paint);
        }
    } catch (...) {
        // A skin that cannot be drawn leaves the control's own look.
    }
}

void TSkinControl::PaintSkin(HDC, const RECT&) {}

void TSkinControl::SkinChanged() {
    if (Recolour && Control) {
        Control->SetColor(FaceColour());
        RenewTextColour();
    }
    Refresh();
}

void TSkinControl::CallPrevious(TMessage& msg) {
    if (next_) {
        (*next_)(msg);
    } else if (window_.IsSubclassed()) {
        // A subclassed window (also one a framework control stands for)
        // goes on to the procedure that was there before.
        msg.Result = window_.CallPrevious(msg);
    } else if (Control) {
        // Outside a hooked message: the control's own message method.
        if (Control->WindowProc)
            Control->WindowProc(msg);
    } else if (GraphicControl) {
        if (GraphicControl->WindowProc)
            GraphicControl->WindowProc(msg);
    } else if (Handle) {
        msg.Result = SendMessageA(Handle, msg.Msg, msg.WParam, msg.LParam);
    }
}

void TSkinControl::Refresh() {
    if (Control) {
        Control->Invalidate();
    } else if (GraphicControl) {
        GraphicControl->Invalidate();
    } else if (Handle) {
        InvalidateRect(Handle, nullptr, TRUE);
        UpdateWindow(Handle);
    }
}

void TSkinControl::PaintThroughBeginPaint(TMessage& msg) {
    auto paint = [this](HDC dc) {
        RECT r{};
        GetWindowRect(Handle, &r);
        WindowRect = r;
        PaintSkin(dc, RECT{0, 0, r.right - r.left, r.bottom - r.top});
    };
    if (msg.WParam) {
        paint(reinterpret_cast<HDC>(msg.WParam));
    } else {
        const TPaintScope scope(Handle);
        paint(scope.DC());
    }
    msg.Result = 0;
}

// Routes one message: while skinning is off only the switch message is
// looked at; everything else goes to the control unchanged.
void TSkinControl::MessageProc(TMessage& msg) {
    if (SkinActive) {
        if (BeforeMessage(msg)) {
            const bool outerPaint = msg.Msg == WM_PAINT && !msg.WParam;
            const bool wasWhole = wholeUpdate_;
            if (outerPaint) {
                wholeUpdate_ = UpdateCoversWindow();
                skinBuffered_ = false;
            }
            CallPrevious(msg);
            AfterMessage(msg);
            if (outerPaint)
                wholeUpdate_ = wasWhole;
        }
        return;
    }
    if (msg.Msg == SM_WRAPPERSWITCH) {
        SkinActive = static_cast<int>(msg.WParam) > 0;
        if (SkinActive)
            Refresh();
        return;
    }
    CallPrevious(msg);
}

bool TSkinControl::UpdateCoversWindow() const {
    RECT window{}, client{};
    POINT origin{0, 0};
    if (!Handle || !GetWindowRect(Handle, &window) || !GetClientRect(Handle, &client) ||
        !ClientToScreen(Handle, &origin))
        return false;
    if (origin.x != window.left || origin.y != window.top ||
        client.right != window.right - window.left || client.bottom != window.bottom - window.top)
        return false;
    TRegionHandle update(CreateRectRgn(0, 0, 0, 0));
    RECT box{};
    return GetUpdateRgn(Handle, update.Get(), FALSE) == SIMPLEREGION &&
           GetRgnBox(update.Get(), &box) == SIMPLEREGION && EqualRect(&box, &client);
}

void TSkinControl::HandleHooked(TMessage& msg, const TMessageChain& next) {
    const TMessageChain* outer = next_;
    next_ = &next;
    try {
        MessageProc(msg);
    } catch (...) {
        next_ = outer;
        throw;
    }
    next_ = outer;
}

void TSkinControl::TWrapperWindow::WindowMessage(TMessage& msg) {
    owner_->MessageProc(msg);
    if (msg.Msg == WM_NCDESTROY && owner_->State != TWrapperState::Destroyed)
        owner_->State = TWrapperState::Destroyed;
}

TColor TSkinControl::FaceColour() const {
    return SkinData ? SkinData->ButtonFaceColour : ColorToRGB(clBtnFace);
}

TColor TSkinControl::TextColour(TColor colour) const {
    return SkinData ? SkinData->SkinColourFor(colour) : colour;
}

// A control whose font follows its parent and already shows the skin's
// colour (its parent's wrapper recoloured it) is left to follow; changing
// it would cut it loose from its parent.
void TSkinControl::RecolourText() {
    if (!Control || textRecoloured_ || !RecoloursText)
        return;
    SavedFontColor = Control->Font().Color();
    SavedParentFont = Control->ParentFont();
    textRecoloured_ = true;
    RenewTextColour();
}

void TSkinControl::RenewTextColour() {
    if (!Control || !textRecoloured_)
        return;
    if (SavedParentFont && Control->ParentFont())
        if (TextColour(SavedFontColor) == SavedFontColor)
            return;
    // A colour that looks the same is left alone: a font change goes on to
    // every child that follows the font.
    const TColor colour = TextColour(SavedFontColor);
    if (ColorToRGB(Control->Font().Color()) != ColorToRGB(colour))
        Control->Font().SetColor(colour);
}

// A font that followed the parent follows it again (the parent's own
// colour comes back with it); any other gets its own colour back.
void TSkinControl::RestoreTextColour() {
    if (!Control || !textRecoloured_ || Control->HasState(csDestroying))
        return;
    textRecoloured_ = false;
    if (SavedParentFont && Control->Parent()) {
        if (!Control->ParentFont())
            Control->SetParentFont(true);
    } else if (Control->Font().Color() != SavedFontColor) {
        Control->Font().SetColor(SavedFontColor);
    }
}

// The brush is the DC's own (DC_BRUSH) in the parent's colour, so nothing
// is made per paint.
bool TSkinControl::AnswerTextColours(TMessage& msg) const {
    if ((msg.Msg != CN_CTLCOLORSTATIC && msg.Msg != CN_CTLCOLORBTN) || !Control || !SkinData)
        return false;
    HDC dc = reinterpret_cast<HDC>(msg.WParam);
    const COLORREF back = ColorToRGB(Control->Parent() ? Control->Parent()->Color() : FaceColour());
    SetTextColor(dc, ColorToRGB(TextColour(Control->Font().Color())));
    SetBkColor(dc, back);
    SetDCBrushColor(dc, back);
    msg.Result = reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    return true;
}

void AnswerRawTextColours(TMessage& msg, const TSkinData& data) {
    HDC dc = reinterpret_cast<HDC>(msg.WParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(data.WindowTextColour));
    if (msg.Msg == WM_CTLCOLORSTATIC && data.FaceBrush)
        msg.Result = reinterpret_cast<LRESULT>(data.FaceBrush.Get());
}

void TSkinControl::FillFace(HDC dc, const RECT& rect) const {
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(FaceColour())));
    FillRect(dc, &rect, brush.Get());
}

void TSkinControl::FillParent(HDC dc, const RECT& rect) const {
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(ParentColour())));
    FillRect(dc, &rect, brush.Get());
}

TColor TSkinControl::ParentColour() const {
    if (Control && Control->Parent())
        return Control->Parent()->Color();
    return FaceColour();
}

std::wstring TSkinControl::ReadWindowText() const {
    if (!Handle)
        return {};
    const int n = GetWindowTextLengthW(Handle);
    std::wstring text(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
    const int got = GetWindowTextW(Handle, text.data(), n + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

void TSkinControl::DrawWindowText(HDC dc, const std::wstring& text, RECT& rect, UINT format) const {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

int32_t SkinReadInteger(TObject* obj, const char* name) {
    return obj ? ReadIntegerProperty(obj, name) : 0;
}

std::string SkinReadEnum(TObject* obj, const char* name) {
    std::string text = obj ? ReadEnumerationProperty(obj, name) : std::string();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::wstring SkinReadText(TObject* obj, const char* name) {
    return obj ? ReadTextProperty(obj, name) : std::wstring();
}

bool SkinWriteValue(TObject* obj, const char* name, const char* text) {
    return obj && WriteValueProperty(obj, name, text);
}

TSkinControl* MakeWrapperByName(const std::string& className, TComponent* owner) {
    const TClassInfo* info = FindClass(className);
    if (!info || !info->CanCreate())
        return nullptr;
    TObject* made = info->CreateInstance(owner);
    if (auto* wrapper = dynamic_cast<TSkinControl*>(made))
        return wrapper;
    if (auto* component = dynamic_cast<TComponent*>(made))
        component->Free();
    else
        delete made;
    return nullptr;
}

void DrawStripCell(HDC dc, const RECT& rect, int n, int k, TBitmap& strip) {
    // Colour-on-colour keeps the key colour exact where the cell is stretched.
    DrawSkinCell(dc, rect, strip, true, n, k, COLORONCOLOR);
}

void DrawElementFrame(HDC dc, const RECT& rect, int n, int k, TDataSkinObject& element) {
    if (rect.right < rect.left || rect.bottom < rect.top || element.Picture.Empty())
        return;
    if (!IsSkinFrameIndex(n, k))
        return;
    // Colour-on-colour: a filtered stretch would blend the key colour into
    // its neighbours at the edges of transparent elements.
    DrawSkinElement(dc, rect, element.Picture, false, element.TilesMiddle(), element.Trans != 0, n,
                    k, element.Margins(), COLORONCOLOR);
}

// ---- kept compositions ----

TLookKey& TLookKey::Add(int64_t value) {
    words_.push_back(static_cast<uint32_t>(value));
    words_.push_back(static_cast<uint32_t>(static_cast<uint64_t>(value) >> 32));
    return *this;
}

TLookKey& TLookKey::Add(const RECT& r) {
    return Add(r.left).Add(r.top).Add(r.right).Add(r.bottom);
}

// The length first, so that texts next to each other cannot run together.
TLookKey& TLookKey::Add(const std::wstring& text) {
    Add(static_cast<int64_t>(text.size()));
    for (wchar_t c : text)
        words_.push_back(static_cast<uint32_t>(c));
    return *this;
}

TLookKey& TLookKey::Add(const LOGFONTW& font) {
    uint32_t w[(sizeof font + 3) / 4] = {};
    std::memcpy(w, &font, sizeof font);
    words_.insert(words_.end(), std::begin(w), std::end(w));
    return *this;
}

TLookKey& TLookKey::AddPicture(TBitmap& picture) {
    if (picture.Empty())
        return Add(-1);
    Add(picture.Width()).Add(picture.Height()).Add(static_cast<int>(picture.PixelFormat()));
    for (uint32_t c : picture.ColorTable())
        words_.push_back(c);
    // Two 32-bit lanes, four bytes a step: cheap on a 32-bit processor.
    const int rowBytes = (picture.Width() * PixelFormatBits(picture.PixelFormat()) + 7) / 8;
    const uint8_t* first = picture.ScanLine(0);
    const int stride = picture.Stride();
    uint32_t a = 2166136261u, b = 0x9E3779B9u;
    for (int y = 0; y < picture.Height() && first; ++y) {
        const uint8_t* row = first + static_cast<size_t>(y) * stride;
        int i = 0;
        for (; i + 4 <= rowBytes; i += 4) {
            uint32_t v;
            std::memcpy(&v, row + i, 4);
            a = (a ^ v) * 16777619u;
            b = (b + v) * 0x85EBCA6Bu;
            b ^= b >> 13;
        }
        for (; i < rowBytes; ++i)
            a = (a ^ row[i]) * 16777619u;
        b ^= a;
    }
    const uint64_t h = (static_cast<uint64_t>(a) << 32) | b;
    return Add(static_cast<int64_t>(h));
}

namespace {
// Every kept picture alive, for KeptPictureStats.
std::vector<TKeptPicture*>& KeptPictures() {
    static std::vector<TKeptPicture*> all;
    return all;
}
} // namespace

TKeptPicture::TKeptPicture() {
    KeptPictures().push_back(this);
}

TKeptPicture::~TKeptPicture() {
    auto& all = KeptPictures();
    all.erase(std::find(all.begin(), all.end(), this));
}

TKeptPictureStats KeptPictureStats() {
    TKeptPictureStats stats;
    for (TKeptPicture* kept : KeptPictures()) {
        if (kept->picture_.Empty())
            continue;
        ++stats.Pictures;
        stats.GdiObjects += kept->hasDC_ ? 2 : 1;
        stats.Bytes += size_t(kept->picture_.Width()) * size_t(kept->picture_.Height()) * 4;
    }
    return stats;
}

bool TKeptPicture::Current(const TLookKey& key, int w, int h) {
    if (!key_.Empty() && key_ == key && picture_.Width() == w && picture_.Height() == h)
        return true;
    picture_.SetSize(w, h);
    hasDC_ = false; // a new size is a new bitmap, its DC made on use
    key_ = key;
    return false;
}

void TKeptPicture::CopyTo(HDC dc, int x, int y, const RECT& part) {
    BitBlt(dc, x, y, part.right - part.left, part.bottom - part.top, DC(), part.left, part.top,
           SRCCOPY);
}
