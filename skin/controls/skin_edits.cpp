// Edit and up-down skins: the border and print rules of edits, the lazy
// adoption of a spin child, and the up-down buttons from the skin's strips
// or in the plain drawn look.
#include "skin/controls/skin_edits.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "framework/core/class_builder.h"
#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/paint_scope.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"

LT_CLASS_TABLE(TSkinEdit) {}
LT_CLASS_TABLE(TSkinUpDown) {
    c.Boolean("Inset", &TSkinUpDown::Inset, &TSkinUpDown::Inset)
        .Default(false)
        .Boolean("Horizontal", &TSkinUpDown::Horizontal, &TSkinUpDown::Horizontal)
        .Default(false);
}

void RegisterEditSkins() {
    RegisterClasses<TSkinEdit, TSkinUpDown>();
}

namespace {

// Cells in each UpDown strip and its glyph strip.
constexpr int kUpDownCells = 8;

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

// A skin colour, or the platform's when there is no skin.
TColor SkinColour(const TSkinData* data, TColor TSkinData::*field, TColor fallback) {
    return ColorToRGB(data ? data->*field : fallback);
}

void FrameWith(HDC dc, const RECT& r, TColor colour) {
    const TBrushHandle brush(CreateSolidBrush(ColorToRGB(colour)));
    FrameRect(dc, &r, brush.Get());
}

} // namespace

// ---- geometry and state choice ----

TUpDownLayout UpDownLayout(const RECT& client, bool inset, bool horizontal, POINT cursor,
                           bool pressed, bool enabled) {
    RECT c = client;
    if (inset)
        InflateRect(&c, -1, -1);
    auto state = [&](bool in) {
        if (!enabled)
            return static_cast<int>(kSpinDisabled);
        return static_cast<int>(in && pressed ? kSpinPressed : kSpinNormal);
    };
    TUpDownLayout l;
    l.Horizontal = horizontal;
    if (horizontal) {
        const int d = Width(c) / 2;
        l.First = {RECT{c.left, c.top, c.left + d, c.bottom}, kArrowLeft, state(cursor.x < d)};
        l.Second = {RECT{c.left + d, c.top, c.right, c.bottom}, kArrowRight, state(cursor.x >= d)};
    } else {
        const int d = Height(c) / 2;
        l.First = {RECT{c.left, c.top, c.right, c.top + d}, kArrowUp, state(cursor.y < d)};
        l.Second = {RECT{c.left, c.top + d, c.right, c.bottom}, kArrowDown, state(cursor.y >= d)};
    }
    return l;
}

int UpDownCell(int state, int arrow) {
    const int cell = state + 4 * arrow;
    return arrow >= kArrowLeft ? cell - 8 : cell;
}

std::vector<TLineSegment> UpDownArrowLines(const RECT& q, int arrow) {
    const int x = q.left + Width(q) / 2;
    int y = q.top + Height(q) / 2;
    std::vector<TLineSegment> lines;
    if (arrow == kArrowUp || arrow == kArrowDown) {
        y -= 2;
        // Four rows 3, 5, 7 and 9 pixels wide, the narrowest at the tip.
        for (int i = 0; i < 4; ++i) {
            const int half = arrow == kArrowUp ? 1 + i : 4 - i;
            lines.push_back({POINT{x - half, y + i}, POINT{x + half + 1, y + i}});
        }
        return lines;
    }
    const int tip = arrow == kArrowLeft ? x - 1 : x + 1;
    const int base = arrow == kArrowLeft ? x + 1 : x - 1;
    lines.push_back({POINT{tip, y}, POINT{base, y - 2}});
    lines.push_back({POINT{base, y - 2}, POINT{base, y + 2}});
    lines.push_back({POINT{base, y + 2}, POINT{tip, y}});
    return lines;
}

bool IsSpinClass(const std::string& className) {
    std::string lower = className;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return lower == "msctls_updown32" || lower.find("spin") != std::string::npos ||
           lower.find("updown") != std::string::npos;
}

// ---- edit ----

void TSkinEdit::AfterMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_PAINT:
        // A paint into a given DC is the client area only: no border there.
        if (msg.WParam == 0)
            PaintToWindow(nullptr);
        break;
    case WM_NCPAINT:
        // The platform has just drawn its own border: put the skin's back.
        PaintToWindow(nullptr);
        break;
    case WM_PRINT:
        if (msg.WParam) {
            PrintBorder(reinterpret_cast<HDC>(msg.WParam));
        } else {
            const TWindowDC dc(Handle);
            PrintBorder(dc.Handle());
        }
        break;
    default:
        TSkinControl::AfterMessage(msg);
        break;
    }
}

void TSkinEdit::Notification(TComponent* c, TOperation op) {
    TSkinControl::Notification(c, op);
    if (op == opRemove && c == UpDownWrapper)
        UpDownWrapper = nullptr;
}

// The first child that is a spin control gets an up-down wrapper drawn one
// pixel in; without one, the next paint looks again.
void TSkinEdit::AdoptSpinChild() {
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[256] = {};
        GetClassNameA(child, name, sizeof name);
        if (!IsSpinClass(name))
            continue;
        UpDownWrapper = new TSkinUpDown(Owner() ? Owner() : this);
        UpDownWrapper->Inset = true;
        UpDownWrapper->FreeNotification(this);
        UpDownWrapper->AttachWindow(child, SkinData, FormSkinner, Canvas);
        return;
    }
}

// Two frames over the window's edge: the skin's shadow outside, white
// inside. An edit without a border (its client as large as the window)
// keeps its look.
void TSkinEdit::PaintSkin(HDC dc, const RECT& r) {
    if (!UpDownWrapper)
        AdoptSpinChild();
    RECT c{};
    GetClientRect(Handle, &c);
    if (Width(c) == Width(r) || Height(c) == Height(r))
        return;
    FrameWith(dc, r, SkinColour(SkinData, &TSkinData::ButtonShadowColour, clBtnShadow));
    RECT inner = r;
    InflateRect(&inner, -1, -1);
    FrameWith(dc, inner, 0x00FFFFFF);
}

// The border of a printed edit: the DC's brush one pixel in, the skin's
// shadow outside; nothing when the edit has less than a pixel of border.
void TSkinEdit::PrintBorder(HDC dc) {
    RECT w{}, c{};
    if (!GetWindowRect(Handle, &w))
        return;
    GetClientRect(Handle, &c);
    const RECT r{0, 0, Width(w), Height(w)};
    if (Width(c) + 2 >= Width(r) || Height(c) + 2 >= Height(r))
        return;
    RECT inner = r;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    FrameWith(dc, r, SkinColour(SkinData, &TSkinData::ButtonShadowColour, clBtnShadow));
}

// ---- up-down ----

bool TSkinUpDown::BeforeMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_PAINT:
        PaintThroughBeginPaint(msg);
        return false;
    case WM_ERASEBKGND:
        if (!Control && msg.WParam) {
            RECT c{};
            GetClientRect(Handle, &c);
            FillRect(reinterpret_cast<HDC>(msg.WParam), &c,
                     static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        msg.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallPrevious(msg);
        MouseState |= kMousePressed;
        PaintToWindow(nullptr);
        return false;
    case WM_LBUTTONUP:
        MouseState &= static_cast<uint8_t>(~kMousePressed);
        CallPrevious(msg);
        PaintToWindow(nullptr);
        return false;
    default:
        return TSkinControl::BeforeMessage(msg);
    }
}

// Both buttons composed off screen on the face colour and copied at the
// window's top-left corner.
void TSkinUpDown::PaintSkin(HDC dc, const RECT& r) {
    RECT c{};
    GetClientRect(Handle, &c);
    if (Width(c) <= 0 || Height(c) <= 0)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle, &cursor);
    const LONG style = GetWindowLongW(Handle, GWL_STYLE);
    Enabled = !(style & WS_DISABLED);
    const bool horizontal = Horizontal || (style & UDS_HORZ);
    TUpDownLayout layout =
        UpDownLayout(c, Inset, horizontal, cursor, (MouseState & kMousePressed) != 0, Enabled);
    const RECT area{r.left, r.top, r.left + Width(c), r.top + Height(c)};
    const TBufferScope buffer(dc, area);
    if (!buffer.Valid())
        return;
    FillFace(buffer.DC(), area);
    for (TUpDownButton* b : {&layout.First, &layout.Second}) {
        OffsetRect(&b->Rect, r.left, r.top);
        DrawButton(buffer.DC(), *b, horizontal);
    }
    buffer.Present();
}

// The button's cell of the strip stretched over it and its glyph cell
// centred, or the plain look when the skin has no strip.
void TSkinUpDown::DrawButton(HDC dc, const TUpDownButton& b, bool horizontal) {
    TDataSkinBorder* element = nullptr;
    if (SkinData)
        element = horizontal ? SkinData->UpDownHorz.get() : SkinData->UpDownVert.get();
    if (!element || element->Picture.Empty()) {
        DrawPlainButton(dc, b);
        return;
    }
    const int cell = UpDownCell(b.State, b.Arrow);
    DrawStripCell(dc, b.Rect, kUpDownCells, cell, element->Picture);
    if (!element->Picture2.Empty())
        DrawSkinGlyph(dc, b.Rect, element->Picture2, true, kUpDownCells, cell);
}

void TSkinUpDown::DrawPlainButton(HDC dc, const TUpDownButton& b) {
    const bool down = b.State == kSpinPressed;
    const TColor fill = down ? SkinColour(SkinData, &TSkinData::ButtonShadowColour, clBtnShadow)
                             : SkinColour(SkinData, &TSkinData::ButtonFaceColour, clBtnFace);
    const TBrushHandle brush(CreateSolidBrush(fill));
    const TPenHandle pen(CreatePen(
        PS_SOLID, 1, SkinColour(SkinData, &TSkinData::ButtonDkShadowColour, cl3DDkShadow)));
    const TSelectObject selectBrush(dc, brush.Get());
    const TSelectObject selectPen(dc, pen.Get());
    Rectangle(dc, b.Rect.left, b.Rect.top, b.Rect.right, b.Rect.bottom);
    for (const TLineSegment& line : UpDownArrowLines(b.Rect, b.Arrow)) {
        MoveToEx(dc, line.From.x, line.From.y, nullptr);
        LineTo(dc, line.To.x, line.To.y);
    }
}
