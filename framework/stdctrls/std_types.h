// Enumerations shared by the standard controls and the custom-drawn buttons.
#pragma once

#include "framework/core/enum_info.h"

LT_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)
LT_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry,
        bkIgnore, bkAll)
LT_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
LT_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
LT_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
LT_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)
LT_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList)
LT_ENUM(TScrollBarKind, sbHorizontal, sbVertical)
LT_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop,
        scBottom, scEndScroll)

// Sets a flag for the length of a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = old_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

// A platform control reports its own clicks (BN_CLICKED, LBN_SELCHANGE ...);
// the framework's mouse-up click is held back while the mouse message runs
// so that OnClick fires once.
struct TNotifyClick {
    bool inMouseUp = false;
    bool notifying = false;
    bool Blocks() const { return inMouseUp && !notifying; }
};
