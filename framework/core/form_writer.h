// Writing a component tree as a form definition (text format: form_syntax.h).
//
// The root is written with its published properties and defined properties,
// then the components GetChildren gives, each nested with its own children.
// A property is left out when it is read-only (except owned sub-objects,
// string lists and collections, whose content is written), when it holds its
// declared default, when it is an unset object reference or an unbound
// event. Floats are written with the fewest digits that read back to the
// same double. Components are marked csWriting while they are written.
#pragma once

#include <string>

class TComponent;
class TStream;
struct TFormValue;

std::string WriteFormDefinition(TComponent& root);
// Appends the definition to the stream as UTF-8 text.
void WriteFormDefinition(TComponent& root, TStream& stream);
// Text of one value as it appears after "name = " (indent: of the line).
std::string FormValueText(const TFormValue& value, int indent);
