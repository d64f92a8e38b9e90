#include "dbengine/DataSourceName.h"

#include <cstring>

#include "framework/TextCompare.h"

const char* const DataSourceListKeyName = "ODBC Data Sources";
const char* const FileDataSourceKeyName = "ODBC File DSN";
const char* const Odbc32BitListKeyName = "ODBC 32 bit Data Sources";
const char* const ForbiddenDataSourceNameCharacters = "[]{}(),;?*=!@\\";
const char* const OdbcIniKeyPath = "\\Software\\ODBC\\ODBC.INI\\";
const char* const DataSourceListKeyPath = "\\Software\\ODBC\\ODBC.INI\\ODBC Data Sources";

namespace {

const char* const kForbiddenForExistingNames = "\\";

LeadByteTest leadByteInForce = nullptr;

struct NameShape {
  size_t characters = 0;
  bool holdsForbidden = false;
  bool holdsControl = false;
};

bool IsControlCharacter(unsigned char c) {
  return (c >= 0x01 && c <= 0x1f) || c == 0x7f;
}

// A NUL or a control byte is never a trail byte: after a lead byte it still counts on its own,
// since it would cut the name short or break an ODBC.INI line whatever came before it.
bool IsTrailByte(unsigned char c) {
  return c != '\0' && !IsControlCharacter(c);
}

NameShape ShapeOf(const std::string& name, const char* forbidden, LeadByteTest isLeadByte) {
  NameShape shape;
  for (size_t i = 0; i < name.size(); ++i, ++shape.characters) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsControlCharacter(c)) {
      shape.holdsControl = true;
    } else if (isLeadByte(c) && i + 1 < name.size() &&
               IsTrailByte(static_cast<unsigned char>(name[i + 1]))) {
      ++i;
    } else if (c == '\0' || std::strchr(forbidden, c)) {  // a NUL would cut the name short
      shape.holdsForbidden = true;
    }
  }
  return shape;
}

bool IsReserved(const std::string& name) {
  return SameText(name, DataSourceListKeyName) || SameText(name, FileDataSourceKeyName) ||
         SameText(name, Odbc32BitListKeyName);
}

LeadByteTest LeadByteTestInForce() {
  return leadByteInForce ? leadByteInForce : IsDoubleByteLead;
}

}  // namespace

void SetDataSourceNameLeadBytes(LeadByteTest isLeadByte) {
  leadByteInForce = isLeadByte;
}

DataSourceNameFault CheckNewDataSourceName(const std::string& name) {
  return CheckNewDataSourceName(name, LeadByteTestInForce());
}

DataSourceNameFault CheckNewDataSourceName(const std::string& name, LeadByteTest isLeadByte) {
  if (name.empty()) return DataSourceNameFault::Empty;
  const NameShape shape = ShapeOf(name, ForbiddenDataSourceNameCharacters, isLeadByte);
  if (shape.holdsForbidden) return DataSourceNameFault::ForbiddenCharacter;
  if (shape.holdsControl) return DataSourceNameFault::ControlCharacter;
  if (shape.characters > kMaxDataSourceNameLength) return DataSourceNameFault::TooLong;
  if (IsReserved(name)) return DataSourceNameFault::ReservedName;
  return DataSourceNameFault::None;
}

DataSourceNameFault CheckExistingDataSourceName(const std::string& name) {
  return CheckExistingDataSourceName(name, LeadByteTestInForce());
}

DataSourceNameFault CheckExistingDataSourceName(const std::string& name, LeadByteTest isLeadByte) {
  if (name.empty()) return DataSourceNameFault::Empty;
  const NameShape shape = ShapeOf(name, kForbiddenForExistingNames, isLeadByte);
  if (shape.holdsForbidden) return DataSourceNameFault::ForbiddenCharacter;
  if (shape.holdsControl) return DataSourceNameFault::ControlCharacter;
  if (IsReserved(name)) return DataSourceNameFault::ReservedName;
  return DataSourceNameFault::None;
}
