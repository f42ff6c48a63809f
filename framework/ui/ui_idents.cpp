// Colour and cursor identifier tables.
#include "framework/ui/ui_idents.h"

#include "framework/gdi/color.h"
#include "framework/gdi/graphics_object.h"
#include "framework/ui/control.h"

// The colour names are the drawing tools' own list (system colours included).
const TIdentMap& ColorIdents() {
    return GraphicsColorIdents();
}

const TIdentMap& CursorIdents() {
    static const TIdentMap map{
        {crDefault, "crDefault"},
        {crArrow, "crArrow"},
        {crIBeam, "crIBeam"},
        {crHandPoint, "crHandPoint"},
    };
    return map;
}
