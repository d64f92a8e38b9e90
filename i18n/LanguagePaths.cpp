#include "i18n/LanguagePaths.h"

#include "i18n/ConverterPlatform.h"

namespace {

const char* const kTraditionalFileName = "Taiwan.Prop";
const char* const kSimplifiedFileName = "China.Prop";
const char* const kEnglishFileName = "English.Prop";

struct LanguagePaths {
  std::string folder;
  std::string traditional;
  std::string simplified;
  std::string current;
};

LanguagePaths paths;

}  // namespace

void SetLanguageFolder(const std::string& folder) {
  const uint16_t language = CurrentConverterPlatform().UserDefaultLangID();
  paths.folder = folder;
  paths.traditional = folder + kTraditionalFileName;
  paths.simplified = folder + kSimplifiedFileName;
  paths.current = language == kLangChineseTaiwan ? paths.traditional
                  : language == kLangChinesePrc  ? paths.simplified
                  : language == kLangEnglishUk   ? folder + kEnglishFileName
                                                 : std::string();
}

void ClearLanguagePaths() {
  paths = LanguagePaths();
}

const std::string& LanguageFolder() {
  return paths.folder;
}

const std::string& TraditionalLanguageFile() {
  return paths.traditional;
}

const std::string& SimplifiedLanguageFile() {
  return paths.simplified;
}

const std::string& CurrentLanguageFile() {
  return paths.current;
}
