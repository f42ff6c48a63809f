// One-time common-control initialisation for the standard controls.
#include "framework/stdctrls/std_comctl.h"

#include <commctrl.h>

#include "framework/core/ansi.h"
#include "framework/core/strings.h"

void EnsureCommonControls(DWORD classes) {
    static DWORD done = 0;
    if ((done & classes) == classes)
        return;
    INITCOMMONCONTROLSEX icc{sizeof(icc), classes};
    if (InitCommonControlsEx(&icc))
        done |= classes;
}

std::wstring ListLine(const TStringList& list, int i) {
    return AnsiToWideText(list[i]);
}
