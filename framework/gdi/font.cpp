// TFont implementation.
#include "framework/gdi/font.h"

#include <cwchar>

namespace {
// Screen resolution used to turn points into pixels.
int ScreenDpi() {
    static const int dpi = [] {
        TClientDC screen(nullptr);
        const int v = screen.Handle() ? GetDeviceCaps(screen.Handle(), LOGPIXELSY) : 96;
        return v > 0 ? v : 96;
    }();
    return dpi;
}
} // namespace

TFont::TFont() : name_(L"宋体"), height_(-12), charset_(DEFAULT_CHARSET), color_(clWindowText) {}

void TFont::SetName(const std::wstring& name) {
    if (name != name_) {
        name_ = name;
        Changed();
    }
}

void TFont::SetHeight(int height) {
    if (height != height_) {
        height_ = height;
        Changed();
    }
}

int TFont::Size() const {
    return -MulDiv(height_, 72, ScreenDpi());
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, ScreenDpi(), 72));
}

void TFont::SetCharset(int charset) {
    if (charset != charset_) {
        charset_ = charset;
        Changed();
    }
}

void TFont::SetColor(TColor color) {
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TFont::SetStyle(TFontStyles style) {
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TFont::Assign(const TFont& other) {
    if (&other == this) {
        return;
    }
    name_ = other.name_;
    height_ = other.height_;
    charset_ = other.charset_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

void TFont::Assign(const TPersistent& source) {
    if (const auto* font = dynamic_cast<const TFont*>(&source)) {
        Assign(*font);
    } else {
        TGraphicsObject::Assign(source);
    }
}

void TFont::AssignLogFont(const LOGFONTW& lf) {
    name_.assign(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE));
    height_ = lf.lfHeight;
    charset_ = lf.lfCharSet;
    style_ = TFontStyles{};
    if (lf.lfWeight >= FW_BOLD) {
        style_.Include(fsBold);
    }
    if (lf.lfItalic) {
        style_.Include(fsItalic);
    }
    if (lf.lfUnderline) {
        style_.Include(fsUnderline);
    }
    if (lf.lfStrikeOut) {
        style_.Include(fsStrikeOut);
    }
    Changed();
}

void TFont::AssignHandle(HFONT font) {
    LOGFONTW lf{};
    if (font && GetObjectW(font, sizeof lf, &lf) == sizeof lf) {
        AssignLogFont(lf);
    }
}

// The logical font this object describes.
LOGFONTW TFont::LogFont() const {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = style_.Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = style_.Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    wcsncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    return lf;
}

HFONT TFont::Handle() {
    if (!handle_) {
        const LOGFONTW lf = LogFont();
        handle_.Reset(CreateFontIndirectW(&lf));
    }
    return handle_.Get();
}
