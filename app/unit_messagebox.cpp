// The confirmation dialog and AskConfirm; see the header.
#include "framework/ui/win32.h"

#include "app/unit_messagebox.h"

#include "app/form_resource.h"
#include "framework/core/class_builder.h"
#include "framework/ui/application.h"

namespace {
TForm_MessageBox* g_dialog = nullptr;
std::function<void(TForm_MessageBox&)> g_showHook;
} // namespace

// Reads the definition with this form's handlers, then finds its controls.
TForm_MessageBox::TForm_MessageBox(TComponent* owner) : TForm(owner) {
    RegisterRzControls();
    RegisterHandler("FormCreate", this, &TForm_MessageBox::FormCreate);
    RegisterHandler("FormKeyDown", this, &TForm_MessageBox::FormKeyDown);
    ReadDefinition(LoadFormResource(L"TFORM_MESSAGEBOX"));
    RzLabel1 = dynamic_cast<TRzLabel*>(FindComponent("RzLabel1"));
    Label_Tip = dynamic_cast<TRzLabel*>(FindComponent("Label_Tip"));
    RzBitBtn_Ok = dynamic_cast<TRzBitBtn*>(FindComponent("RzBitBtn_Ok"));
    RzBitBtn_Cancel = dynamic_cast<TRzBitBtn*>(FindComponent("RzBitBtn_Cancel"));
}

// The dialog's title is the product name.
void TForm_MessageBox::FormCreate(TObject*) {
    SetCaption(L"岚拓食品销售管理系统");
}

// Esc answers Cancel, Enter answers OK; the key goes on.
void TForm_MessageBox::FormKeyDown(TObject*, WORD& key, TShiftState) {
    if (key == VK_ESCAPE) {
        SetModalResult(mrCancel);
    } else if (key == VK_RETURN) {
        SetModalResult(mrOk);
    }
}

TForm_MessageBox* CurrentMessageBox() {
    return g_dialog;
}

void SetAskConfirmShowHook(std::function<void(TForm_MessageBox&)> hook) {
    g_showHook = std::move(hook);
}

// A fresh dialog per call, always freed, errors passed on after clean-up.
bool AskConfirm(const std::wstring& question) {
    if (!g_dialog) {
        g_dialog = new TForm_MessageBox(Application);
    }
    struct FreeDialog {
        ~FreeDialog() {
            TForm_MessageBox* dialog = g_dialog;
            g_dialog = nullptr;
            delete dialog;
        }
    } cleanup;
    if (g_dialog->Label_Tip) {
        g_dialog->Label_Tip->SetCaption(question);
    }
    if (g_showHook) {
        g_showHook(*g_dialog);
    }
    return g_dialog->ShowModal() == mrOk;
}

LT_CLASS_TABLE(TForm_MessageBox) {}
