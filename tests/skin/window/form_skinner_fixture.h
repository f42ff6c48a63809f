// What the form-skinner tests share: a plain form, the packed second skin,
// window geometry and posted-message helpers, and the fixture that starts
// the engine with the program's skin for every test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/gdi/gdi_handles.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/messages.h"
#include "framework/ui/wincontrol.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"
#include "tests/skin/window/skinned_form_setup.h"
#include "tools/skininfo/skin_folder_pack.h"

namespace form_test {

class TPlainForm : public TForm {
public:
    explicit TPlainForm(TComponent* owner, int w = 400, int h = 300) : TForm(owner) {
        SetBounds(120, 100, w, h);
    }
};

inline const std::vector<uint8_t>& GraphiteSkin() {
    static const std::vector<uint8_t> packed = PackSkinFolder(LT_GRAPHITE_DIR);
    return packed;
}

inline SIZE ClientSizeOf(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

inline RECT WindowRectOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

// Where the client area's origin lies in window coordinates.
inline POINT ClientOrigin(HWND wnd) {
    POINT p{0, 0};
    ClientToScreen(wnd, &p);
    const RECT w = WindowRectOf(wnd);
    return {p.x - w.left, p.y - w.top};
}

// A window point as the screen point non-client messages carry.
inline LPARAM ScreenPoint(HWND wnd, POINT windowPoint) {
    const RECT w = WindowRectOf(wnd);
    return MAKELPARAM(w.left + windowPoint.x, w.top + windowPoint.y);
}

inline POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Removes and counts the posted messages of one kind (with that WParam, or any).
inline int TakePosted(HWND wnd, UINT message, WPARAM wparam = static_cast<WPARAM>(-1)) {
    int n = 0;
    MSG m{};
    while (PeekMessageW(&m, wnd, message, message, PM_REMOVE))
        if (wparam == static_cast<WPARAM>(-1) || m.wParam == wparam)
            ++n;
    return n;
}

class FormSkinnerTest : public ::testing::Test, protected TSkinnedFormSetup {
protected:
    void SetUp() override { StartSkinning(); }
    void TearDown() override { StopSkinning(); }
    // Shows the form and skins its window.
    TWinSkinForm* ShowSkinned(TForm& form) {
        form.Show();
        return Skin(form.Handle());
    }
    // Switches skinning off for every window, as the deferred action does.
    void Deactivate() {
        M().SetPendingSkinData(data_);
        M().RequestAction(TSkinAction::Deactivate, 250);
        M().RunPendingAction();
        PumpPending();
    }
};

} // namespace form_test
