// Menus over native menus: items with captions, shortcuts, check marks,
// images and owner drawing; main menus of forms and popup menus.
#pragma once

#include "framework/ui/win32.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/event.h"
#include "framework/ui/control.h"
#include "framework/ui/owner_draw.h"

class TCanvas;
class TMenu;

// Key plus modifiers: scShift, scCtrl, scAlt in the high bits, virtual key below.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
TShortCut ShortCut(WORD key, TShiftState shift);
// "Ctrl+S", "Shift+F5", "Alt+Enter" ...
std::wstring ShortCutToText(TShortCut shortCut);

class TMenuItem;

// An event of a menu item that decides how the item is built: assigning or
// binding it rebuilds the item's native entry, so that an item whose menu
// already exists becomes owner-drawn (or plain again) at once.
template <class Sig> class TMenuItemEvent : public TEvent<Sig> {
public:
    explicit TMenuItemEvent(TMenuItem* item = nullptr) : item_(item) {}
    TMenuItemEvent(const TMenuItemEvent&) = delete;
    // Copies the handler; the item stays this event's own.
    TMenuItemEvent& operator=(const TMenuItemEvent& other) {
        TEvent<Sig>::operator=(other);
        Notify();
        return *this;
    }
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, TMenuItemEvent>) TMenuItemEvent&
    operator=(F&& f) {
        TEvent<Sig>::operator=(TEvent<Sig>(std::forward<F>(f)));
        Notify();
        return *this;
    }
    void Bind(std::function<Sig> fn, std::string handlerName) {
        TEvent<Sig>::Bind(std::move(fn), std::move(handlerName));
        Notify();
    }

private:
    void Notify();
    TMenuItem* item_;
};

using TMenuMeasureItemEvent =
    TMenuItemEvent<void(TObject* sender, TCanvas* canvas, int& width, int& height)>;
using TAdvancedMenuDrawItemEvent =
    TMenuItemEvent<void(TObject* sender, TCanvas* canvas, RECT rect, TOwnerDrawState state)>;

// Command identifiers of menu items lie in 1..kLastMenuCommand, below the
// system commands (SC_SIZE = 0xF000 and up), so WM_COMMAND and
// WM_SYSCOMMAND never mistake one for the other. Freed identifiers are
// given out again, lowest first.
constexpr UINT kLastMenuCommand = 0xEFFF;

class TMenuItem : public TComponent {
    LT_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool v);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut v);
    int32_t ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int32_t v);
    // Reading order: the item's own, or its menu's while ParentBiDiMode is
    // set (setting BiDiMode clears it). A right-to-left item is built with
    // MFT_RIGHTORDER | MFT_RIGHTJUSTIFY.
    TBiDiMode BiDiMode() const;
    void SetBiDiMode(TBiDiMode v);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool v);
    bool IsRightToLeft() const { return BiDiMode() != bdLeftToRight; }
    // A separator is an item whose caption is "-".
    bool IsLine() const { return caption_ == L"-"; }

    // The command identifier sent in WM_COMMAND when the item is chosen.
    UINT Command() const { return command_; }
    // The native menu of the item's sub-items (made on demand); null without sub-items.
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int i) const { return items_.at(i); }
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    // Frees sub-item i.
    void Delete(int index);
    void Clear();
    // The menu this item belongs to (through its parents), or null.
    TMenu* GetParentMenu() const;
    // The item or sub-item with this shortcut, searched depth first.
    TMenuItem* FindShortCut(TShortCut sc);
    // Whether the item is drawn by its owner (menu owner-draw or an image list).
    bool IsOwnerDraw() const;

    virtual void Click();

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem{this};
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem{this};

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

    // Dispatching from window messages; each answers whether it handled it.
    static bool DispatchCommand(UINT command);
    static bool HandleMeasureItem(MEASUREITEMSTRUCT* mis);
    static bool HandleDrawItem(DRAWITEMSTRUCT* dis);
    static void HandleInitPopup(HMENU menu);
    // The item with a command identifier, or null.
    static TMenuItem* FindItem(UINT command);
    // The item whose sub-items make up the native menu `menu` (a menu's root
    // item for its bar or popup), or null.
    static TMenuItem* FindItemByHandle(HMENU menu);
    // Answer to WM_MENUCHAR for `menu`: MNC_EXECUTE with the position of the
    // first visible, enabled item whose accelerator is `key`, else MNC_IGNORE
    // (0), which lets the system look further.
    static LRESULT MenuCharResult(HMENU menu, wchar_t key);
    // Items alive (each holds one command identifier).
    static int LiveCount();

    // The framework's own look, used when no drawing event is set (and by
    // skinners that measure first and add their margins).
    virtual void DrawItem(TCanvas& canvas, RECT rect, TOwnerDrawState state);
    virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
    // The image list of the item's menu, or null.
    HIMAGELIST GetImageList() const;

private:
    friend class TMenu;
    template <class Sig> friend class TMenuItemEvent;
    // Puts this item's entries into its native menu again after a change.
    void RebuildHandle();
    // The same for this item and every sub-menu below it.
    void RebuildTree();
    // Tells the parent (or the menu) that this item's entry must be rebuilt.
    void Changed();
    void AppendTo(HMENU menu);

    std::wstring caption_;
    bool checked_ = false, enabled_ = true, visible_ = true, default_ = false, radioItem_ = false;
    TShortCut shortCut_ = 0;
    int32_t imageIndex_ = -1;
    TBiDiMode bidiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;
    UINT command_;
    HMENU handle_ = nullptr;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on the root item of a menu
    std::vector<TMenuItem*> items_;
};

class TMenu : public TComponent {
    LT_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item; its sub-items are the menu's entries.
    TMenuItem* Items() const { return items_; }
    HMENU Handle() { return items_->Handle(); }
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool v);
    HIMAGELIST Images() const { return images_; }
    void SetImages(HIMAGELIST images);
    // Reading order of the items that follow their menu's (ParentBiDiMode).
    TBiDiMode BiDiMode() const { return bidiMode_; }
    void SetBiDiMode(TBiDiMode v);
    // Runs the item bound to a shortcut; true when one was found.
    bool IsShortCut(WORD key, TShiftState shift);

protected:
    friend class TMenuItem;
    // Makes the empty native menu of the root (a menu bar or a popup).
    virtual HMENU CreateMenuHandle() = 0;
    // Told after the native menu changed.
    virtual void MenuChanged() {}

private:
    TMenuItem* items_;
    bool ownerDraw_ = false;
    TBiDiMode bidiMode_ = bdLeftToRight;
    HIMAGELIST images_ = nullptr;
};

class TMainMenu : public TMenu {
    LT_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}

protected:
    HMENU CreateMenuHandle() override { return CreateMenu(); }
    void MenuChanged() override;
};

class TPopupMenu : public TMenu {
    LT_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    // Shows the menu at a screen point and runs the chosen item.
    virtual void Popup(int x, int y);
    TNotifyEvent OnPopup;

protected:
    HMENU CreateMenuHandle() override { return CreatePopupMenu(); }
};

// The hidden window that receives the messages of popup menus while they are shown.
HWND PopupListWindow();

// The system's menu font (what owner-drawn items are measured and drawn in).
LOGFONTW MenuLogFont();

template <class Sig> void TMenuItemEvent<Sig>::Notify() {
    if (item_ && !item_->HasState(csDestroying))
        item_->Changed();
}
