// The browser host's two message hooks: on its own messages (key routing to
// the browser, close query, DDE conversation) and on its owner form's (titles
// and icons of the browser's dialogs).
#include "framework/ui/win32.h"

#include <dde.h>
#include <oleidl.h>

#include "browser/dde_server.h"
#include "browser/embedded_wb.h"
#include "framework/ui/application.h"
#include "framework/ui/ui_errors.h"

namespace {
// The point every message record offered to the browser carries.
constexpr LONG kOfferedPoint = 0x115DE1F1;
} // namespace

void TEmbeddedWB::ControlWndProc(TMessage& msg, const TMessageChain& next) {
    if (msg.Msg >= CN_BASE + WM_KEYDOWN && msg.Msg <= CN_BASE + WM_DEADCHAR) {
        msg.Result = OfferKeyToBrowser(msg) ? 1 : 0;
        return;
    }
    switch (msg.Msg) {
    case WM_CLOSE: {
        bool canClose = true;
        if (OnCloseQuery)
            OnCloseQuery(this, canClose);
        if (!canClose)
            return;
        break;
    }
    // Carried out only while DDE is on and the sender is a partner.
    case WM_DDE_TERMINATE:
        if (dde_ && dde_->Terminate(reinterpret_cast<HWND>(msg.WParam)))
            return;
        break;
    case WM_DDE_EXECUTE:
        if (dde_ && dde_->Execute(reinterpret_cast<HWND>(msg.WParam), msg.LParam))
            return;
        break;
    default:
        break;
    }
    next(msg);
}

// Hands a reflected key message to the browser's active object, except the
// keys the browser must not see (Backspace, Enter, extended Left and Right).
bool TEmbeddedWB::OfferKeyToBrowser(TMessage& msg) {
    WPARAM key = msg.WParam;
    if (key == VK_BACK || key == VK_RETURN)
        return false;
    if ((key == VK_LEFT || key == VK_RIGHT) && (msg.LParam & 0x01000000))
        return false;
    try {
        MSG record{};
        record.hwnd = HandleAllocated() ? TWebBrowser::Handle() : nullptr;
        record.message = msg.Msg - CN_BASE;
        record.wParam = msg.WParam;
        record.lParam = msg.LParam;
        record.time = static_cast<DWORD>(GetMessageTime());
        record.pt = POINT{kOfferedPoint, kOfferedPoint};
        TVariant app = GetDispatchProperty(200);
        if (app.vt != VT_DISPATCH || !app.pdispVal)
            return false;
        TComPtr<IOleInPlaceActiveObject> active;
        if (FAILED(app.pdispVal->QueryInterface(IID_IOleInPlaceActiveObject, active.PutVoid())))
            return false;
        return active->TranslateAccelerator(&record) == S_OK;
    } catch (...) {
        HandleUiException();
        return false;
    }
}

// The hook sits on the owner's message method, which exists before its
// window does: a form that reads its definition gets hooked while loading.
void TEmbeddedWB::HookOwner() {
    if (ownerHook_.Hooked())
        return;
    auto* owner = dynamic_cast<TControl*>(Owner());
    if (!owner)
        return;
    ownerHook_.Hook(owner->MessageHooks(), this,
                    [this](TMessage& msg, const TMessageChain& next) { OwnerWndProc(msg, next); });
}

// Takes the hook off the owner; a no-op when the owner is already gone.
void TEmbeddedWB::UnhookOwner() {
    ownerHook_.Unhook();
}

void TEmbeddedWB::OwnerWndProc(TMessage& msg, const TMessageChain& next) {
    if (msg.Msg == WM_ACTIVATE && LOWORD(msg.WParam) == WA_INACTIVE) {
        auto activated = reinterpret_cast<HWND>(msg.LParam);
        try {
            wchar_t className[80] = {};
            if (activated && GetClassNameW(activated, className, 80) &&
                wcscmp(className, L"#32770") == 0 && replaceCaption_)
                ReplaceDialogCaption(activated);
            if (OnShowDialog)
                OnShowDialog(this, activated);
        } catch (...) {
            HandleUiException();
        }
    }
    next(msg);
}

// The application's icon and title on a dialog the browser opened.
void TEmbeddedWB::ReplaceDialogCaption(HWND dialog) {
    HICON icon = Application ? Application->Icon() : nullptr;
    SendMessageW(dialog, WM_SETICON, 0, reinterpret_cast<LPARAM>(icon));
    int length = GetWindowTextLengthW(dialog);
    std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
    caption.resize(GetWindowTextW(dialog, caption.data(), length + 1));
    const std::wstring maker = L"Microsoft ";
    const std::wstring browser = L"Internet Explorer";
    if (size_t at = caption.find(maker); at != std::wstring::npos)
        caption.erase(at, maker.size());
    if (size_t at = caption.find(browser); at != std::wstring::npos)
        caption.replace(at, browser.size(), Application ? Application->Title() : std::wstring());
    SetWindowTextW(dialog, caption.c_str());
}
