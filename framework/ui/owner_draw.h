// The state of an item drawn by its owner (a menu entry, a list line): one
// set type for every owner-drawn item of the framework, made from the
// platform's ODS_* bits.
#pragma once

#include "framework/ui/win32.h"

#include "framework/core/enum_info.h"
#include "framework/core/set.h"

LT_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused)
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

// The owner-draw state of an item from DRAWITEMSTRUCT::itemState.
inline TOwnerDrawState OwnerDrawStateOf(UINT itemState) {
    TOwnerDrawState s;
    if (itemState & ODS_SELECTED)
        s.Include(odSelected);
    if (itemState & ODS_GRAYED)
        s.Include(odGrayed);
    if (itemState & ODS_DISABLED)
        s.Include(odDisabled);
    if (itemState & ODS_CHECKED)
        s.Include(odChecked);
    if (itemState & ODS_FOCUS)
        s.Include(odFocused);
    return s;
}
