// Fonts of form definitions. While the framework's controls do not publish
// their Font, the "Font.*" lines are taken out of the definition before it is
// read and applied afterwards: to the named component, and the form's font to
// every control of the form that has no font lines of its own (parent font).
#pragma once

#include "framework/ui/form.h"

#include <string>

// Reads the definition into the form with its fonts (see above).
void ReadDefinitionWithFonts(TCustomForm& form, const std::string& text);
