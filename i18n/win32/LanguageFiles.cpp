#include "i18n/win32/LanguageFiles.h"

#include "framework/CodePages.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/PropertyAccess.h"
#include "framework/Strings.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/IniFile.h"
#include "i18n/ConverterPlatform.h"
#include "i18n/GBBIGTRS.h"
#include "i18n/LanguageFileText.h"
#include "i18n/LanguagePaths.h"

namespace {

const char* const kFileInfoSection = "FileInfo";
const char* const kLanguageKey = "Language";
const char* const kTraditionalLanguageName =
    "\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5(TAIWAN,HK)";  // 繁體中文(TAIWAN,HK)
const char* const kSimplifiedLanguageName =
    "\xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4(CHINA)";  // 简体中文(CHINA)
const char* const kStringListType = "TStringList";
const char* const kExportedProperties[] = {"Caption", "DisplayLabel", "Hint",
                                           "Lines",   "Items",        "Columns"};

// The form's texts go under the form's class: a component's section is its owner's class, a
// form's (or an unowned component's) its own.
std::string SectionOf(const TComponent& component) {
  const TComponent* owner = component.Owner();
  const bool ownSection = !owner || component.InheritsFrom("TForm");
  return ownSection ? component.ClassName() : owner->ClassName();
}

std::string KeyOf(const TComponent& component, const std::string& property) {
  return component.Name() + "." + property;
}

bool ShowsCaptionByItself(TComponent& component, const std::string& property) {
  if (std::string(component.ClassName()) != "TNewBtn" || property != "Caption") return false;
  const TPropInfo* autoShow = GetPropInfo(component, "AutoShowCaption");
  return autoShow && autoShow->IsOrdinal() && autoShow->GetOrd(component) != 0;
}

std::string Converted(const std::string& value, bool convert) {
  return convert ? BigToGbText(value) : value;
}

// One language file: its name while it has none, the form's texts while its section is missing
// (or always when forced), then, when it is the file of the user's language, applied. A file that
// is not there could take no write, so it is not looked at for filling at all.
void FillAndApply(TComponent& form, const std::string& path, const char* languageName, bool convert,
                  bool force, uint16_t ownLanguage) {
  if (FileExists(path)) {
    TIniFile file(path);
    if (file.ReadString(kFileInfoSection, kLanguageKey, "").empty()) {
      WriteIniIfExists(file, kFileInfoSection, kLanguageKey, languageName);
    }
    if (!file.SectionExists(form.ClassName()) || force) ExportFormTexts(form, path, convert);
  }
  if (CurrentConverterPlatform().UserDefaultLangID() == ownLanguage) {
    // The Simplified file's texts are GB2312, whatever the system's code page.
    if (convert && FileExists(path)) SetFormCodePage(form, kGb2312CodePage);
    ImportFormTexts(form.ClassName(), form);
  }
}

}  // namespace

void ApplyLanguageFiles(TComponent& form, bool force) {
  FillAndApply(form, TraditionalLanguageFile(), kTraditionalLanguageName, false, force,
               kLangChineseTaiwan);
  FillAndApply(form, SimplifiedLanguageFile(), kSimplifiedLanguageName, true, force,
               kLangChinesePrc);
}

void ExportFormTexts(TComponent& form, const std::string& path, bool convert) {
  TIniFile file(path.empty() ? CurrentLanguageFile() : path);
  TStringList names;
  names.SetSorted(true);
  for (int i = 0; i < form.ComponentCount(); ++i) names.Add(form.Components(i)->Name());

  ExportProperty(file, form, "Caption", convert);
  for (const std::string& name : names.Lines()) {
    TComponent* component = form.FindComponent(name);
    if (!component) continue;
    for (const char* property : kExportedProperties) {
      ExportProperty(file, *component, property, convert);
    }
  }
}

void ExportProperty(TIniFile& file, TComponent& component, const std::string& name, bool convert) {
  if (std::string(component.ClassName()) == "TDataListPanel") return;
  if (ShowsCaptionByItself(component, name)) return;
  if (GetPropertyTypeName(component, name) == kStringListType) {
    const TStrings* lines = GetStringsProp(component, name);
    if (!lines) return;
    WriteIniIfExists(file, SectionOf(component), KeyOf(component, name),
                     Converted(ListTextToValue(lines->Text()), convert));
    return;
  }
  if (!HasProperty(component, name) || !IsStringProperty(component, name)) return;
  const std::string value = GetStrProp(component, name);
  if (value.empty() || value == " ") return;
  WriteIniIfExists(file, SectionOf(component), KeyOf(component, name), Converted(value, convert));
}

void ImportFormTexts(const std::string& section, TComponent& form) {
  const std::string& path = CurrentLanguageFile();
  if (!FileExists(path)) return;
  const TIniFile file(path);
  if (!file.SectionExists(section)) return;
  TStringList lines;
  file.ReadSectionValues(section, lines);
  for (const std::string& line : lines.Lines()) ImportLanguageLine(form, line);
}

void WriteIniIfExists(TIniFile& file, const std::string& section, const std::string& key,
                      const std::string& value) {
  if (!FileExists(file.FileName())) return;
  try {
    file.WriteString(section, key, value);
  } catch (const EProfileError&) {
    // A language file that cannot be written keeps what it has; the dialog starts all the same.
  }
}
