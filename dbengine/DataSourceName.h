#pragma once
// What an ODBC data source may be called. A data source's name is a key under
// "\Software\ODBC\ODBC.INI", a value name in that key's list "ODBC Data Sources" and a section of
// ODBC.INI, so a name must never reach another key (a backslash), split a line or a section header
// of ODBC.INI (a control character) or be one of the keys the driver manager keeps beside the
// data sources. Registering a new data source asks more: the driver manager's own limits on
// length and characters.
//
// Names are 8-bit texts in the system's code page. In a double-byte code page (Big5, GB2312) the
// second byte of a double-byte character is never taken for a character of its own, so "許"
// (B3 5C) holds no backslash, and a double-byte character counts as one towards the length; in a
// single-byte code page (1252) every byte is a character, so "³\" holds a backslash. The
// Windows build tells the rule its code page's lead bytes at start-up.
#include <cstddef>
#include <string>

enum class DataSourceNameFault {
  None,
  Empty,
  ForbiddenCharacter,  // one of []{}(),;?*=!@\ or NUL (for an existing name: \ or NUL)
  ControlCharacter,    // a byte from 0x01 to 0x1F, or 0x7F (line breaks, tabs)
  TooLong,             // more than kMaxDataSourceNameLength characters
  ReservedName,  // "ODBC Data Sources", "ODBC File DSN" or "ODBC 32 bit Data Sources", case ignored
};

constexpr size_t kMaxDataSourceNameLength = 32;
extern const char* const DataSourceListKeyName;  // "ODBC Data Sources"
extern const char* const FileDataSourceKeyName;  // "ODBC File DSN"
extern const char* const Odbc32BitListKeyName;   // "ODBC 32 bit Data Sources"
// The characters a new data source name may not hold (besides NUL), as the user is told them.
extern const char* const ForbiddenDataSourceNameCharacters;  // "[]{}(),;?*=!@\"
// Registry paths from the root (HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE): a data source's record
// is OdbcIniKeyPath followed by its name.
extern const char* const OdbcIniKeyPath;         // "\Software\ODBC\ODBC.INI\"
extern const char* const DataSourceListKeyPath;  // OdbcIniKeyPath + "ODBC Data Sources"

// Whether a byte starts a double-byte character in the code page in force.
using LeadByteTest = bool (*)(unsigned char);
// The lead-byte test the two checks below use; until it is set (and after nullptr), Big5's and
// GB2312's (0x81 to 0xFE).
void SetDataSourceNameLeadBytes(LeadByteTest isLeadByte);

// For registering a data source: the first fault in the order of the enumeration.
DataSourceNameFault CheckNewDataSourceName(const std::string& name);
DataSourceNameFault CheckNewDataSourceName(const std::string& name, LeadByteTest isLeadByte);
// For reading or deleting a data source that exists: other tools may have made names that
// registration refuses, so only an empty name, a backslash, a control character and the reserved
// names are refused.
DataSourceNameFault CheckExistingDataSourceName(const std::string& name);
DataSourceNameFault CheckExistingDataSourceName(const std::string& name, LeadByteTest isLeadByte);
