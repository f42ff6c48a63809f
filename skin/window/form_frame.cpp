// The form skinner's drawing side: frame geometry and caption-button objects,
// the window icon, the frame paint (borders, then the title bar composed off
// screen and copied once) and the window region.
#include "skin/window/form_skinner.h"

#include <algorithm>

#include "framework/ui/messages.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"
#include "skin/window/skin_manager.h"

namespace {

// The fallback icon of the last process-wide skin whose icon is known.
TBitmap* MainformDefaultIcon() {
    TSkinManage* m = TSkinManage::Instance(false);
    if (!m)
        return nullptr;
    TBitmap* found = nullptr;
    for (TSkinData* d : m->SkinDatas())
        if (d->SkinFormtype() == sfMainform && !d->DefaultIcon.Empty())
            found = &d->DefaultIcon;
    return found;
}

} // namespace

void TWinSkinForm::ComputeFrame() {
    if (!skinData_ || skinData_->SkinEmpty())
        return;
    const TFrameMetrics m = ComputeFrameMetrics(*skinData_, BorderKind);
    LeftWidth = m.Left;
    TitleHeight = m.Title;
    RightWidth = m.Right;
    BottomHeight = m.Bottom;
    if (BorderKind == kBorderNone)
        MenuHeight = 0;
    DropCaptionButtons();
    for (auto& b : skinData_->CaptionButtons) {
        if (ShowsWindowIcon(*b)) {
            // The icon button shows the window icon, never a frame of its
            // picture: one frame, icon or not. An empty picture takes the
            // icon's size; the first window's icon also becomes the skin's
            // fallback icon.
            if (!IconImage.Empty()) {
                if (b->Picture.Empty())
                    b->Picture.Assign(IconImage);
                if (skinData_->DefaultIcon.Empty())
                    skinData_->DefaultIcon.Assign(IconImage);
            }
            b->FrameCount = 1;
        }
        CaptionButtons.push_back(std::make_unique<TWinSysButton>(this, b.get()));
    }
    CaptionButtonCount = static_cast<int>(CaptionButtons.size());
}

// The window's icon at small-icon size: a sized copy kept for drawing and a
// bitmap (magenta where the icon is transparent) for the icon button's size
// and the skin's fallback. Without an icon, the skin's fallback icon.
void TWinSkinForm::BuildIconImage() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    IconSize = cx;
    Icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
    if (!Icon)
        Icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
    // A window that was given no icon shows its class's, as its native caption would.
    if (!Icon)
        Icon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle, GCLP_HICONSM));
    if (!Icon)
        Icon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle, GCLP_HICON));
    iconCopy_.Reset();
    if (Icon) {
        HANDLE copy = CopyImage(Icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE);
        if (!copy)
            copy = CopyImage(Icon, IMAGE_ICON, cx, cy, 0);
        iconCopy_.Reset(static_cast<HICON>(copy));
        IconImage.SetSize(cx, cy);
        TCanvas& c = IconImage.Canvas();
        c.Brush().SetColor(kSkinKeyColor);
        c.FillRect({0, 0, cx, cy});
        DrawIconEx(c.Handle(), 0, 0, iconCopy_ ? iconCopy_.Get() : Icon, cx, cy, 0, nullptr,
                   DI_NORMAL);
        return;
    }
    if (skinData_ && !skinData_->DefaultIcon.Empty())
        IconImage.Assign(skinData_->DefaultIcon);
    else if (TBitmap* fallback = MainformDefaultIcon())
        IconImage.Assign(*fallback);
}

// The window icon at the icon button's corner (transparent where the icon is).
void TWinSkinForm::DrawWindowIcon(HDC dc, POINT at) {
    if (Icon) {
        DrawIconEx(dc, at.x, at.y, iconCopy_ ? iconCopy_.Get() : Icon, IconSize, IconSize, 0,
                   nullptr, DI_NORMAL);
        return;
    }
    if (!IconImage.Empty())
        DrawTransparent(dc, {at.x, at.y, at.x + IconImage.Width(), at.y + IconImage.Height()},
                        IconImage);
}

// The window text shown in the title.
std::wstring TWinSkinForm::ReadCaption() const {
    if (UnicodeWindow || IsWindowUnicode(Handle)) {
        wchar_t text[1001] = {};
        const int n = GetWindowTextW(Handle, text, 1000);
        return std::wstring(text, n > 0 ? static_cast<size_t>(n) : 0);
    }
    char text[1001] = {};
    const LRESULT n = SendMessageA(Handle, WM_GETTEXT, 1000, reinterpret_cast<LPARAM>(text));
    return AnsiToWide(std::string(text, n > 0 ? static_cast<size_t>(n) : 0));
}

TCaptionFacts TWinSkinForm::CaptionFacts() const {
    TCaptionFacts f;
    f.MaxBox = (Caps & kCapMaxBox) != 0;
    f.MinBox = (Caps & kCapMinBox) != 0;
    f.SystemMenu = (Caps & kCapSysMenu) != 0;
    f.WindowState = WindowState;
    f.Active = Active;
    f.BorderKind = BorderKind;
    f.SystemDialog = SystemDialog;
    f.MenuHeight = MenuHeight;
    if (MDIKind == kMDIFrame && MDIClientWindow) {
        BOOL maximized = FALSE;
        const auto child = reinterpret_cast<HWND>(SendMessageW(
            MDIClientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
        f.MDIChildMaximized = child && maximized;
    }
    return f;
}

TCaptionLayout TWinSkinForm::CaptionLayoutFacts() const {
    TCaptionLayout l;
    l.Width = FrameWidth;
    l.TextRect = TextRect;
    l.TitleHeight = TitleHeight;
    l.MenuHeight = MenuHeight;
    l.LeftWidth = LeftWidth;
    l.RightWidth = RightWidth;
    if (skinData_ && skinData_->MenuBar && !skinData_->MenuBar->Picture.Empty())
        l.MenuBarMargin = skinData_->MenuBar->LeftWidth;
    l.RightToLeft = RightToLeft;
    return l;
}

// The whole non-client area: borders, then the title bar composed in
// TitleCache and copied once. A failure leaves the frame for the next paint.
void TWinSkinForm::PaintFrame(HDC dc) {
    const int state = state_;
    if ((state != static_cast<int>(TFormSkinnerState::Skinned) &&
         state != static_cast<int>(TFormSkinnerState::Reskinning)) ||
        BorderKind == kBorderNone || NonNormalMDIChild() || !skinData_ || !IsWindow(Handle))
        return;
    try {
        std::unique_ptr<TWindowDC> own;
        if (!dc) {
            own = std::make_unique<TWindowDC>(Handle);
            dc = own->Handle();
        }
        if (!dc)
            return;
        GetWindowRect(Handle, &WindowRect);
        FrameWidth = WindowRect.right - WindowRect.left;
        FrameHeight = WindowRect.bottom - WindowRect.top;
        const TFrameMetrics m = Metrics();
        for (TBorderPart part : {TBorderPart::Left, TBorderPart::Right, TBorderPart::Bottom})
            DrawBorderPart(dc, part, BorderPartRect(part, m, FrameWidth, FrameHeight), *skinData_,
                           Active);
        PaintTitleBar(dc, FrameWidth);
        if (!titleHoles_.empty())
            SettleTitleShape();
        if (MenuBar && MenuHeight > 0)
            MenuBar->Paint(
                dc, {LeftWidth, TitleHeight, FrameWidth - RightWidth, TitleHeight + MenuHeight});
    } catch (...) {
        // The frame stays as it is until the next paint.
    }
    HotObj = nullptr;
    for (auto& b : CaptionButtons)
        b->State = kNCNormal;
}

// Only while the frame is painted at all (as PaintFrame); the bar lies
// below the title across the window's width.
void TWinSkinForm::PaintMenuBar() {
    const int state = state_;
    if ((state != static_cast<int>(TFormSkinnerState::Skinned) &&
         state != static_cast<int>(TFormSkinnerState::Reskinning)) ||
        !MenuBar || MenuHeight <= 0 || BorderKind == kBorderNone || NonNormalMDIChild() ||
        WindowState == kWindowMinimized || !IsWindow(Handle))
        return;
    try {
        RECT w{};
        GetWindowRect(Handle, &w);
        TWindowDC dc(Handle);
        if (dc.Handle())
            MenuBar->Paint(dc.Handle(), {LeftWidth, TitleHeight, w.right - w.left - RightWidth,
                                         TitleHeight + MenuHeight});
    } catch (...) {
        // The bar stays as it is until the next paint.
    }
}

// The title strip: the screen's pixels (the side borders' corners), the top
// border, the text, the caption buttons; copied to the window in one go.
void TWinSkinForm::PaintTitleBar(HDC dc, int width) {
    if (TitleHeight <= 0 || width <= 0)
        return;
    TitleCache.SetSize(width, TitleHeight);
    HDC cache = TitleCache.Canvas().Handle();
    BitBlt(cache, 0, 0, width, TitleHeight, dc, 0, 0, SRCCOPY);
    const RECT strip = BorderPartRect(TBorderPart::Top, Metrics(), width, FrameHeight);
    DrawBorderPart(cache, TBorderPart::Top, strip, *skinData_, Active);
    CaptionText = ReadCaption();
    TextRect =
        DrawTitleText(cache, strip, CaptionPrefix + CaptionText + CaptionSuffix,
                      CaptionFont.Handle(), *skinData_, Active, RightToLeft,
                      (InitialStyle & WS_POPUP) != 0, BorderKind == kBorderDialog, TextClipX);
    const TCaptionFacts facts = CaptionFacts();
    for (size_t i = 0; i < CaptionButtons.size(); ++i) {
        TWinSysButton& b = *CaptionButtons[i];
        b.Visible = CaptionButtonVisible(*b.SkinButton, facts, [this, i] {
            return SendMessageW(Handle, SM_CAPTIONVISIBLE, i, 0);
        });
    }
    TextClipX = LayoutCaptionButtons(CaptionButtons, CaptionLayoutFacts(), TextClipX);
    PaintCaptionButtons(cache, CaptionButtons, Active, *this);
    BitBlt(dc, 0, 0, width, TitleHeight, cache, 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

// The shape of a width x height window: the borders' pixels, the top part
// from the title bar last painted when it was painted at that width.
TRegionHandle TWinSkinForm::FrameRegionFor(int width, int height) {
    TFrameRegionInput in;
    in.Width = width;
    in.Height = height;
    in.Metrics = Metrics();
    in.BorderKind = BorderKind;
    in.Active = Active;
    // A title bar painted at another width does not describe this one.
    if (TitleCache.Width() == width && TitleCache.Height() == TitleHeight)
        in.TitleCache = &TitleCache;
    return BuildFrameRegion(*skinData_, in);
}

// The region is rebuilt when the size changed, for MDI children, and during
// a refresh. The platform owns a region once it is set, so none is kept here.
void TWinSkinForm::RebuildRegion() {
    if (state_ == static_cast<int>(TFormSkinnerState::Destroyed) || !skinData_ ||
        !IsWindow(Handle) || NonNormalMDIChild())
        return;
    RECT r{};
    GetWindowRect(Handle, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    if (w == RegionSize.cx && h == RegionSize.cy && MDIKind != kMDIChild &&
        state_ != static_cast<int>(TFormSkinnerState::Reskinning))
        return;
    TRegionHandle region = FrameRegionFor(w, h);
    if (!region)
        return;
    RegionSize = {w, h};
    titleHoles_.clear();
    SetWindowRgn(Handle, region.Release(), TRUE);
    OwnsRegion = true;
}

namespace {

// A pixel the region leaves out (the key colour, one step of tolerance on
// each channel, as the border shapes are cut).
bool IsKeyPixel(COLORREF c) {
    const COLORREF k = ColorToRGB(kSkinKeyColor);
    auto within = [](int v, int key) { return v >= key && v <= std::min(key + 1, 255); };
    return within(GetRValue(c), GetRValue(k)) && within(GetGValue(c), GetGValue(k)) &&
           within(GetBValue(c), GetBValue(k));
}

// Larger holes are not checked pixel by pixel: the shape is remade from the
// painted title instead.
constexpr int kHolePixelsChecked = 4096;

} // namespace

bool TWinSkinForm::ReshapesBeforeResize() const {
    return state_ == static_cast<int>(TFormSkinnerState::Skinned) && skinData_ &&
           MDIKind != kMDIChild && !(InitialStyle & WS_CHILD) && WindowState != kWindowMinimized &&
           !IsIconic(Handle) && (IsZoomed(Handle) != FALSE) == (WindowState == kWindowMaximized);
}

// The platform repaints the frame of a window whose size changes (after
// WM_WINDOWPOSCHANGING, before WM_SIZE). Shaping it here, without the
// repaint SetWindowRgn would add, makes that one repaint the only one, and
// under the new shape; what lies below a top-level window shows through the
// pixels the new shape leaves out without being repainted. Any failure
// leaves the shaping to WM_SIZE.
void TWinSkinForm::ReshapeBeforeResize(const WINDOWPOS& pos) {
    if ((pos.flags & SWP_NOSIZE) || pos.cx <= 0 || pos.cy <= 0 || !ReshapesBeforeResize())
        return;
    try {
        RECT old{};
        GetWindowRect(Handle, &old);
        const int oldW = old.right - old.left, oldH = old.bottom - old.top;
        if (pos.cx == oldW && pos.cy == oldH)
            return;
        TRegionHandle region = FrameRegionFor(pos.cx, pos.cy);
        if (!region)
            return;
        std::vector<RECT> holes;
        if (TitleCache.Width() != pos.cx && TitleHeight > 1) {
            // The top part was cut from the bare top border.
            const RECT top = BorderPartRect(TBorderPart::Top, Metrics(), pos.cx, pos.cy);
            TRegionHandle hole(CreateRectRgn(top.left, top.top, top.right, top.bottom));
            CombineRgn(hole.Get(), hole.Get(), region.Get(), RGN_DIFF);
            RegionRects(hole.Get(), holes);
        }
        RegionSize = {pos.cx, pos.cy};
        titleHoles_ = std::move(holes);
        SetWindowRgn(Handle, region.Release(), FALSE);
        OwnsRegion = true;
    } catch (...) {
        // WM_SIZE shapes the window as before.
    }
}

// A shape set before its title was painted follows the title once it is:
// a title pixel (text, a caption button) painted where the bare top border
// is transparent remakes the shape from the painted title, as a shape made
// after the paint would be.
void TWinSkinForm::SettleTitleShape() {
    std::vector<RECT> holes;
    holes.swap(titleHoles_);
    if (RegionSize.cx != FrameWidth || RegionSize.cy != FrameHeight ||
        TitleCache.Width() != FrameWidth || TitleCache.Height() != TitleHeight)
        return;
    long area = 0;
    for (const RECT& r : holes)
        area += static_cast<long>(r.right - r.left) * (r.bottom - r.top);
    bool painted = area > kHolePixelsChecked || TitleCache.PixelFormat() != TPixelFormat::pf32bit;
    for (size_t i = 0; i < holes.size() && !painted; ++i)
        for (int y = holes[i].top; y < holes[i].bottom && !painted; ++y) {
            // Top-down rows, blue first: 0x00RRGGBB.
            const auto* row = reinterpret_cast<const uint32_t*>(TitleCache.ScanLine(y));
            for (int x = holes[i].left; x < holes[i].right && !painted; ++x)
                painted = !IsKeyPixel(RGB((row[x] >> 16) & 255, (row[x] >> 8) & 255, row[x] & 255));
        }
    if (painted) {
        RegionSize = {};
        RebuildRegion();
    }
}
