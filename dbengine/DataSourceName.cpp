#include "dbengine/DataSourceName.h"

#include <cstring>

#include "framework/TextCompare.h"

const char* const DataSourceListKeyName = "ODBC Data Sources";
const char* const FileDataSourceKeyName = "ODBC File DSN";
const char* const ForbiddenDataSourceNameCharacters = "[]{}(),;?*=!@\\";
const char* const OdbcIniKeyPath = "\\Software\\ODBC\\ODBC.INI\\";
const char* const DataSourceListKeyPath = "\\Software\\ODBC\\ODBC.INI\\ODBC Data Sources";

namespace {

const char* const kForbiddenForExistingNames = "\\";

struct NameShape {
  size_t characters = 0;
  bool holdsForbidden = false;
};

NameShape ShapeOf(const std::string& name, const char* forbidden) {
  NameShape shape;
  for (size_t i = 0; i < name.size(); ++i, ++shape.characters) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsDoubleByteLead(c) && i + 1 < name.size()) {
      ++i;
    } else if (c == '\0' || std::strchr(forbidden, c)) {  // a NUL would cut the name short
      shape.holdsForbidden = true;
    }
  }
  return shape;
}

bool IsReserved(const std::string& name) {
  return SameText(name, DataSourceListKeyName) || SameText(name, FileDataSourceKeyName);
}

}  // namespace

DataSourceNameFault CheckNewDataSourceName(const std::string& name) {
  if (name.empty()) return DataSourceNameFault::Empty;
  const NameShape shape = ShapeOf(name, ForbiddenDataSourceNameCharacters);
  if (shape.holdsForbidden) return DataSourceNameFault::ForbiddenCharacter;
  if (shape.characters > kMaxDataSourceNameLength) return DataSourceNameFault::TooLong;
  if (IsReserved(name)) return DataSourceNameFault::ReservedName;
  return DataSourceNameFault::None;
}

DataSourceNameFault CheckExistingDataSourceName(const std::string& name) {
  if (name.empty()) return DataSourceNameFault::Empty;
  if (ShapeOf(name, kForbiddenForExistingNames).holdsForbidden) {
    return DataSourceNameFault::ForbiddenCharacter;
  }
  if (IsReserved(name)) return DataSourceNameFault::ReservedName;
  return DataSourceNameFault::None;
}
