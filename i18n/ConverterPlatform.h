#pragma once
// What a converter asks of the system it runs on: its two tables, the user's default language
// identifier and the regional values of WIN.INI's "intl" section. Windows answers from the
// program's resources and its profile files (i18n/win32/Win32ConverterPlatform.h); host tools
// answer from table files (TableFolder.h).
#include <cstdint>
#include <memory>
#include <string>

#include "i18n/CodeConversion.h"

// User default language identifiers the program tells apart.
constexpr uint16_t kLangChineseTaiwan = 0x0404;
constexpr uint16_t kLangChinesePrc = 0x0804;
constexpr uint16_t kLangEnglishUk = 0x0809;
constexpr uint16_t kLangChineseKind2 = 0x0FD4;  // the second kind of Chinese system (4052)

// One loaded table, used in place for as long as the object lives.
class TableResource {
 public:
  virtual ~TableResource() = default;
  virtual ConversionTable Table() const = 0;
};

class ConverterPlatform {
 public:
  virtual ~ConverterPlatform() = default;
  // The table of that name ("GBTRSBIG", "BIGTRSGB"), or nullptr when it cannot be had.
  virtual std::unique_ptr<TableResource> LoadTable(const std::string& name) = 0;
  virtual uint16_t UserDefaultLangID() = 0;
  virtual int IntlInteger(const std::string& key, int defaultValue) = 0;
  virtual std::string IntlString(const std::string& key, const std::string& defaultValue) = 0;
};

// The platform every converter uses. Until one is installed there are no tables, the language
// identifier is 0 and the regional values are their defaults. The caller keeps the object alive.
void SetConverterPlatform(ConverterPlatform* platform);  // nullptr: none again
ConverterPlatform& CurrentConverterPlatform();
