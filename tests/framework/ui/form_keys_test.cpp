// Keys in a dialog: dialog keys taken by the focused button before the key
// is delivered, KeyPreview, Tab moving the focus, accelerator characters.
#include <gtest/gtest.h>

#include <vector>

#include "ui_test_util.h"

namespace {

// The confirmation-dialog layout: Cancel first in tab order, OK second; the
// form's key handler turns Esc into Cancel and Enter into OK.
struct TKeyDialog {
    TForm form{Application};
    TTestButton* ok = new TTestButton(&form);
    TTestButton* cancel = new TTestButton(&form);
    std::vector<WORD> keysSeen;

    TKeyDialog() {
        form.SetBorderStyle(bsDialog);
        form.SetClientSize(240, 80);
        form.SetKeyPreview(true);
        ok->SetParent(&form);
        ok->SetBounds(20, 40, 75, 25);
        ok->ModalResult = mrOk;
        ok->SetTabOrder(1);
        cancel->SetParent(&form);
        cancel->SetBounds(120, 40, 75, 25);
        cancel->ModalResult = mrCancel;
        cancel->SetTabOrder(0);
        form.OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
            keysSeen.push_back(key);
            if (key == VK_ESCAPE)
                form.SetModalResult(mrCancel);
            if (key == VK_RETURN)
                form.SetModalResult(mrOk);
        };
    }
    // Runs the dialog while a script types the keys; after 5 s a guard ends it
    // with mrAbort, so a lost key shows as a wrong answer instead of a hang.
    TModalResult Run(std::vector<WORD> keys) {
        form.HandleNeeded();
        TKeyScript script(std::move(keys), form.Handle());
        guarded = &form;
        const UINT_PTR guard = SetTimer(nullptr, 0, 20000, &TKeyDialog::Guard);
        TModalResult r = form.ShowModal();
        KillTimer(nullptr, guard);
        guarded = nullptr;
        return r;
    }
    static inline TForm* guarded = nullptr;
    static void CALLBACK Guard(HWND, UINT, UINT_PTR, DWORD) {
        if (guarded)
            guarded->SetModalResult(mrAbort);
    }
};

} // namespace

// Enter right away clicks the focused Cancel button; the form's handler never sees it.
TEST(FormKeys, EnterIsTakenByTheFocusedButton) {
    TKeyDialog d;
    EXPECT_EQ(d.Run({VK_RETURN}), mrCancel);
    EXPECT_TRUE(d.keysSeen.empty());
}

// Tab moves the focus to OK; Enter then answers OK.
TEST(FormKeys, TabThenEnterAnswersOk) {
    TKeyDialog d;
    EXPECT_EQ(d.Run({VK_TAB, VK_RETURN}), mrOk);
    EXPECT_TRUE(d.keysSeen.empty()) << "Tab and Enter were both dialog keys";
}

// Esc is no button's dialog key: with KeyPreview it reaches the form's handler.
TEST(FormKeys, EscapeReachesTheFormHandlerThroughKeyPreview) {
    TKeyDialog d;
    EXPECT_EQ(d.Run({VK_TAB, VK_ESCAPE}), mrCancel);
    EXPECT_EQ(d.keysSeen, (std::vector<WORD>{VK_ESCAPE}));
}

// Without KeyPreview the form's handler does not see keys meant for a button;
// an arrow key moves the focus back to Cancel.
TEST(FormKeys, WithoutKeyPreviewTheFormHandlerStaysOut) {
    TKeyDialog d;
    d.form.SetKeyPreview(false);
    d.ok->OnClick = nullptr;
    EXPECT_EQ(d.Run({VK_ESCAPE, VK_TAB, VK_LEFT, VK_RETURN}), mrCancel);
    EXPECT_TRUE(d.keysSeen.empty());
}

// Enter on a form without a focused button reaches OnKeyDown (answers OK).
TEST(FormKeys, EnterReachesTheFormWhenNoControlTakesIt) {
    TKeyDialog d;
    d.ok->SetEnabled(false);
    d.cancel->SetEnabled(false);
    EXPECT_EQ(d.Run({VK_RETURN}), mrOk);
    EXPECT_EQ(d.keysSeen, (std::vector<WORD>{VK_RETURN}));
}

// A character that no focused control wants is offered to every control as CM_DIALOGCHAR.
TEST(FormKeys, CharactersAreOfferedAsDialogChars) {
    TForm form(Application);
    auto* button = new TTestButton(&form);
    button->SetParent(&form);
    std::vector<WPARAM> offered;
    TWndMethod saved = button->WindowProc;
    button->WindowProc = [&](TMessage& m) {
        if (m.Msg == CM_DIALOGCHAR) {
            offered.push_back(m.WParam);
            m.Result = m.WParam == L'确' ? 1 : 0;
            return;
        }
        saved(m);
    };
    form.Show();
    MSG msg{button->Handle(), WM_CHAR, L'确', 0, 0, {}};
    EXPECT_TRUE(Application->IsKeyMsg(msg)) << "taken as an accelerator";
    msg.wParam = L'x';
    EXPECT_FALSE(Application->IsKeyMsg(msg));
    EXPECT_EQ(offered, (std::vector<WPARAM>{L'确', L'x'}));
    button->WindowProc = saved;
    form.Hide();
}
