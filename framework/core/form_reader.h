// Reading a form definition (text format: form_syntax.h) into an existing
// root component (the form).
//
// Contract, in this order:
//  1. The root gets csLoading and csReading and the definition's name; its
//     properties are applied.
//  2. Each nested object, in definition order: created by its registered
//     class with the root as owner (or, when the root already owns a
//     component of that name and class, that one is reused), csLoading and
//     csReading set, named, given its enclosing object (the root for the
//     top-level ones) through SetParentComponent, its
//     properties applied, then its own nested objects.
//  3. References to components by name are resolved.
//  4. csReading is cleared everywhere; Loaded() runs for the root and then
//     for every component in definition order; csLoading is cleared.
// The caller runs its create handler afterwards.
//
// A malformed definition raises EReadError (EClassNotFound for an unknown
// class) whose message names the line and the problem; every component
// created by the read is freed again and the states are cleared. Exceptions
// raised by the components themselves (setters, defined-property readers,
// Loaded) propagate unchanged, with the same clean-up.
#pragma once

#include <string_view>

class TComponent;
class TStream;

void ReadFormDefinition(TComponent& root, std::string_view text);
// Reads the text from the stream's position to its end.
void ReadFormDefinition(TComponent& root, TStream& stream);
