// Registers the tab, bar, view, tool-bar and picker controls by class name so
// that form definitions can name them.
#pragma once

void RegisterStandardControlsB();
