// Text measuring on the screen's DC; see screen_text.h.
#include "framework/gdi/screen_text.h"

TScreenTextDC::TScreenTextDC(HFONT font) : screen_(nullptr), font_(screen_.Handle(), font) {}

RECT TScreenTextDC::MeasureText(const std::wstring& text, RECT r, UINT flags) const {
    DrawTextW(Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
    return r;
}

TEXTMETRICW TScreenTextDC::Metrics() const {
    TEXTMETRICW tm{};
    GetTextMetricsW(Handle(), &tm);
    return tm;
}
