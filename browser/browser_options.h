// What the browser host lets the browser download and how the browser draws
// itself: the two option sets, their 32-bit flag values, and how the border
// and scroll-bar switches force host-UI options.
// (The platform header that defines the DLCTL_ macros is never included with
// this one: the option names are identifiers here. The host-UI options are a
// scoped enumeration because the platform declares some of their names.)
#pragma once

#include <cstdint>

#include "framework/core/enum_info.h"
#include "framework/core/set.h"

LT_ENUM(TDownloadControlOption, DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS, DLCTL_NO_SCRIPTS,
        DLCTL_NO_JAVA, DLCTL_NO_RUNACTIVEXCTLS, DLCTL_NO_DLACTIVEXCTLS, DLCTL_DOWNLOADONLY,
        DLCTL_NO_FRAMEDOWNLOAD, DLCTL_RESYNCHRONIZE, DLCTL_PRAGMA_NO_CACHE, DLCTL_NO_BEHAVIORS,
        DLCTL_NO_METACHARSET, DLCTL_URL_ENCODING_DISABLE_UTF8, DLCTL_URL_ENCODING_ENABLE_UTF8,
        DLCTL_FORCEOFFLINE, DLCTL_NO_CLIENTPULL, DLCTL_SILENT, DLCTL_OFFLINE)
using TDownloadControlOptions = TSet<TDownloadControlOption>;

LT_ENUM_CLASS(TUserInterfaceOption, DIALOG, DISABLE_HELP_MENU, NO3DBORDER, SCROLL_NO,
              DISABLE_SCRIPT_INACTIVE, OPENNEWWIN, DISABLE_OFFSCREEN, FLAT_SCROLLBAR,
              DIV_BLOCKDEFAULT, ACTIVATE_CLIENTHIT_ONLY, OVERRIDEBEHAVIORFACTORY,
              CODEPAGELINKEDFONTS, URL_ENCODING_DISABLE_UTF8, URL_ENCODING_ENABLE_UTF8,
              ENABLE_FORMS_AUTOCOMPLETE, ENABLE_INPLACE_NAVIGATION, IME_ENABLE_RECONVERSION, THEME,
              NOTHEME, NOPICS, NO3DOUTERBORDER)
using TUserInterfaceOptions = TSet<TUserInterfaceOption>;

// The platform's flag for one option.
uint32_t DownloadControlFlag(TDownloadControlOption option);
uint32_t UserInterfaceFlag(TUserInterfaceOption option);

// Sum of the flags of the options in the set (0 for the empty set).
uint32_t DownloadControlValue(TDownloadControlOptions options);
uint32_t UserInterfaceValue(TUserInterfaceOptions options);

// The set with the border and scroll-bar switches applied: hideBorders forces
// NO3DBORDER and NO3DOUTERBORDER in (or out when false), hideScrollBars SCROLL_NO.
TUserInterfaceOptions ForcedUserInterfaceOptions(TUserInterfaceOptions options, bool hideBorders,
                                                 bool hideScrollBars);

// Dispatch id of the ambient download-control property.
constexpr int32_t kAmbientDownloadControl = -5512;
