// TRzBitBtn: glyph, kinds and layout; see the header.
#include "framework/ui/win32.h"

#include "controls/rz_bitbtn.h"

#include "controls/rz_label.h"
#include "framework/core/class_builder.h"
#include "framework/core/filer.h"
#include "framework/core/stream.h"
#include "framework/gdi/screen_text.h"

#include <map>
#include <vector>

namespace {

struct KindInfo {
    const wchar_t* resource;
    const wchar_t* caption;
    TModalResult result;
};

// Stock resources, captions and modal results of the kinds (bkCustom first).
const KindInfo kKinds[] = {
    {nullptr, L"", mrNone},
    {L"BBOK", L"确定", mrOk},
    {L"BBCANCEL", L"取消", mrCancel},
    {L"BBHELP", L"帮助(&H)", mrNone},
    {L"BBYES", L"是(&Y)", mrYes},
    {L"BBNO", L"否(&N)", mrNo},
    {L"BBCLOSE", L"关闭(&C)", mrNone},
    {L"BBABORT", L"中止", mrAbort},
    {L"BBRETRY", L"重试(&R)", mrRetry},
    {L"BBIGNORE", L"忽略(&I)", mrIgnore},
    {L"BBALL", L"全部(&A)", mrAll},
};

// A stock glyph, loaded once per process and kept.
TBitmap& StockGlyph(TBitBtnKind kind) {
    static std::map<int, std::unique_ptr<TBitmap>> cache;
    auto& slot = cache[kind];
    if (!slot) {
        slot = std::make_unique<TBitmap>();
        slot->LoadFromResourceName(GetModuleHandleW(nullptr), kKinds[kind].resource);
    }
    return *slot;
}

} // namespace

TRzBitBtn::TRzBitBtn(TComponent* owner) : TRzButton(owner), glyph_(std::make_unique<TBitmap>()) {}

TRzBitBtn::~TRzBitBtn() = default;

// NumGlyphs from the glyph's shape (width a multiple 1..4 of the height).
void TRzBitBtn::GlyphChanged() {
    const int w = glyph_->Width(), h = glyph_->Height();
    if (h > 0 && w % h == 0 && w / h >= 1 && w / h <= 4) {
        numGlyphs_ = w / h;
    } else {
        numGlyphs_ = 1;
    }
    Invalidate();
}

// A user-assigned glyph.
void TRzBitBtn::SetGlyph(const TBitmap& glyph) {
    glyph_->Assign(glyph);
    glyphModified_ = true;
    GlyphChanged();
}

// A glyph from BMP bytes (form definitions).
void TRzBitBtn::SetGlyphBytes(const uint8_t* data, size_t size) {
    glyph_->LoadFromBmpBytes(data, size);
    glyphModified_ = true;
    GlyphChanged();
}

void TRzBitBtn::SetImages(TImageList* v) {
    if (v == images_)
        return;
    if (images_)
        images_->RemoveFreeNotification(this);
    images_ = v;
    if (images_)
        images_->FreeNotification(this);
    Invalidate();
}

void TRzBitBtn::Notification(TComponent* c, TOperation op) {
    TRzButton::Notification(c, op);
    if (op == opRemove && c == images_)
        images_ = nullptr;
}

void TRzBitBtn::SetNumGlyphs(int v) {
    v = v < 1 ? 1 : v > 4 ? 4 : v;
    Store(numGlyphs_, v);
}

// Kind falls back to bkCustom once the roles or the glyph no longer match it.
TBitBtnKind TRzBitBtn::Kind() {
    if (kind_ != bkCustom) {
        const bool def = kind_ == bkOK || kind_ == bkYes;
        const bool cancel = kind_ == bkCancel || kind_ == bkNo;
        if (Default() != def || Cancel() != cancel || ModalResult() != kKinds[kind_].result ||
            glyphModified_) {
            kind_ = bkCustom;
        }
    }
    return kind_;
}

// A stock kind sets the roles, caption, modal result and glyph.
void TRzBitBtn::SetKind(TBitBtnKind v) {
    if (v == bkCustom) {
        kind_ = v;
        return;
    }
    kind_ = v;
    SetDefault(v == bkOK || v == bkYes);
    SetCancel(v == bkCancel || v == bkNo);
    if (!HasState(csReading) || Caption().empty()) {
        SetCaption(kKinds[v].caption);
    }
    SetModalResult(kKinds[v].result);
    glyph_->Assign(StockGlyph(v));
    numGlyphs_ = 2;
    glyphModified_ = false;
    Invalidate();
}

bool TRzBitBtn::UsesImageList() const {
    return kind_ == bkCustom && images_ && imageIndex_ >= 0;
}

// Glyph width and height: the image list's image, else one image of the glyph.
SIZE TRzBitBtn::GlyphSize() {
    if (UsesImageList())
        return SIZE{images_->Width(), images_->Height()};
    if (glyph_->Empty())
        return SIZE{0, 0};
    return SIZE{glyph_->Width() / numGlyphs_, glyph_->Height()};
}

// Height of the caption as the layout measures it.
int TRzBitBtn::MeasureText() {
    RECT r = ClientRect();
    InflateRect(&r, -5, -5);
    r = TScreenTextDC(Font().Handle())
            .MeasureText(Caption(), r, DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER | DT_VCENTER);
    return r.bottom - r.top;
}

// The caption rectangle, making room for the glyph.
RECT TRzBitBtn::TextRect() {
    RECT r = CaptionRect();
    const SIZE g = GlyphSize();
    if (g.cx == 0 || g.cy == 0)
        return r;
    if (margin_ >= 0) {
        switch (layout_) {
        case blGlyphLeft:
            r.left += margin_ + g.cx + spacing_;
            break;
        case blGlyphRight:
            r.right -= margin_ + g.cx + spacing_;
            break;
        case blGlyphTop:
            r.top += margin_ + g.cy + spacing_;
            break;
        case blGlyphBottom:
            r.bottom -= margin_ + g.cy + spacing_;
            break;
        }
        return r;
    }
    const int t = MeasureText(), h = Height();
    const RECT r0 = r;
    switch (layout_) {
    case blGlyphLeft:
        r.left += margin_ + g.cx + spacing_;
        break;
    case blGlyphRight:
        r.right -= margin_ + g.cx + spacing_;
        break;
    case blGlyphTop:
        r.top = r0.top + (h - t - g.cy - spacing_) / 2 + g.cy;
        r.bottom = r.top + t;
        break;
    case blGlyphBottom:
        r.top = r0.top + (h - t - g.cy - spacing_) / 2;
        r.bottom = r.top + t;
        break;
    }
    return r;
}

// Where the glyph goes, from the unshifted inset rectangle.
RECT TRzBitBtn::GlyphRect() {
    RECT r = ClientRect();
    InflateRect(&r, -5, -5);
    const SIZE g = GlyphSize();
    int left = r.left, top = r.top;
    if (margin_ >= 0) {
        switch (layout_) {
        case blGlyphLeft:
            left = r.left + margin_;
            break;
        case blGlyphRight:
            left = r.right - margin_ - g.cx;
            break;
        case blGlyphTop:
            top = r.top + margin_;
            break;
        case blGlyphBottom:
            top = r.bottom - margin_ - g.cy;
            break;
        }
    } else {
        const int t = MeasureText(), h = Height();
        switch (layout_) {
        case blGlyphLeft:
            break;
        case blGlyphRight:
            left = r.right - g.cx;
            break;
        case blGlyphTop:
            top = (h - t - g.cy - spacing_) / 2;
            break;
        case blGlyphBottom:
            top = r.top + t + (h - t - g.cy - spacing_) / 2;
            break;
        }
    }
    if (layout_ == blGlyphLeft || layout_ == blGlyphRight) {
        top += (r.bottom - r.top - g.cy + 1) / 2;
    } else {
        left += (r.right - r.left - g.cx + 1) / 2;
    }
    RECT out{left, top, left + g.cx, top + g.cy};
    if (ShowDown()) {
        if (UseThemes())
            OffsetRect(&out, 1, 0);
        else if (!HotTrack())
            OffsetRect(&out, 1, 1);
    }
    return out;
}

// The image for the state: exclusive, down, disabled or normal.
int TRzBitBtn::GlyphIndex() const {
    if (numGlyphs_ == 4 && State() == bsExclusive)
        return 3;
    if (numGlyphs_ >= 3 && (Down() || showDown_))
        return 2;
    if (numGlyphs_ >= 2 && !Enabled())
        return 1;
    return 0;
}

// Draws the chosen image leaving out the glyph's transparent colour.
void TRzBitBtn::DrawGlyph(TCanvas& c, const RECT& r) {
    if (UsesImageList()) {
        if (Enabled())
            images_->Draw(c, r.left, r.top, imageIndex_, true);
        else if (disabledIndex_ >= 0)
            images_->Draw(c, r.left, r.top, disabledIndex_, true);
        else
            images_->Draw(c, r.left, r.top, imageIndex_, false);
        return;
    }
    if (glyph_->Empty())
        return;
    const int gw = glyph_->Width() / numGlyphs_, gh = glyph_->Height();
    const UINT key = ColorToRGB(glyph_->TransparentColor());
    HDC src = glyph_->Canvas().Handle();
    GdiTransparentBlt(c.Handle(), r.left, r.top, gw, gh, src, GlyphIndex() * gw, 0, gw, gh, key);
}

// Glyph, then caption.
void TRzBitBtn::PaintContent(TCanvas& c) {
    DrawGlyph(c, GlyphRect());
    c.Brush().SetColor(Color());
    DrawCaption(c, TextRect(), Alignment());
}

// "GlyphData": the glyph as BMP file bytes.
void TRzBitBtn::DefineProperties(TFiler& filer) {
    TRzButton::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "GlyphData",
        [this](TStream& s) {
            std::vector<uint8_t> bytes(static_cast<size_t>(s.Size() - s.Position()));
            if (!bytes.empty())
                s.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
            SetGlyphBytes(bytes.data(), bytes.size());
        },
        [this](TStream& s) {
            const std::vector<uint8_t> bytes = glyph_->SaveToBmpBytes();
            s.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        },
        !glyph_->Empty() && glyphModified_);
}

LT_CLASS_TABLE(TRzBitBtn) {
    c.SubObject("Glyph", &TRzBitBtn::Glyph, &TRzBitBtn::SetGlyph)
        .Object("Images", &TRzBitBtn::Images, &TRzBitBtn::SetImages)
        .Integer("NumGlyphs", &TRzBitBtn::NumGlyphs, &TRzBitBtn::SetNumGlyphs)
        .Default(1)
        .Enum("Kind", &TRzBitBtn::Kind, &TRzBitBtn::SetKind)
        .Default(bkCustom)
        .Enum("Layout", &TRzBitBtn::Layout, &TRzBitBtn::SetLayout)
        .Default(blGlyphLeft)
        .Integer("Margin", &TRzBitBtn::Margin, &TRzBitBtn::SetMargin)
        .Default(2)
        .Integer("Spacing", &TRzBitBtn::Spacing, &TRzBitBtn::SetSpacing)
        .Default(4)
        .Integer("ImageIndex", &TRzBitBtn::ImageIndex, &TRzBitBtn::SetImageIndex)
        .Default(-1)
        .Integer("DisabledIndex", &TRzBitBtn::DisabledIndex, &TRzBitBtn::SetDisabledIndex)
        .Default(-1);
}

// Classes a form definition may name.
void RegisterRzControls() {
    RegisterClasses<TRzLabel, TRzCustomButton, TRzButton, TRzBitBtn>();
}
