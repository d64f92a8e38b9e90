#include "framework/PropertyAccess.h"

#include <cstdint>

#include "framework/Strings.h"

bool HasProperty(const TPersistent& object, const std::string& name) {
  return GetPropInfo(object, name) != nullptr;
}

bool IsStringProperty(const TPersistent& object, const std::string& name) {
  const TPropInfo* prop = GetPropInfo(object, name);
  return prop && prop->Kind == tkLString;
}

std::string GetPropertyTypeName(const TPersistent& object, const std::string& name) {
  const TPropInfo* prop = GetPropInfo(object, name);
  return prop ? prop->TypeName : std::string();
}

std::string GetStrProp(const TPersistent& object, const std::string& name) {
  const TPropInfo* prop = GetPropInfo(object, name);
  return prop && prop->IsText() ? prop->GetStr(object) : std::string();
}

bool SetStrProp(TPersistent& object, const std::string& name, const std::string& value) {
  const TPropInfo* prop = GetPropInfo(object, name);
  if (!prop || !prop->IsText()) return false;
  prop->SetStr(object, value);
  return true;
}

TPersistent* GetObjectProp(TPersistent& object, const std::string& name) {
  const TPropInfo* prop = GetPropInfo(object, name);
  return prop && prop->Kind == tkClass ? prop->GetSubObject(object) : nullptr;
}

TStrings* GetStringsProp(TPersistent& object, const std::string& name) {
  return dynamic_cast<TStrings*>(GetObjectProp(object, name));
}

bool TryParseDecimal(const std::string& text, int& value) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
  if (i == text.size()) return false;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > int64_t{INT32_MAX} + 1) return false;
  }
  const int64_t result = negative ? -magnitude : magnitude;
  if (result > INT32_MAX) return false;
  value = static_cast<int>(result);
  return true;
}

bool SetPropFromText(TPersistent& object, const TPropInfo& prop, const std::string& text) {
  switch (prop.Kind) {
    case tkInteger:
    case tkFloat: {
      int number = 0;
      if (!TryParseDecimal(text, number)) number = 0;
      if (prop.Kind == tkInteger) {
        prop.SetOrd(object, number);
      } else {
        prop.SetFloat(object, number);
      }
      return true;
    }
    case tkEnumeration:
      SetEnumProp(object, prop, text);
      return true;
    case tkChar:
      prop.SetOrd(object, text.empty() ? 0 : static_cast<unsigned char>(text[0]));
      return true;
    case tkLString:
    case tkWString:
      prop.SetStr(object, text);
      return true;
    default:
      return false;
  }
}
