// Registers the framework's control, form, menu, timer and status-bar classes
// so that form definitions can name them.
#pragma once

void RegisterFrameworkClasses();
