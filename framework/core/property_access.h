// Access to published properties by name, for code that works with any
// class that has a property of that name (the skin engine reads "Caption",
// "Font", "Glyph", "State" ... this way). Names match without regard to case. A null
// object, a missing property or one of another kind gives the neutral
// answer (0, empty text, nullptr) and writing it does nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/object.h"

// The property of obj's class named name, or nullptr.
const TPropInfo* FindPropInfo(const TObject* obj, std::string_view name);
inline bool HasProperty(const TObject* obj, std::string_view name) {
    return FindPropInfo(obj, name) != nullptr;
}

// Value of an integer property; 0 otherwise.
int32_t ReadIntegerProperty(TObject* obj, std::string_view name);
// Identifier of an enumeration or Boolean property's value ("True",
// "blGlyphLeft", "taCenter"); empty text otherwise.
std::string ReadEnumerationProperty(TObject* obj, std::string_view name);
// Text of a wide-string property, or of an ANSI-string property converted
// from the ANSI code page; empty text otherwise.
std::wstring ReadTextProperty(TObject* obj, std::string_view name);
// Object held by an object, sub-object, string-list or collection property
// when it is of class cls (or derived); nullptr otherwise.
TObject* ReadObjectProperty(TObject* obj, std::string_view name, const TClassInfo& cls);
template <class T> T* ReadObjectProperty(TObject* obj, std::string_view name) {
    return static_cast<T*>(ReadObjectProperty(obj, name, T::StaticClass()));
}
// Writes an object property: a reference (Object kind) is stored when value
// is of the property's class or null; an owned object (SubObject, string
// list) receives a copy of value when it is of that class. Returns whether
// anything was written.
bool WriteObjectProperty(TObject* obj, std::string_view name, TObject* value);
// Sets an enumeration or Boolean property from an identifier (any case), or
// an integer property from its number text (or a name of its identifier
// map). Returns whether a value was written.
bool WriteValueProperty(TObject* obj, std::string_view name, std::string_view text);

// Text of a set value as written in form definitions: "[a, b]".
std::string SetToText(const TEnumInfo& info, uint32_t mask);

// Copies every writable ordinal, text and float property, the published
// properties of sub-objects, and the content of string lists and collections
// from src to dst; both must be of the same class (EConvertError otherwise). Object references are
// copied; event bindings are not.
void AssignPublishedProperties(TObject& dst, TObject& src);
