#pragma once
// Published properties reached by name, for code that knows an object only by its class
// information: the language files read and write a form's texts with these, and the form text
// conversion walks a form's components through them. Names compare without regard to ASCII case.
#include <string>

#include "framework/Rtti.h"

class TStrings;

// Whether the object's class publishes a property of that name.
bool HasProperty(const TPersistent& object, const std::string& name);
// Whether that property exists and is of the long-string kind.
bool IsStringProperty(const TPersistent& object, const std::string& name);
// The property's type name as its class declares it ("TCaption", "TStringList", "TStrings",
// "Integer", "Boolean", "string" ...); empty when there is no such property.
std::string GetPropertyTypeName(const TPersistent& object, const std::string& name);

// The text of a text property; empty when the object has none of that name.
std::string GetStrProp(const TPersistent& object, const std::string& name);
// Sets a text property through its setter; false (and nothing set) when there is none.
bool SetStrProp(TPersistent& object, const std::string& name, const std::string& value);
// The sub-object of a class property (a string list, a font, a column collection); nullptr when
// the object has no class property of that name or the property holds nothing.
TPersistent* GetObjectProp(TPersistent& object, const std::string& name);
// The string list of a class property; nullptr when it holds no string list.
TStrings* GetStringsProp(TPersistent& object, const std::string& name);

// The whole text as a decimal integer of 32 bits (an optional sign, then digits only); false when
// it is not one.
bool TryParseDecimal(const std::string& text, int& value);

// Sets the property from a text, by the property's kind: integer and floating-point kinds take
// the text as a decimal integer, 0 when it is not one; enumerations (Booleans among them) take
// the identifier the text names and raise EReadError "Invalid property element: %s" when their
// type has none of that name; long and wide strings take the text, a character its first byte
// (0 for an empty text). Other kinds (short strings, sets, classes, methods) are left as they
// are, and false is returned for them.
bool SetPropFromText(TPersistent& object, const TPropInfo& prop, const std::string& text);
