// The application object: the hidden application window, the forms in
// creation order, the message loop and the default exception handler.
#pragma once

#include "framework/ui/win32.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/event.h"
#include "framework/ui/subclass.h"

class TCustomForm;

using TExceptionEvent = TEvent<void(TObject* sender, std::exception_ptr error)>;

class TApplication : public TComponent {
    LT_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Common controls, the hidden window of class "TApplication", the icon.
    void Initialize();
    HWND Handle() const { return window_.Handle(); }
    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title);
    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);

    // Creates a form owned by the application; the first becomes the main form.
    template <class T> T* CreateForm() {
        T* form = new T(this);
        if (!mainForm_)
            mainForm_ = form;
        return form;
    }
    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }
    // Forms alive, in creation order.
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int i) const { return forms_.at(i); }

    // Shows the main form and handles messages until it has closed.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every queued message, then returns.
    void ProcessMessages();
    // Handles one message, or waits for one when none is queued.
    void HandleMessage();
    // Key messages offered to the focused control as CN_* first; true = consumed.
    bool IsKeyMsg(MSG& msg);

    // Reports an exception: OnException when set, else a message box with its text.
    void HandleException(TObject* sender, std::exception_ptr error);
    void ShowException(const std::wstring& text);
    TExceptionEvent OnException;

private:
    friend class TCustomForm;
    bool ProcessMessage(MSG& msg);
    void AddForm(TCustomForm* form) { forms_.push_back(form); }
    void RemoveForm(TCustomForm* form);
    void Notification(TComponent* c, TOperation op) override;

    class TAppWindow : public TWindowSubclass {
    protected:
        void WindowMessage(TMessage& msg) override;
    };

    TAppWindow window_;
    std::wstring title_;
    HICON icon_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    std::vector<TCustomForm*> forms_;
    bool terminated_ = false;
};

// The process's application object (set while one exists).
extern TApplication* Application;
