// Combo-box skin: the combo keeps drawing its own text; after each of its
// paints the wrapper draws the skin's edit frame (SunkEdge), drop-down button
// (ComboButton) and the button's glyph (ExtraImages) around the text. The
// inner edit of a drop-down combo is subclassed so that pressing in it shows
// the pressed button; a simple combo's list gets its scroll bars skinned by
// a scroll-bar wrapper made by class name. Which state, which frame and
// which rectangles are pure functions below; the painter only draws.
#pragma once

#include "framework/ui/win32.h"

#include <string>

#include "skin/controls/skin_control.h"

class TDataSkinBorder;

// ---- geometry and state choice ----

// State numbers of the combo painting (frame and cell indexes).
enum TSkinComboState : int {
    kComboNormal = 1,
    kComboPressed = 2,
    kComboDisabled = 3,
    kComboHot = 4
};

// Pressed first, then focused or hot, then enabled (normal) or disabled.
int ComboState(bool pressed, bool focusedOrHot, bool enabled);

// Frame of a mirrored strip of n frames that shows frame k mirrored: turning
// the whole strip left to right also turns the order of its frames round.
int MirroredFrame(int n, int k);

// Whether a combo of this window style has a drop-down button (drop-down and
// drop-down-list combos), rather than being a simple combo.
bool IsDropDownCombo(DWORD style);

// Whether a simple combo's list is a top-level popup (WS_POPUP, or the
// desktop window as its parent) rather than a child of the combo.
bool IsTopLevelList(DWORD listStyle, HWND listParent, HWND desktop);

// Where the parts of a combo go in its window rectangle R: the text area the
// skin leaves alone, the button rectangle Q and the glyph area G. e is the
// width of a scroll-bar arrow (SM_CXHSCROLL); leftButton: WS_EX_LEFTSCROLLBAR.
struct TComboLayout {
    RECT Text{};
    RECT Button{};
    RECT Glyph{};
};
TComboLayout ComboLayout(const RECT& r, int e, bool leftButton);

// The flat look: the inner frame (R inset by 1) drawn with the DC's brush,
// and the button, the right part of R inset by 2 that is `thumb` wide.
struct TFlatComboLayout {
    RECT Inner{};
    RECT Button{};
};
TFlatComboLayout FlatComboLayout(const RECT& r, int thumb);

// ---- wrapper ----

class TSkinComBox : public TSkinControl {
    LT_CLASS(TSkinComBox, TSkinControl)
public:
    explicit TSkinComBox(TComponent* owner);
    ~TSkinComBox() override;

    void AttachControl(TWrapperHost* formSkinner, TSkinData* skinData, bool recolour,
                       TCanvas* canvas) override;
    void RestoreControl() override;
    void AfterMessage(TMessage& msg) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

    // Copies of the window's styles, refreshed at every paint (the list's
    // style for a simple combo at attach).
    DWORD ComboStyle = 0;
    DWORD ComboExStyle = 0;
    // The list of a simple combo; the inner edit of a drop-down combo.
    HWND ListWindow = nullptr;
    HWND EditWindow = nullptr;
    // The wrapper of a simple combo's list scroll bars, or none.
    TSkinControl* ListScroll = nullptr;
    COMBOBOXINFO ComboInfo{};
    // Registered class of the list's scroll-bar wrapper (raw-window attach).
    std::string ListScrollClass = "TSkinScrollbarH";

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    // The inner edit's messages: its own handling first, then the combo's
    // button follows presses and the skin is drawn after its paints.
    class TEditWindow : public TWindowSubclass {
    public:
        explicit TEditWindow(TSkinComBox* owner) : owner_(owner) {}

    protected:
        void WindowMessage(TMessage& msg) override;

    private:
        TSkinComBox* owner_;
    };

    void AttachList();
    void ReleaseEdit();
    bool ReadComboInfo();
    void SetPressed(bool pressed);
    void PaintNormal(HDC dc, const RECT& r, TDataSkinBorder& button, int state);
    void PaintFlat(HDC dc, const RECT& r, TDataSkinObject& button, int state);

    TEditWindow edit_;
};

// Registers TSkinComBox by class name.
void RegisterComboSkins();
