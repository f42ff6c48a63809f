// The skin model of a TSkinData as JSON text (for inspecting a skin).
#pragma once

#include <string>

class TSkinData;

std::string SkinModelJson(TSkinData& data);
