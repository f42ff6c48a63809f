// A control with its own (Unicode) window: children, tab order, focus,
// keyboard routing, notification reflection and painting of windowless children.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/ui/control.h"
#include "framework/ui/subclass.h"

// Everything CreateWindowExW needs; CreateParams fills it and subclasses adjust it.
struct TCreateParams {
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND wndParent = nullptr;
    void* param = nullptr;
    // The window class registered for this control (the class name of the object).
    std::wstring winClassName;
    UINT classStyle = CS_DBLCLKS;
    // A system class to build on (its procedure becomes the default handling).
    std::wstring superClass;
    // Control identifier of a child window; 0 = one free among its siblings.
    UINT id = 0;
};

class TWinControl : public TControl {
    LT_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, created now when there is none yet.
    HWND Handle();
    HWND Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window (and those of the children); it is made again on demand.
    void DestroyHandle();
    // The framework control that owns a window, or null.
    static TWinControl* FindControl(HWND wnd);
    // Windows owned by framework controls alive now.
    static int LiveWindowCount();

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }
    // The windowless or windowed child at a client point, or null.
    TControl* ControlAtPos(POINT p, bool allowDisabled = false) const;

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v);
    // Windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return tabList_; }
    // Every focusable descendant in tab order (depth first).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // Moves the focus to the next (or previous) control after `current`.
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;

    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }

    // Lays the aligned children out in the client area.
    void Realign();
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();

    // Sends a message to every child until one answers non-zero.
    void Broadcast(TMessage& msg);

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void SetClientSize(int width, int height) override;
    POINT ClientToScreen(POINT p) const override;
    POINT ScreenToClient(POINT p) const override;
    bool Showing() const override;
    void Invalidate() override;
    void Update() override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Makes the window itself from the parameters and the child identifier
    // (or menu) with CreateWindowExW; MDI children override it to ask their
    // MDI client instead.
    virtual HWND CreateWindowHandle(const TCreateParams& params, HMENU menuOrId);
    virtual void DestroyWnd();
    // Runs after the window exists (children windows are made here).
    virtual void CreateHandleDone() {}
    void WndProc(TMessage& msg) override;
    void DefaultHandler(TMessage& msg) override;
    // Lays out aligned children inside `rect` (client coordinates); rect is what is left.
    virtual void AlignControls(RECT& rect);
    // Paints the window: its own background and face, then windowless children.
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc);
    void PaintHandler(TMessage& msg);
    // Key events; answer true when the key was consumed (set to 0).
    bool DoKeyDown(TMessage& msg);
    bool DoKeyUp(TMessage& msg);
    bool DoKeyPress(TMessage& msg);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(wchar_t& key);
    // The window procedure that handles what the framework does not.
    WNDPROC DefWndProc() const { return window_.PreviousProc(); }
    LRESULT CallDefault(TMessage& msg) { return window_.CallPrevious(msg); }
    void UpdateShowing();

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void SetChildOrder(TControl* control, bool toFront);
    void UpdateBoundsFromWindow();
    bool HandleWindowState(TMessage& msg);
    bool HandleNotification(TMessage& msg);
    bool HandleKeyboard(TMessage& msg);
    void EraseBackground(TMessage& msg);
    void HandleMouseRouting(TMessage& msg);
    void HandleKeyReflection(TMessage& msg);
    HWND NotificationSource(const TMessage& msg) const;
    bool ReflectNotification(TMessage& msg);
    bool HandleSetCursor(TMessage& msg);
    void SortTabList();
    static LRESULT CALLBACK InitialWndProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam);

    // The subclass object that routes the window's messages to WindowProc.
    class TControlWindow : public TWindowSubclass {
    public:
        explicit TControlWindow(TWinControl* owner) : owner_(owner) {}

    protected:
        void WindowMessage(TMessage& msg) override;
        void OnFinalMessage(HWND wnd) override;

    private:
        TWinControl* owner_;
    };

    TControlWindow window_;
    HWND handle_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    int tabOrderRequest_ = -1;
    int tabSequence_ = 0;
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    bool tracking_ = false;
    bool destroyingHandle_ = false;
    int alignDisabled_ = 0;
    bool aligning_ = false;
    TControl* captureControl_ = nullptr;
};
