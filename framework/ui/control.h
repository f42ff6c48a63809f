// Base of every visual control: bounds, alignment, visibility, colour, text,
// and a replaceable message method (WindowProc).
#pragma once

#include "framework/ui/win32.h"

#include <functional>
#include <string>

#include "framework/core/component.h"
#include "framework/gdi/font.h"
#include "framework/ui/message_hooks.h"
#include "framework/ui/messages.h"

#include "framework/core/event.h"
#include "framework/core/set.h"

class TWinControl;
class TCustomForm;

LT_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)
LT_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
LT_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)
LT_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)
LT_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
using TShiftState = TSet<TShiftStateItem>;

using TCursor = int32_t;
constexpr TCursor crDefault = 0, crArrow = -2, crIBeam = -4, crHandPoint = -21;

using TNotifyEvent = TEvent<void(TObject* sender)>;
using TMouseEvent = TEvent<void(TObject* sender, TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = TEvent<void(TObject* sender, TShiftState, int x, int y)>;
using TKeyEvent = TEvent<void(TObject* sender, WORD& key, TShiftState)>;
using TKeyPressEvent = TEvent<void(TObject* sender, wchar_t& key)>;
// A control's message method: what every message to the control goes through.
using TWndMethod = std::function<void(TMessage&)>;

// Shift state from the keyboard now.
TShiftState KeyboardShiftState();

class TControl : public TComponent {
    LT_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The control's replaceable message method; starts as WndProc. It sits
    // below every hook: parties that share the control hook through
    // HookMessages instead of replacing it.
    TWndMethod WindowProc;
    // Delivers a message to the control: its hooks, top first, then WindowProc.
    // Every path a message takes to a control comes through here.
    void Dispatch(TMessage& msg);
    // Sends a message through Dispatch and answers its result.
    LRESULT Perform(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);

    // Puts `hook` on top of the control's hooks under `key`; hooking a key
    // again replaces its hook in place.
    void HookMessages(TMessageHookKey key, TMessageHook hook);
    // Takes the hook of `key` off (also from inside a message it handles);
    // nothing happens when the key has none.
    void UnhookMessages(TMessageHookKey key);
    bool MessagesHooked(TMessageHookKey key) const;
    // The hook stack, for parties that may outlive the control (hold it weakly,
    // e.g. through a TMessageHookLink).
    const std::shared_ptr<TMessageHooks>& MessageHooks() const { return hooks_; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    // The form this control sits on (itself for a form), or null.
    TCustomForm* ParentForm() const;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    // Client rectangle in the control's own coordinates.
    virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
    int ClientWidth() const;
    int ClientHeight() const;
    virtual void SetClientSize(int width, int height);
    // Converts between this control's client coordinates and the screen.
    virtual POINT ClientToScreen(POINT p) const;
    virtual POINT ScreenToClient(POINT p) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and every parent up to a shown window.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& text);
    // The control's font; a change sends CM_FONTCHANGED. While ParentFont is
    // set the font follows the parent's; changing it directly clears ParentFont.
    TFont& Font() { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    // Reading order; the control's painting (and its skin) mirrors when it
    // is not bdLeftToRight.
    TBiDiMode BiDiMode() const { return bidiMode_; }
    void SetBiDiMode(TBiDiMode v) {
        if (v != bidiMode_) {
            bidiMode_ = v;
            Invalidate();
        }
    }
    bool IsRightToLeft() const { return bidiMode_ != bdLeftToRight; }
    // The mouse is over this control (between CM_MOUSEENTER and CM_MOUSELEAVE).
    bool MouseInControl() const { return mouseInControl_; }

    // Marks the control for repainting; Repaint paints at once.
    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    // Puts the control in front of or behind its siblings.
    void BringToFront();
    void SendToBack();

    virtual void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // The control under the mouse now, as tracked for enter/leave notifications.
    static TControl* MouseControl();
    // Moves the enter/leave tracking to `control` (null: the mouse left every control).
    static void SetMouseControl(TControl* control);

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

protected:
    // The control's own message handling; WindowProc starts pointing here.
    virtual void WndProc(TMessage& msg);
    // What happens to a message nobody handled (windowed controls call their window's default).
    virtual void DefaultHandler(TMessage& msg);
    // Parent gives the control a chance to change when its own state changed.
    virtual void VisibleChanging() {}
    virtual void BoundsChanged() {}
    virtual void TextChanged() {}
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // Asks the parent to realign its children after a change of this one.
    void RequestAlign();
    // True while the font is being copied from the parent (not the control's own choice).
    bool FontFromParent() const { return fontFromParent_; }
    void ApplyParentFont();

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

private:
    void HandleMouseMessage(TMessage& msg);

    // Made in the constructor, closed and let go at the end of the destructor.
    std::shared_ptr<TMessageHooks> hooks_;

    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentColor_ = false;
    bool mouseInControl_ = false;
    bool clicked_ = false;
    TColor color_ = clWindow;
    std::wstring caption_;
    TCursor cursor_ = crDefault;
    TBiDiMode bidiMode_ = bdLeftToRight;
    TFont font_;
    bool parentFont_ = true;
    bool fontFromParent_ = false;

    friend class TWinControl;
};
