// Shared pieces of the standard-control tests: forms read from definitions,
// definition round trips and mouse clicks delivered to a window.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "../ui/ui_test_util.h"

// A form read from `definition` and shown, with the handler "Changed"
// (void(TObject*)) counting into *changes when changes is set.
std::unique_ptr<TForm> ReadTestForm(const std::string& definition, int* changes = nullptr);
// A form read from `definition` and shown, after `handlers` registered the
// event handlers the definition names.
std::unique_ptr<TForm> ReadTestForm(const std::string& definition,
                                    const std::function<void(TForm&)>& handlers);
// The form written as a definition and read back into a fresh form (not
// shown); `handlers` registers the event handlers the definition names
// (by default "Changed").
std::unique_ptr<TForm> RoundTrip(TForm& form, std::string* written = nullptr,
                                 const std::function<void(TForm&)>& handlers = nullptr);
// Left button down and up at a client point of the window, as the mouse sends them.
void ClickAt(HWND wnd, int x, int y);
// The named component of the form as class T (fails the test when absent).
template <class T> T* Find(TForm& form, const char* name) {
    return dynamic_cast<T*>(form.FindComponent(name));
}
