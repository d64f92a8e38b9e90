#pragma once
// The converter platform of the Windows program: the tables are the program's own RCDATA
// resources "GBTRSBIG" and "BIGTRSGB", used in place; the language is the user's default language
// identifier; the regional values come from the "intl" section of the Windows directory's WIN.INI.
#include "i18n/ConverterPlatform.h"

class Win32ConverterPlatform : public ConverterPlatform {
 public:
  std::unique_ptr<TableResource> LoadTable(const std::string& name) override;
  uint16_t UserDefaultLangID() override;
  int IntlInteger(const std::string& key, int defaultValue) override;
  std::string IntlString(const std::string& key, const std::string& defaultValue) override;
};

// Makes every converter use the Windows platform; the program calls it at start, before the shared
// converter is made.
void UseWin32ConverterPlatform();
