// The popup-menu window skinner: TWinSkinPopMenu subclasses one popup-menu
// window ("#32768") that the skin manager admitted, paints its 3-pixel border
// from the skin's MenuBackground picture, and paints the whole background
// when the system captures the menu for its open animation (WM_PRINT). The
// background it builds (Image) is what the skinned item drawing
// (menu_items.h) lays under each item of the same menu.
#pragma once

#include "framework/ui/win32.h"

#include <array>
#include <memory>

#include "framework/gdi/bitmap.h"
#include "framework/ui/subclass.h"
#include "skin/window/skinner_interfaces.h"

class TSkinData;
class TDataSkinObject;

// Width of the popup window's border in pixels.
constexpr int kPopupBorder = 3;

// The four border strips of a W x H popup window, in window coordinates:
// top (0, 0)-(W, 3), bottom from y = H - 3, left from (0, 3) down to H - 3,
// right from x = W - 3 and y = 3 down to H - 3.
std::array<RECT, 4> PopupBorderStrips(int width, int height);
// The window rectangle (0, 0, W, H) inset by the border: where the system
// draws the items during the animation paint.
RECT PopupItemArea(int width, int height);
// The skin's MenuBackground object when the skin is loaded and the object
// has a picture; null otherwise (the popup keeps its native look).
TDataSkinObject* MenuBackgroundObject(const TSkinData* data);

class TWinSkinPopMenu : public TPopupSkinnerBase {
public:
    TWinSkinPopMenu();
    ~TWinSkinPopMenu() override;
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // TPopupSkinnerBase.
    HWND Handle() const override { return handle_; }
    HMENU OwnerMenu() const override { return ownerMenu_; }
    // Stores the three values and subclasses the window.
    void Attach(HWND wnd, TSkinData* data, HMENU ownerMenu) override;
    // Gives the window procedure back and empties Image (when attached).
    void Detach() override;
    // The background last built, or null when none was built.
    const TBitmap* Image() const override;

    TSkinData* SkinData() const { return skinData_; }
    // Where the client area's origin lies in the window (and so in Image):
    // inside the border on Windows; Wine's popup menus have no non-client
    // area and draw their frame and items in the client area.
    POINT ClientOffset() const { return clientOffset_; }
    void SetOwnerMenu(HMENU menu) { ownerMenu_ = menu; }
    bool Attached() const { return window_.IsSubclassed(); }

    // WM_NCPAINT: builds Image for the window size and copies the four
    // border strips into the window DC. False (nothing painted) without a
    // MenuBackground picture.
    bool PaintBorder();
    // WM_PRINT: Image copied to `dc`, then the previous handling draws the
    // items inside the border with a transparent background. False (nothing
    // done) without a MenuBackground picture or window rectangle.
    bool PaintAnimation(TMessage& msg);

private:
    class TPopupWindow : public TWindowSubclass {
    public:
        explicit TPopupWindow(TWinSkinPopMenu* owner) : owner_(owner) {}

    protected:
        void WindowMessage(TMessage& msg) override;

    private:
        TWinSkinPopMenu* owner_;
    };

    void WindowMessage(TMessage& msg);
    // Image := the MenuBackground picture stretched over width x height; a
    // skinner that does not know its menu yet becomes the pending one.
    bool BuildImage(int width, int height);
    // Copies the border strips from Image into the window DC.
    void CopyStrips(int width, int height);
    // The window's size (false when it has none).
    bool WindowSize(int& width, int& height) const;

    TPopupWindow window_;
    HWND handle_ = nullptr;
    TSkinData* skinData_ = nullptr;
    std::unique_ptr<TBitmap> image_;
    HMENU ownerMenu_ = nullptr;
    POINT clientOffset_{kPopupBorder, kPopupBorder};
};

// The live popup skinner whose OwnerMenu is `menu`, or null.
TWinSkinPopMenu* FindPopupSkinner(HMENU menu);

// The popup skinner that built its background while its menu was still
// unknown; the next item drawn names the menu (ClaimPendingPopupSkinner).
TWinSkinPopMenu* CurrentPopupSkinner();
void SetCurrentPopupSkinner(TWinSkinPopMenu* skinner);
// A pending skinner gets `menu` as its OwnerMenu and stops being pending.
void ClaimPendingPopupSkinner(HMENU menu);

// Makes the skin manager give every admitted popup-menu window a
// TWinSkinPopMenu, and opens the skinned system menu instead of the native
// one. The program calls it once at start-up.
void InstallPopupMenuSkins();
