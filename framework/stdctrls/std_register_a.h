// Registers the buttons, checks, panels, edits, lists, combo boxes and the
// scroll bar so that form definitions can name them.
#pragma once

void RegisterStandardControlsA();
