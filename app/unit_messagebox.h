// The confirmation dialog: a navy prompt, the question centred in a
// word-wrapped label, and two hot-tracking glyph buttons, OK and Cancel.
#pragma once

#include "controls/rz_bitbtn.h"
#include "controls/rz_label.h"
#include "framework/ui/form.h"

#include <functional>
#include <string>

class TForm_MessageBox : public TForm {
    LT_CLASS(TForm_MessageBox, TForm)
public:
    // Builds the dialog from its definition (components, then FormCreate).
    explicit TForm_MessageBox(TComponent* owner);

    TRzLabel* RzLabel1 = nullptr;
    TRzLabel* Label_Tip = nullptr;
    TRzBitBtn* RzBitBtn_Ok = nullptr;
    TRzBitBtn* RzBitBtn_Cancel = nullptr;

    void FormCreate(TObject* sender);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
};

// Shows the question in a fresh modal dialog; true only for OK.
bool AskConfirm(const std::wstring& question);

// The dialog being shown by AskConfirm now, or null.
TForm_MessageBox* CurrentMessageBox();

// Test seam: called with the dialog after its question is set, just before it
// is shown (it may raise, or arrange input for the modal loop).
void SetAskConfirmShowHook(std::function<void(TForm_MessageBox&)> hook);
