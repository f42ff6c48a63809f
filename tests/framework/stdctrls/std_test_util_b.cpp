// Shared pieces of the standard-control tests.
#include "std_test_util_b.h"

#include "framework/core/form_reader.h"
#include "framework/core/form_writer.h"
#include "framework/stdctrls/std_register_b.h"

std::unique_ptr<TForm> ReadTestForm(const std::string& definition, int* changes) {
    return ReadTestForm(definition, [changes](TForm& form) {
        form.RegisterHandler<void(TObject*)>("Changed", [changes](TObject*) {
            if (changes)
                ++*changes;
        });
    });
}

std::unique_ptr<TForm> ReadTestForm(const std::string& definition,
                                    const std::function<void(TForm&)>& handlers) {
    RegisterStandardControlsB();
    auto form = std::make_unique<TForm>(Application);
    handlers(*form);
    ReadFormDefinition(*form, definition);
    form->Show();
    PumpPending();
    return form;
}

std::unique_ptr<TForm> RoundTrip(TForm& form, std::string* written,
                                 const std::function<void(TForm&)>& handlers) {
    const std::string text = WriteFormDefinition(form);
    if (written)
        *written = text;
    auto copy = std::make_unique<TForm>(nullptr);
    if (handlers)
        handlers(*copy);
    else
        copy->RegisterHandler<void(TObject*)>("Changed", [](TObject*) {});
    ReadFormDefinition(*copy, text);
    return copy;
}

void ClickAt(HWND wnd, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    // Posted, both at once: controls that track the mouse after the press
    // (list and tree views detect drags) find the release in the queue.
    PostMessageW(wnd, WM_MOUSEMOVE, 0, at);
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(wnd, WM_LBUTTONUP, 0, at);
    PumpPending();
}
