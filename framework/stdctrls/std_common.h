// Window helpers shared by the standard controls over platform classes.
#pragma once

#include <string>

#include "framework/core/strings.h"
#include "framework/ui/wincontrol.h"

// The whole text of a window.
std::wstring WindowTextOf(HWND wnd);

// Destroys a control's window and makes it again (styles fixed at creation).
void RecreateWindowOf(TWinControl& control);

// The messages of one kind of platform list.
struct TListMessages {
    UINT reset, add, getSel, setSel;
};

// The lines (ANSI) and the selected line of a platform list (list box,
// combo box): held here while there is no window (null), sent to the window
// as soon as there is one.
class TWindowItems {
public:
    explicit TWindowItems(const TListMessages& msgs) : msgs_(msgs) {}
    const TStringList& Lines() const { return lines_; }
    void Assign(HWND wnd, const TStringList& lines);
    int Add(HWND wnd, const std::wstring& text);
    void Clear(HWND wnd);
    int Index(HWND wnd) const;
    void SetIndex(HWND wnd, int index);
    // Keeps the window's selection (before the window goes).
    void Remember(HWND wnd) { index_ = Index(wnd); }
    // Gives a new window every line and the selection.
    void Fill(HWND wnd) const;

private:
    TListMessages msgs_;
    TStringList lines_;
    int index_ = -1;
};
