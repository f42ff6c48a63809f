// Edit boxes over the platform's "EDIT" class: the one-line TEdit and the
// multi-line TMemo.
#pragma once

#include "framework/core/strings.h"
#include "framework/stdctrls/std_types.h"
#include "framework/ui/wincontrol.h"

// Text, length limit, read-only state and the change event shared by both.
// Caption and Text are the same: the window's text, kept up to date as the
// user types.
class TCustomEdit : public TWinControl {
    LT_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);

    const std::wstring& Text() const { return Caption(); }
    void SetText(const std::wstring& v) { SetCaption(v); }
    // Characters the user may enter; 0 is no limit of ours.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    // Fires whenever the text changed, typed or set.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;
    // The window's text changed (EN_CHANGE).
    virtual void Change();

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool syncing_ = false;
    bool settingText_ = false;
};

class TEdit : public TCustomEdit {
    LT_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

// The window text of a memo for its lines (CR LF between lines, none after
// the last), and the lines of a window text.
std::wstring MemoTextOfLines(const TStringList& lines);

class TMemo : public TCustomEdit {
    LT_CLASS(TMemo, TCustomEdit)
public:
    explicit TMemo(TComponent* owner);

    // The text as lines (ANSI), following what the user types.
    const TStringList& Lines() const { return lines_; }
    void SetLines(const TStringList& v);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle v);
    // Long lines wrap at the right edge (no horizontal scrolling then).
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);

protected:
    void CreateParams(TCreateParams& params) override;
    void TextChanged() override;

private:
    TStringList lines_;
    bool settingLines_ = false;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
};
