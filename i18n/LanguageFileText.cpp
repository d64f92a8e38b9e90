#include "i18n/LanguageFileText.h"

#include "framework/Component.h"
#include "framework/PropertyAccess.h"
#include "framework/Strings.h"
#include "framework/TextCompare.h"

namespace {

const char* const kMessageTableType = "TMemos";
const char* const kMessageTableProperty = "Lines";
const char* const kStringListType = "TStringList";
const char* const kNameProperty = "Name";

// The component a line names: the form for no name or the form's own name (exactly), otherwise
// the owned component of that name.
TComponent* TargetOf(TComponent& form, const std::string& component) {
  if (component.empty() || component == form.Name()) return &form;
  return form.FindComponent(component);
}

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
}

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  std::string result;
  size_t start = 0;
  for (size_t at; (at = text.find(from, start)) != std::string::npos; start = at + from.size()) {
    result.append(text, start, at - start);
    result += to;
  }
  result.append(text, start, std::string::npos);
  return result;
}

std::string CleanedLine(const std::string& line) {
  const size_t first = line.find_first_not_of(' ');
  std::string text = first == std::string::npos ? std::string() : line.substr(first);
  ReplaceFirst(text, "= '", "=");
  ReplaceFirst(text, " = '", "=");
  ReplaceFirst(text, " = ", "=");
  if (!text.empty() && text.back() == '\'') text.pop_back();
  return text;
}

}  // namespace

bool ParseLanguageLine(const std::string& line, LanguageLine& parsed) {
  const std::string text = CleanedLine(line);
  const size_t dot = text.find('.');
  const size_t equals = text.find('=');
  if (dot == std::string::npos && equals == std::string::npos) return false;

  // Without "=" the key is empty and the whole line is the value. The first rule turns
  // "Label1.Caption = 'x'" into "Label1.Caption =x": the spaces it leaves at the key's end are
  // no part of the property's name.
  std::string key = equals == std::string::npos ? std::string() : text.substr(0, equals);
  key.erase(key.find_last_not_of(' ') + 1);
  const size_t keyDot = key.find('.');
  parsed.property = keyDot == std::string::npos ? key : key.substr(keyDot + 1);
  parsed.component = dot == std::string::npos ? std::string() : text.substr(0, dot);
  parsed.value = equals == std::string::npos ? text : text.substr(equals + 1);
  return !parsed.property.empty();
}

std::string ListTextToValue(const std::string& text) {
  return ReplaceAll(text, "\r\n", "|");
}

std::string ValueToListText(const std::string& value) {
  return ReplaceAll(value, "|", "\r\n");
}

bool LanguageFileMayChange(const TComponent& form, const TComponent& target,
                           const std::string& property) {
  // A component's name is how the program finds it (the driver files by "BinStream<n>"), not a
  // text a person sees.
  if (SameText(property, kNameProperty)) return false;
  if (&target == &form || target.InheritsFrom("TControl") || target.InheritsFrom("TMenuItem")) {
    return true;
  }
  return target.InheritsFrom(kMessageTableType) && SameText(property, kMessageTableProperty);
}

void ImportLanguageLine(TComponent& form, const std::string& line) {
  LanguageLine parsed;
  if (!ParseLanguageLine(line, parsed)) return;
  TComponent* target = TargetOf(form, parsed.component);
  if (!target || !LanguageFileMayChange(form, *target, parsed.property)) return;
  const TPropInfo* prop = GetPropInfo(*target, parsed.property);
  if (!prop) return;
  if (prop->TypeName == kStringListType) {
    if (TStrings* lines = GetStringsProp(*target, parsed.property)) {
      lines->SetText(ValueToListText(parsed.value));
    }
    return;
  }
  SetPropFromText(*target, *prop, parsed.value);
}
