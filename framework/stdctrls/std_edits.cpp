// TCustomEdit, TEdit and TMemo over the platform's edit control.
#include "framework/stdctrls/std_edits.h"

#include "framework/core/ansi.h"
#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_comctl.h"
#include "framework/stdctrls/std_common.h"

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.superClass = L"EDIT";
    params.exStyle |= WS_EX_CLIENTEDGE;
    params.style |= ES_AUTOHSCROLL;
    if (readOnly_)
        params.style |= ES_READONLY;
}

void TCustomEdit::CreateHandleDone() {
    SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetMaxLength(int v) {
    maxLength_ = v < 0 ? 0 : v;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETREADONLY, v ? TRUE : FALSE, 0);
}

void TCustomEdit::Change() {
    OnChange(this);
}

void TCustomEdit::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case CN_COMMAND:
        if (HIWORD(msg.WParam) == EN_CHANGE) {
            std::wstring text = WindowTextOf(Handle());
            // Wine notifies a keystroke refused at the length limit too.
            if (text == Caption() && !settingText_)
                return;
            {
                // The caption follows the window without writing it back.
                TFlagScope scope(syncing_);
                SetCaption(text);
            }
            Change();
            return;
        }
        break;
    case CM_TEXTCHANGED: {
        if (syncing_)
            return;
        TFlagScope scope(settingText_);
        TWinControl::WndProc(msg);
        return;
    }
    default:
        break;
    }
    TWinControl::WndProc(msg);
}

std::wstring MemoTextOfLines(const TStringList& lines) {
    std::wstring text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0)
            text += L"\r\n";
        text += AnsiToWideText(lines[i]);
    }
    return text;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
    SetBounds(0, 0, 185, 89);
}

void TMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (wordWrap_)
        params.style &= ~ES_AUTOHSCROLL;
    if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_)
        params.style |= WS_HSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth)
        params.style |= WS_VSCROLL;
}

// The lines as given (an empty last line included) while the text follows.
void TMemo::SetLines(const TStringList& v) {
    TFlagScope scope(settingLines_);
    lines_.Assign(v);
    SetText(MemoTextOfLines(lines_));
}

void TMemo::TextChanged() {
    if (!settingLines_)
        lines_.SetText(WideToAnsiText(Text()));
}

void TMemo::SetScrollBars(TScrollStyle v) {
    if (v == scrollBars_)
        return;
    scrollBars_ = v;
    RecreateWindowOf(*this);
}

void TMemo::SetWordWrap(bool v) {
    if (v == wordWrap_)
        return;
    wordWrap_ = v;
    RecreateWindowOf(*this);
}

LT_CLASS_TABLE(TCustomEdit) {}

LT_CLASS_TABLE(TEdit) {
    c.String("Text", &TEdit::Text, &TEdit::SetText)
        .Integer("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength)
        .Default(0)
        .Boolean("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly)
        .Default(false)
        .Event("OnChange", &TEdit::OnChange);
}

LT_CLASS_TABLE(TMemo) {
    c.Strings("Lines", MutableList(&TMemo::Lines), &TMemo::SetLines)
        .Integer("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength)
        .Default(0)
        .Boolean("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly)
        .Default(false)
        .Enum("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars)
        .Default(ssNone)
        .Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)
        .Default(true)
        .Event("OnChange", &TMemo::OnChange);
}
