// Tab control and tab set wrappers.
#include "skin/controls/skin_tabs.h"

#include <commctrl.h>

#include <optional>

#include "framework/core/class_builder.h"
#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/paint_scope.h"
#include "framework/stdctrls/std_comctl.h"
#include "framework/stdctrls/std_tabs.h"
#include "skin/controls/skin_control_text.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"

LT_CLASS_TABLE(TSkinTab) {}
LT_CLASS_TABLE(TSkinTab31) {}

void RegisterTabSkins() {
    RegisterClasses<TSkinTab, TSkinTab31>();
}

namespace {

// Page border margins of the Tabs border picture.
constexpr TSkinMargins kBorderMargins{4, 5, 4, 4};
// A tab set's tab is its text plus this much wide; the scroller needs
// this much more room at the end.
constexpr int kTabSetPad = 9;
constexpr int kTabSetScrollerPad = 21;

// Makes the wrapper of a tab control's scroll arrows by class name (the
// class registry), attached to `wnd`; null when that class is not there.
TSkinControl* MakeUpDownWrapper(TSkinControl& tab, const std::string& cls, HWND wnd,
                                bool horizontal) {
    TSkinControl* wrapper = MakeWrapperByName(cls, tab.Owner() ? tab.Owner() : &tab);
    if (!wrapper)
        return nullptr;
    if (horizontal)
        SkinWriteValue(wrapper, "Horizontal", "True");
    wrapper->FreeNotification(&tab);
    wrapper->AttachWindow(wnd, tab.SkinData, tab.FormSkinner, tab.Canvas);
    return wrapper;
}

// Copies the buffer's picture to `strip` of the DC, leaving out `hole`
// (client coordinates of the same window) when one is given.
void CopyStrip(HDC dc, const RECT& strip, HDC source, const RECT* hole) {
    const TSaveDC save(dc);
    if (hole)
        ExcludeClipRect(dc, hole->left, hole->top, hole->right, hole->bottom);
    BitBlt(dc, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top, source, 0,
           0, SRCCOPY);
}

// A child window's rectangle relative to its parent's window rectangle.
RECT ChildRect(HWND parent, HWND child) {
    RECT p{}, c{};
    GetWindowRect(parent, &p);
    GetWindowRect(child, &c);
    OffsetRect(&c, -p.left, -p.top);
    return c;
}

} // namespace

// ---- geometry and state choice ----

int TabPositionOfStyle(DWORD style) {
    const bool right = style & TCS_RIGHT, vertical = style & TCS_VERTICAL;
    if (right && vertical)
        return kTabsRight;
    if (right)
        return kTabsBottom;
    if (vertical)
        return kTabsLeft;
    return kTabsTop;
}

RECT TabBodyRect(const RECT& page, int position) {
    RECT p = page;
    InflateRect(&p, 4, 4);
    switch (position) {
    case kTabsBottom:
        p.bottom -= 1;
        break;
    case kTabsLeft:
        p.left += 1;
        break;
    case kTabsRight:
        p.right -= 1;
        break;
    default:
        p.top += 1;
        break;
    }
    return p;
}

RECT TabStripRect(const RECT& r, const RECT& p, int position) {
    switch (position) {
    case kTabsBottom:
        return RECT{r.left, p.bottom, r.right, r.bottom};
    case kTabsLeft:
        return RECT{r.left, r.top, p.left, r.bottom};
    case kTabsRight:
        return RECT{p.right, r.top, r.right, r.bottom};
    default:
        return RECT{r.left, r.top, r.right, p.top};
    }
}

SIZE TabBufferSize(const RECT& s, int position) {
    const int w = s.right - s.left, h = s.bottom - s.top;
    if (position == kTabsLeft || position == kTabsRight)
        return SIZE{h, w};
    return SIZE{w, h};
}

RECT TabRectInBuffer(const RECT& t, int position, const RECT& r, const RECT& p, int bufferWidth) {
    switch (position) {
    case kTabsBottom:
        return RECT{t.left, t.top - (p.bottom + 1), t.right, t.bottom - (p.bottom + 1)};
    case kTabsLeft:
        return RECT{bufferWidth - t.bottom, t.left, bufferWidth - t.top, t.right};
    case kTabsRight:
        return RECT{t.top - 1, r.right - t.right, t.bottom - 1, r.right - t.left};
    default:
        return RECT{t.left, t.top + 1, t.right, t.bottom + 1};
    }
}

int TabFrame(int index, int selected) {
    return index == selected ? 2 : 1;
}

std::vector<RECT> BorderParts(int tw, int th, int fw, int fh, TSkinMargins m) {
    if (tw < m.Left + m.Right)
        m.Left = m.Right = 0;
    if (th < m.Top + m.Bottom)
        m.Top = m.Bottom = 0;
    const int l = m.Left, t = m.Top, r = m.Right, b = m.Bottom;
    // Each part with its source's size: a part whose source is empty is
    // not drawn.
    struct TPart {
        RECT Dest;
        int SourceW, SourceH;
    };
    const TPart parts[] = {
        {{0, 0, l, t}, l, t},
        {{0, th - b, l, th}, l, b},
        {{tw - r, 0, tw, t}, r, t},
        {{0, t, l, th - b}, l, fh - t - b},
        {{l, 0, tw - r, t}, fw - l - r, t},
        {{tw - r, th - b, tw, th}, r, b},
        {{tw - r, t, tw, th - b}, r, fh - t - b},
        {{l, th - b, tw - r, th}, fw - l - r, b},
    };
    std::vector<RECT> out;
    for (const TPart& p : parts)
        if (p.Dest.right > p.Dest.left && p.Dest.bottom > p.Dest.top && p.SourceW > 0 &&
            p.SourceH > 0)
            out.push_back(p.Dest);
    return out;
}

std::vector<TSkinTabSetTab> LayoutSkinTabSet(const std::vector<int>& textWidths, int firstIndex,
                                             int startMargin, int endMargin, int width,
                                             bool scrollerVisible) {
    std::vector<TSkinTabSetTab> tabs;
    const int limit = width - endMargin;
    const int room = scrollerVisible ? kTabSetScrollerPad : kTabSetPad;
    int x = startMargin;
    for (int i = std::max(firstIndex, 0); i < static_cast<int>(textWidths.size()); ++i) {
        const int w = textWidths[i];
        if (limit < x + w + room)
            continue;
        tabs.push_back({i, x, x + w + kTabSetPad});
        x += w + kTabSetPad;
    }
    return tabs;
}

// ---- tab control ----

TSkinTab::TSkinTab(TComponent* owner) : TSkinControl(owner) {
    StripBuffer.SetPixelFormat(TPixelFormat::pf24bit);
}

void TSkinTab::AttachWindow(HWND handle, TSkinData* skinData, TWrapperHost* formSkinner,
                            TCanvas* canvas) {
    TSkinControl::AttachWindow(handle, skinData, formSkinner, canvas);
    Focused = GetFocus() == Handle;
    Enabled = !(GetWindowLongW(Handle, GWL_STYLE) & WS_DISABLED);
    Caption = ReadWindowText();
    PrepareImages();
    FindUpDown();
}

// The new pictures are made before the repaint the base asks for; what
// was composed from the old ones goes.
void TSkinTab::SkinChanged() {
    stripKey_.Clear();
    for (TKeptPicture& band : border_)
        band.Forget();
    PrepareImages();
    TSkinControl::SkinChanged();
}

void TSkinTab::Notification(TComponent* c, TOperation op) {
    TSkinControl::Notification(c, op);
    if (op == opRemove && c == UpDownWrapper)
        UpDownWrapper = nullptr;
}

// Copies of the Tabs pictures turned for the position: flipped for the
// bottom; the border turned a quarter to the left or right for the sides
// (the tabs themselves are composed horizontally and the strip turned).
void TSkinTab::PrepareImages() {
    TabPosition = TabPositionOfStyle(static_cast<DWORD>(GetWindowLongW(Handle, GWL_STYLE)));
    TabImage.Clear();
    BorderImage.Clear();
    if (!SkinData || !SkinData->Tabs || SkinData->Tabs->Picture.Empty())
        return;
    TabImage.Assign(SkinData->Tabs->Picture);
    TabImage.SetPixelFormat(TPixelFormat::pf24bit);
    if (!SkinData->Tabs->Picture2.Empty()) {
        BorderImage.Assign(SkinData->Tabs->Picture2);
        BorderImage.SetPixelFormat(TPixelFormat::pf24bit);
    }
    switch (TabPosition) {
    case kTabsBottom:
        FlipBitmap(TabImage);
        if (!BorderImage.Empty())
            FlipBitmap(BorderImage);
        break;
    case kTabsLeft:
        if (!BorderImage.Empty())
            RotateBitmapLeft(BorderImage);
        break;
    case kTabsRight:
        if (!BorderImage.Empty())
            RotateBitmapRight(BorderImage);
        break;
    default:
        break;
    }
}

bool TSkinTab::FindUpDown() {
    HWND upDown = FindWindowExA(Handle, nullptr, "msctls_updown32", nullptr);
    if (!upDown)
        return false;
    if (!UpDownWrapper)
        UpDownWrapper = MakeUpDownWrapper(*this, UpDownClass, upDown, false);
    return (GetWindowLongW(upDown, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TSkinTab::PaintSkin(HDC dc, const RECT& r) {
    if (!SkinData || !SkinData->Tabs || SkinData->Tabs->Picture.Empty())
        return;
    // A position changed since the pictures were made turns them again.
    const auto style = static_cast<DWORD>(GetWindowLongW(Handle, GWL_STYLE));
    if (TabPositionOfStyle(style) != TabPosition || TabImage.Empty())
        PrepareImages();
    Enabled = !(style & WS_DISABLED);
    const bool upDownVisible = FindUpDown();
    RECT page = r;
    SendMessageW(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    const RECT body = TabBodyRect(page, TabPosition);
    DrawStrip(dc, r, body, upDownVisible);
    if (!BorderImage.Empty())
        DrawBorder(dc, body);
}

// Composes the strip of tabs horizontally in the buffer and turns it for
// the sides, unless the buffer already holds what the tabs show now; then
// copies it around the scroll arrows.
void TSkinTab::DrawStrip(HDC dc, const RECT& r, const RECT& body, bool upDownVisible) {
    const RECT strip = TabStripRect(r, body, TabPosition);
    const SIZE size = TabBufferSize(strip, TabPosition);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    auto font = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0));
    auto list = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, TCM_GETIMAGELIST, 0, 0));
    TLookKey key;
    const std::vector<TTabLook> tabs = ReadTabs(r, body, size.cx);
    StripKey(key, size, font, tabs);
    // Images of a list can change under the same handle: with a list the
    // strip is composed at every paint.
    if (list || !(key == stripKey_) || StripBuffer.Empty()) {
        stripKey_ = list ? TLookKey() : key;
        ComposeStrip(size, font, list, tabs);
    }
    HWND upDown =
        upDownVisible ? FindWindowExA(Handle, nullptr, "msctls_updown32", nullptr) : nullptr;
    const RECT hole = upDown ? ChildRect(Handle, upDown) : RECT{};
    CopyStrip(dc, strip, StripBuffer.Canvas().Handle(), upDown ? &hole : nullptr);
}

// Every tab: its rectangle in the strip buffer, frame, text and image.
std::vector<TSkinTab::TTabLook> TSkinTab::ReadTabs(const RECT& r, const RECT& body,
                                                   int bufferWidth) {
    std::vector<TTabLook> tabs;
    const int count = static_cast<int>(SendMessageW(Handle, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(Handle, TCM_GETCURFOCUS, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[80] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
        item.pszText = text;
        item.cchTextMax = 80;
        item.iImage = -1;
        SendMessageW(Handle, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        RECT t{};
        if (!SendMessageW(Handle, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&t)))
            continue;
        TTabLook tab;
        tab.Rect = TabRectInBuffer(t, TabPosition, r, body, bufferWidth);
        tab.Frame = TabFrame(i, selected);
        tab.Text = item.pszText ? item.pszText : L"";
        tab.Image = item.iImage;
        tabs.push_back(std::move(tab));
    }
    return tabs;
}

// What the composed strip is made from.
void TSkinTab::StripKey(TLookKey& key, SIZE size, HFONT font, const std::vector<TTabLook>& tabs) {
    TDataSkinBorder& e = *SkinData->Tabs;
    key.Add(size.cx).Add(size.cy).Add(TabPosition).Add(Enabled);
    LOGFONTW lf{};
    key.Add(font != nullptr);
    if (font && GetObjectW(font, sizeof lf, &lf))
        key.Add(lf);
    key.Add(ColorToRGB(ParentColour())).Add(ColorToRGB(clBtnShadow));
    key.AddPicture(TabImage).Add(e.TilesMiddle()).Add(e.Trans).Add(e.FrameCount);
    const TSkinMargins m = e.Margins();
    key.Add(m.Left).Add(m.Top).Add(m.Right).Add(m.Bottom);
    key.Add(ColorToRGB(e.NormalColour2)).Add(ColorToRGB(e.MouseOverColour2));
    for (const TTabLook& t : tabs)
        key.Add(t.Rect).Add(t.Frame).Add(t.Text).Add(t.Image);
}

void TSkinTab::ComposeStrip(SIZE size, HFONT font, HIMAGELIST list,
                            const std::vector<TTabLook>& tabs) {
    StripBuffer.SetSize(size.cx, size.cy);
    {
        HDC mem = StripBuffer.Canvas().Handle();
        FillParent(mem, RECT{0, 0, size.cx, size.cy});
        const TSaveDC save(mem);
        std::optional<TSelectObject> pick;
        if (font)
            pick.emplace(mem, font);
        for (const TTabLook& tab : tabs)
            DrawTab(mem, tab, list);
    }
    if (TabPosition == kTabsLeft)
        RotateBitmapLeft(StripBuffer);
    else if (TabPosition == kTabsRight)
        RotateBitmapRight(StripBuffer);
}

// One tab: its frame of the Tabs picture, then its image and text centred.
void TSkinTab::DrawTab(HDC dc, const TTabLook& tab, HIMAGELIST list) {
    TDataSkinBorder& tabs = *SkinData->Tabs;
    DrawSkinElement(dc, tab.Rect, TabImage, false, tabs.TilesMiddle(), tabs.Trans != 0,
                    tabs.FrameCount, tab.Frame, tabs.Margins(), COLORONCOLOR);
    SetTextColor(dc, ColorToRGB(tab.Frame == 1 ? tabs.NormalColour2 : tabs.MouseOverColour2));
    DrawImageText(dc, tab.Rect, 1, tab.Text, tab.Image, list, Enabled);
}

// The page border: the border parts of the Tabs border picture stretched
// around the body. Each of the four bands (top and bottom rows, left and
// right columns) is drawn once per body size and picture into a kept
// picture of its own, and the parts are copied from there.
void TSkinTab::DrawBorder(HDC dc, const RECT& body) {
    const int w = body.right - body.left, h = body.bottom - body.top;
    const TSkinFrameBox frame = LocateSkinFrame(BorderImage, false, 1, 1);
    if (w <= 0 || h <= 0)
        return;
    TSkinMargins m = kBorderMargins;
    // Margins wider than the picture: drawn straight on, as the pieces fall.
    if (m.Left + m.Right > frame.Width || m.Top + m.Bottom > frame.Height) {
        DrawSkinEdges(dc, body, BorderImage, false, 1, 1, m);
        return;
    }
    if (w < m.Left + m.Right)
        m.Left = m.Right = 0;
    if (h < m.Top + m.Bottom)
        m.Top = m.Bottom = 0;
    // Each band: its place in the body and its kept picture.
    const RECT bands[4] = {
        {0, 0, w, m.Top}, {0, h - m.Bottom, w, h}, {0, 0, m.Left, h}, {w - m.Right, 0, w, h}};
    TLookKey key;
    key.AddPicture(BorderImage).Add(w).Add(h);
    for (int i = 0; i < 4; ++i) {
        const RECT& b = bands[i];
        if (b.right <= b.left || b.bottom <= b.top ||
            border_[i].Current(key, b.right - b.left, b.bottom - b.top))
            continue;
        HDC mem = border_[i].DC();
        const TSaveDC save(mem);
        SetViewportOrgEx(mem, -b.left, -b.top, nullptr);
        DrawSkinEdges(mem, RECT{0, 0, w, h}, BorderImage, false, 1, 1, kBorderMargins);
    }
    for (const RECT& part : BorderParts(w, h, frame.Width, frame.Height, kBorderMargins)) {
        const int i = part.bottom <= m.Top       ? 0
                      : part.top >= h - m.Bottom ? 1
                      : part.right <= m.Left     ? 2
                                                 : 3;
        const RECT& b = bands[i];
        border_[i].CopyTo(
            dc, body.left + part.left, body.top + part.top,
            RECT{part.left - b.left, part.top - b.top, part.right - b.left, part.bottom - b.top});
    }
}

// ---- tab set ----

TSkinTab31::TSkinTab31(TComponent* owner) : TSkinControl(owner) {}

void TSkinTab31::AttachControl(TWrapperHost* formSkinner, TSkinData* skinData, bool,
                               TCanvas* canvas) {
    if (Attached)
        return;
    Control = dynamic_cast<TWinControl*>(Owner());
    if (!Control)
        return;
    // The tab set's window is subclassed although a framework control
    // stands for it: the wrapper replaces its painting whole.
    TSkinControl::AttachWindow(Control->Handle(), skinData, formSkinner, canvas);
    PrepareImage();
    auto* set = dynamic_cast<TTabSet*>(Control);
    if (!set || set->ComponentCount() == 0 || set->Components(0) != set->Scroller())
        return;
    Scroller = set->Scroller();
    UpDownWrapper = MakeUpDownWrapper(*this, UpDownClass, Scroller->Handle(), true);
}

void TSkinTab31::Notification(TComponent* c, TOperation op) {
    TSkinControl::Notification(c, op);
    if (op == opRemove && c == UpDownWrapper)
        UpDownWrapper = nullptr;
}

void TSkinTab31::SkinChanged() {
    PrepareImage();
    TSkinControl::SkinChanged();
}

void TSkinTab31::PrepareImage() {
    TabImage.Clear();
    if (!SkinData || !SkinData->Tabs || SkinData->Tabs->Picture.Empty())
        return;
    TabImage.Assign(SkinData->Tabs->Picture);
    TabImage.SetPixelFormat(TPixelFormat::pf24bit);
    FlipBitmap(TabImage);
}

bool TSkinTab31::BeforeMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_PAINT:
        PaintThroughBeginPaint(msg);
        return true;
    case WM_ERASEBKGND:
        msg.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(msg);
    }
}

void TSkinTab31::PaintSkin(HDC dc, const RECT& r) {
    auto* set = dynamic_cast<TTabSet*>(Control);
    if (!set || !SkinData || !SkinData->Tabs || SkinData->Tabs->Picture.Empty())
        return;
    if (TabImage.Empty())
        PrepareImage();
    TDataSkinBorder& tabs = *SkinData->Tabs;
    const bool scrollerVisible = Scroller && Scroller->Visible();
    {
        TBufferScope buffer(dc, r);
        if (!buffer.Valid())
            return;
        HDC mem = buffer.DC();
        FillFace(mem, r);
        const TSelectObject font(mem, set->Font().Handle());
        // Tab captions are measured and drawn in the plain style of the font.
        const TPlainFontScope plain(mem);
        std::vector<std::wstring> texts;
        std::vector<int> widths;
        for (int i = 0; i < set->Tabs().Count(); ++i) {
            texts.push_back(ListLine(set->Tabs(), i));
            SIZE size{};
            GetTextExtentPoint32W(mem, texts.back().c_str(), static_cast<int>(texts.back().size()),
                                  &size);
            widths.push_back(size.cx);
        }
        const int width = r.right - r.left;
        for (const TSkinTabSetTab& tab :
             LayoutSkinTabSet(widths, set->FirstIndex(), set->StartMargin(), set->EndMargin(),
                              width, scrollerVisible)) {
            const int frame = TabFrame(tab.index, set->TabIndex());
            const RECT cell{r.left + tab.left, r.top, r.left + tab.right, r.bottom};
            DrawSkinElement(mem, cell, TabImage, false, tabs.TilesMiddle(), tabs.Trans != 0,
                            tabs.FrameCount, frame, tabs.Margins(), COLORONCOLOR);
            SetTextColor(mem, ColorToRGB(frame == 1 ? tabs.NormalColour2 : tabs.MouseOverColour2));
            DrawCentredText(mem, cell, DT_CENTER, true, texts[static_cast<size_t>(tab.index)]);
        }
        // The window DC does not leave child windows out: keep off the scroller.
        const TSaveDC save(dc);
        if (scrollerVisible) {
            const RECT hole = ChildRect(Handle, Scroller->Handle());
            ExcludeClipRect(dc, hole.left, hole.top, hole.right, hole.bottom);
        }
        buffer.Present();
    }
}
