// A form definition of the size the main window has: 200 components with
// typical properties, one of them carrying a 54,836-byte binary property.
#pragma once

#include <string>

// Number of components and the size of the binary property.
constexpr int kBenchComponents = 200;
constexpr int kBenchBinaryBytes = 54836;

// The definition text (root TSampleForm named BenchForm).
const std::string& BenchDefinition();
