#pragma once
// The conversion tables as files of a folder, for the host tools, benchmarks and portable tests:
// "<folder>/GBTRSBIG" and "<folder>/BIGTRSGB", as the table generator writes them.
#include <string>

#include "i18n/ConverterPlatform.h"

// The build's tables folder, <build>/tables, for a program that lives in <build>/<folder>/
// (programPath includes its folders).
std::string BuildTablesFolder(const std::string& programPath);

class TableFolderPlatform : public ConverterPlatform {
 public:
  // langID is what UserDefaultLangID answers; a host has no Windows language.
  explicit TableFolderPlatform(std::string folder, uint16_t langID = 0);

  // nullptr when the file cannot be read.
  std::unique_ptr<TableResource> LoadTable(const std::string& name) override;
  uint16_t UserDefaultLangID() override { return langID_; }
  int IntlInteger(const std::string&, int defaultValue) override { return defaultValue; }
  std::string IntlString(const std::string&, const std::string& defaultValue) override {
    return defaultValue;
  }

 private:
  std::string folder_;
  uint16_t langID_;
};
