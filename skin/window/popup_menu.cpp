// The popup-menu window skinner: border and animation paint from the
// skin's MenuBackground picture.
#include "skin/window/popup_menu.h"

#include <algorithm>
#include <vector>

#include "framework/gdi/gdi_handles.h"
#include "framework/ui/messages.h"
#include "skin/model/skin_data.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"

namespace {

TWinSkinPopMenu* gCurrentPopupSkinner = nullptr;

// Every popup skinner alive, for the item drawing's background lookup.
std::vector<TWinSkinPopMenu*>& LiveSkinners() {
    static std::vector<TWinSkinPopMenu*> live;
    return live;
}

TPopupSkinnerBase* MakePopupSkinner() {
    return new TWinSkinPopMenu;
}

bool ManagerActive() {
    TSkinManage* m = TSkinManage::Instance(false);
    return m && m->Active();
}

} // namespace

std::array<RECT, 4> PopupBorderStrips(int width, int height) {
    const int b = kPopupBorder;
    return {RECT{0, 0, width, b}, RECT{0, height - b, width, height}, RECT{0, b, b, height - b},
            RECT{width - b, b, width, height - b}};
}

RECT PopupItemArea(int width, int height) {
    return {kPopupBorder, kPopupBorder, width - kPopupBorder, height - kPopupBorder};
}

TDataSkinObject* MenuBackgroundObject(const TSkinData* data) {
    if (!data || data->SkinEmpty() || !data->MenuBackground ||
        data->MenuBackground->Picture.Empty())
        return nullptr;
    return data->MenuBackground.get();
}

TWinSkinPopMenu* CurrentPopupSkinner() {
    return gCurrentPopupSkinner;
}

void SetCurrentPopupSkinner(TWinSkinPopMenu* skinner) {
    gCurrentPopupSkinner = skinner;
}

void ClaimPendingPopupSkinner(HMENU menu) {
    if (!gCurrentPopupSkinner)
        return;
    gCurrentPopupSkinner->SetOwnerMenu(menu);
    gCurrentPopupSkinner = nullptr;
}

void InstallPopupMenuSkins() {
    TSkinManage::SetPopupSkinnerFactory(MakePopupSkinner);
    TWinSkinForm::SetSkinnedSystemMenu(true);
}

TWinSkinPopMenu* FindPopupSkinner(HMENU menu) {
    if (!menu)
        return nullptr;
    for (TWinSkinPopMenu* p : LiveSkinners())
        if (p->OwnerMenu() == menu)
            return p;
    return nullptr;
}

TWinSkinPopMenu::TWinSkinPopMenu() : window_(this), image_(std::make_unique<TBitmap>()) {
    LiveSkinners().push_back(this);
}

TWinSkinPopMenu::~TWinSkinPopMenu() {
    std::erase(LiveSkinners(), this);
    Detach();
    if (gCurrentPopupSkinner == this)
        gCurrentPopupSkinner = nullptr;
}

void TWinSkinPopMenu::Attach(HWND wnd, TSkinData* data, HMENU ownerMenu) {
    handle_ = wnd;
    skinData_ = data;
    ownerMenu_ = ownerMenu;
    if (!window_.IsSubclassed())
        window_.Subclass(wnd, TProcCharset::Ansi);
}

void TWinSkinPopMenu::Detach() {
    if (!window_.IsSubclassed())
        return;
    window_.Unsubclass();
    image_->Clear();
    if (gCurrentPopupSkinner == this)
        gCurrentPopupSkinner = nullptr;
}

const TBitmap* TWinSkinPopMenu::Image() const {
    return image_->Empty() ? nullptr : image_.get();
}

void TWinSkinPopMenu::TPopupWindow::WindowMessage(TMessage& msg) {
    owner_->WindowMessage(msg);
}

void TWinSkinPopMenu::WindowMessage(TMessage& msg) {
    if (msg.Msg == SM_SKINNEDQUERY) {
        msg.Result = 1;
        return;
    }
    if (!ManagerActive()) {
        window_.CallPrevious(msg);
        return;
    }
    switch (msg.Msg) {
    case WM_DESTROY:
        Detach();
        window_.CallPrevious(msg);
        return;
    case WM_NCPAINT:
        if (PaintBorder())
            msg.Result = 0;
        else
            window_.CallPrevious(msg);
        return;
    case WM_PRINT:
        if (!PaintAnimation(msg))
            window_.CallPrevious(msg);
        return;
    case WM_PAINT:
        // Wine paints a popup menu's frame in its client area (the window
        // has no non-client area), over the border painted at WM_NCPAINT:
        // the strips go back on top of it.
        window_.CallPrevious(msg);
        if (clientOffset_.x == 0 && clientOffset_.y == 0 && !image_->Empty()) {
            int width = 0, height = 0;
            if (WindowSize(width, height) && width == image_->Width() && height == image_->Height())
                CopyStrips(width, height);
        }
        return;
    default:
        window_.CallPrevious(msg);
        return;
    }
}

bool TWinSkinPopMenu::WindowSize(int& width, int& height) const {
    RECT window{};
    if (!IsWindow(handle_) || !GetWindowRect(handle_, &window))
        return false;
    width = window.right - window.left;
    height = window.bottom - window.top;
    return width > 0 && height > 0;
}

bool TWinSkinPopMenu::BuildImage(int width, int height) {
    TDataSkinObject* background = MenuBackgroundObject(skinData_);
    if (!background || width <= 0 || height <= 0)
        return false;
    std::unique_ptr<TBitmap> image = StretchSkinFrame(RECT{0, 0, width, height}, *background, 1);
    if (!image)
        return false;
    image_ = std::move(image);
    RECT window{};
    POINT origin{0, 0};
    if (GetWindowRect(handle_, &window) && ClientToScreen(handle_, &origin))
        clientOffset_ = {origin.x - window.left, origin.y - window.top};
    if (!ownerMenu_)
        gCurrentPopupSkinner = this;
    return true;
}

bool TWinSkinPopMenu::PaintBorder() {
    int width = 0, height = 0;
    if (!MenuBackgroundObject(skinData_) || !WindowSize(width, height) ||
        !BuildImage(width, height))
        return false;
    CopyStrips(width, height);
    return true;
}

void TWinSkinPopMenu::CopyStrips(int width, int height) {
    TWindowDC dc(handle_);
    if (!dc.Handle())
        return;
    HDC source = image_->Canvas().Handle();
    for (const RECT& r : PopupBorderStrips(width, height))
        if (r.right > r.left && r.bottom > r.top)
            BitBlt(dc.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, source, r.left,
                   r.top, SRCCOPY);
}

bool TWinSkinPopMenu::PaintAnimation(TMessage& msg) {
    int width = 0, height = 0;
    if (!MenuBackgroundObject(skinData_) || !WindowSize(width, height) ||
        !BuildImage(width, height))
        return false;
    const auto dc = reinterpret_cast<HDC>(msg.WParam);
    BitBlt(dc, 0, 0, width, height, image_->Canvas().Handle(), 0, 0, SRCCOPY);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const RECT inner = PopupItemArea(width, height);
    {
        TRegionHandle clip(CreateRectRgnIndirect(&inner));
        SelectClipRgn(dc, clip.Get());
    }
    try {
        window_.CallPrevious(msg);
    } catch (...) {
        SelectClipRgn(dc, nullptr);
        SetBkMode(dc, oldMode);
        throw;
    }
    SelectClipRgn(dc, nullptr);
    SetBkMode(dc, oldMode);
    return true;
}
