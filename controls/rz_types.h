// Enumerations shared by the custom-drawn label and buttons.
#pragma once

#include "framework/core/enum_info.h"
#include "framework/stdctrls/std_types.h"

LT_ENUM(TTextStyle, tsNormal, tsRaised, tsRecessed, tsShadow)
LT_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)
LT_ENUM(TVerticalAlignment, avTop, avCenter, avBottom)
LT_ENUM(TRzCondenseCaption, ccNone, ccAtEnd, ccWithinPath)
LT_ENUM(TRotation, roNone, roFlat, roCurve)
LT_ENUM(TCenterPoint, cpUpperLeft, cpUpperCenter, cpUpperRight, cpLeftCenter, cpCenter,
        cpRightCenter, cpLowerLeft, cpLowerCenter, cpLowerRight)
LT_ENUM(THotTrackColorType, htctComplement, htctActual)
// TButtonLayout and TBitBtnKind come with the standard controls.
