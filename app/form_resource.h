// Form definitions compiled into the program as RCDATA resources.
#pragma once

#include <string>

// The UTF-8 text of the RCDATA resource `name` of this program; raises
// EResNotFound-style errors (EReadError) when it is missing.
std::string LoadFormResource(const wchar_t* name);
