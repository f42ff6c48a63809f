// Identifiers of colour and cursor values in form definitions.
#pragma once

#include "framework/core/enum_info.h"

// clBlack ... clWhite, clBtnFace and the other system colours, clNone, clDefault.
const TIdentMap& ColorIdents();
// crDefault, crArrow, crIBeam, crHandPoint.
const TIdentMap& CursorIdents();
