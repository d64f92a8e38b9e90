#include "framework/Rtti.h"

#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/TextCompare.h"

bool TPropInfo::IsOrdinal() const {
  return Kind == tkInteger || Kind == tkChar || Kind == tkEnumeration || Kind == tkSet;
}

bool TPropInfo::IsText() const {
  return Kind == tkString || Kind == tkLString || Kind == tkWString || Kind == tkMethod;
}

bool TClassInfo::InheritsFrom(const std::string& className) const {
  for (const TClassInfo* c = this; c; c = c->parent_) {
    if (SameText(c->name_, className)) return true;
  }
  return false;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TPropInfo*> list =
      parent_ ? parent_->Properties() : std::vector<const TPropInfo*>();
  for (const TPropInfo& prop : properties_) list.push_back(&prop);
  return list;
}

std::vector<const TBinaryPropInfo*> TClassInfo::BinaryProperties() const {
  std::vector<const TBinaryPropInfo*> list =
      parent_ ? parent_->BinaryProperties() : std::vector<const TBinaryPropInfo*>();
  for (const TBinaryPropInfo& prop : binaryProperties_) list.push_back(&prop);
  return list;
}

// A class may redeclare an inherited property; its own declaration wins.
const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->parent_) {
    for (const TPropInfo& prop : c->properties_) {
      if (SameText(prop.Name, name)) return &prop;
    }
  }
  return nullptr;
}

const TBinaryPropInfo* TClassInfo::FindBinaryProperty(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->parent_) {
    for (const TBinaryPropInfo& prop : c->binaryProperties_) {
      if (SameText(prop.Name, name)) return &prop;
    }
  }
  return nullptr;
}

const TPropInfo* GetPropInfo(const TPersistent& object, const std::string& name) {
  const TClassInfo* info = object.ClassInfo();
  return info ? info->FindProperty(name) : nullptr;
}

std::vector<const TPropInfo*> GetPropList(const TPersistent& object) {
  const TClassInfo* info = object.ClassInfo();
  return info ? info->Properties() : std::vector<const TPropInfo*>();
}

namespace {
bool StoredByDefaultRule(const TPersistent& object, const TPropInfo& prop) {
  if (prop.IsOrdinal()) return !prop.HasDefault || prop.GetOrd(object) != prop.Default;
  if (prop.Kind == tkFloat) return prop.GetFloat(object) != 0.0;
  if (prop.IsText()) return !prop.GetStr(object).empty();
  // Class properties: a string list when it has lines; other sub-objects store what they hold.
  TPersistent* sub = prop.GetSubObject(const_cast<TPersistent&>(object));
  const TStrings* list = dynamic_cast<const TStrings*>(sub);
  return list ? list->Count() > 0 : sub != nullptr;
}
}  // namespace

bool IsStoredProp(const TPersistent& object, const TPropInfo& prop) {
  return prop.IsStored ? prop.IsStored(object) : StoredByDefaultRule(object, prop);
}

std::string GetEnumName(const TPropInfo& prop, int64_t ordinal) {
  if (ordinal < 0 || ordinal >= static_cast<int64_t>(prop.EnumNames.size())) return std::string();
  return prop.EnumNames[static_cast<size_t>(ordinal)];
}

int64_t GetEnumValue(const TPropInfo& prop, const std::string& identifier) {
  for (size_t i = 0; i < prop.EnumNames.size(); ++i) {
    if (SameText(prop.EnumNames[i], identifier)) return static_cast<int64_t>(i);
  }
  return -1;
}

void SetEnumProp(TPersistent& object, const TPropInfo& prop, const std::string& identifier) {
  const int64_t ordinal = GetEnumValue(prop, identifier);
  if (ordinal < 0) throw EReadError(FormatErrorText(SInvalidPropertyElement, identifier));
  prop.SetOrd(object, ordinal);
}
