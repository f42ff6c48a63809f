// TApplication: message loop, key pre-processing, exceptions, form list.
#include "framework/ui/application.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/ui/form.h"
#include "framework/ui/ui_errors.h"
#include "framework/ui/ui_register.h"
#include "framework/ui/ui_window_class.h"

TApplication* Application = nullptr;

LT_CLASS_TABLE(TApplication) {}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    if (!Application)
        Application = this;
    SetUiErrorHandler([this](std::exception_ptr e) { HandleException(this, e); });
}

TApplication::~TApplication() {
    SetStateFlag(csDestroying, true);
    DestroyComponents();
    if (HWND wnd = window_.Handle()) {
        window_.Unsubclass();
        DestroyWindow(wnd);
    }
    if (Application == this) {
        Application = nullptr;
        SetUiErrorHandler(nullptr);
    }
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterFrameworkClasses();
    if (!icon_) {
        icon_ = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
        if (!icon_)
            icon_ = LoadIconW(nullptr, IDI_APPLICATION);
        SetClassIcon(icon_);
    }
    if (window_.Handle())
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = icon_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"TApplication";
    RegisterClassExW(&wc);
    HWND wnd =
        CreateWindowExW(0, L"TApplication", title_.c_str(),
                        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                        0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!wnd)
        throw EOutOfResources(L"Cannot create the application window");
    window_.Subclass(wnd, TProcCharset::Unicode);
}

// The hidden window answers like any other; the loop ends on WM_QUIT.
void TApplication::TAppWindow::WindowMessage(TMessage& msg) {
    if (msg.Msg == WM_CLOSE) {
        if (Application && Application->MainForm())
            Application->MainForm()->Close();
        return;
    }
    CallPrevious(msg);
}

void TApplication::SetTitle(const std::wstring& title) {
    title_ = title;
    if (window_.Handle())
        SetWindowTextW(window_.Handle(), title.c_str());
}

void TApplication::SetIcon(HICON icon) {
    icon_ = icon;
    SetClassIcon(icon);
    if (window_.Handle())
        SendMessageW(window_.Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void TApplication::RemoveForm(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

void TApplication::Notification(TComponent* c, TOperation op) {
    TComponent::Notification(c, op);
    if (op == opRemove && c == mainForm_)
        mainForm_ = nullptr;
}

void TApplication::Run() {
    if (mainForm_ && !terminated_)
        mainForm_->Show();
    while (!terminated_ && mainForm_)
        HandleMessage();
}

void TApplication::Terminate() {
    if (!terminated_)
        PostQuitMessage(0);
    terminated_ = true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg) && !terminated_)
        WaitMessage();
}

// Takes one message from the queue and delivers it; false when none was queued.
bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    try {
        if (IsKeyMsg(msg))
            return true;
        TCustomForm* main = mainForm_;
        if (main && main->ClientHandle() && TranslateMDISysAccel(main->ClientHandle(), &msg))
            return true;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    } catch (...) {
        HandleException(this, std::current_exception());
    }
    return true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    // The framework control owning the window, or the nearest one above it.
    HWND wnd = msg.hwnd;
    TWinControl* control = nullptr;
    while (wnd && !(control = TWinControl::FindControl(wnd)))
        wnd = GetParent(wnd);
    if (!control || !IsWindowEnabled(msg.hwnd))
        return false;
    return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::HandleException(TObject* sender, std::exception_ptr error) {
    if (!error)
        return;
    if (OnException) {
        OnException(sender, error);
        return;
    }
    ShowException(UiExceptionText(error));
}

void TApplication::ShowException(const std::wstring& text) {
    MessageBoxW(window_.Handle(), text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}
