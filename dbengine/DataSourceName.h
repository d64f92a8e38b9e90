#pragma once
// What an ODBC data source may be called. A data source's name is a key under
// "\Software\ODBC\ODBC.INI", a value name in that key's list "ODBC Data Sources" and a section of
// ODBC.INI, so a name must never reach another key (a backslash) or be one of the two keys the
// driver manager keeps beside the data sources. Registering a new data source asks more: the
// driver manager's own limits on length and characters.
//
// Names are 8-bit texts in the system's double-byte code page (Big5 or GB2312): the second byte
// of a double-byte character is never taken for a character of its own, so "許" (B3 5C) holds
// no backslash, and a double-byte character counts as one towards the length.
#include <cstddef>
#include <string>

enum class DataSourceNameFault {
  None,
  Empty,
  ForbiddenCharacter,  // one of []{}(),;?*=!@\ or NUL (for an existing name: \ or NUL)
  TooLong,             // more than kMaxDataSourceNameLength characters
  ReservedName,        // "ODBC Data Sources" or "ODBC File DSN", letter case ignored
};

constexpr size_t kMaxDataSourceNameLength = 32;
extern const char* const DataSourceListKeyName;  // "ODBC Data Sources"
extern const char* const FileDataSourceKeyName;  // "ODBC File DSN"
// The characters a new data source name may not hold (besides NUL), as the user is told them.
extern const char* const ForbiddenDataSourceNameCharacters;  // "[]{}(),;?*=!@\"
// Registry paths from the root (HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE): a data source's record
// is OdbcIniKeyPath followed by its name.
extern const char* const OdbcIniKeyPath;         // "\Software\ODBC\ODBC.INI\"
extern const char* const DataSourceListKeyPath;  // OdbcIniKeyPath + "ODBC Data Sources"

// For registering a data source: the first fault in the order of the enumeration.
DataSourceNameFault CheckNewDataSourceName(const std::string& name);
// For reading or deleting a data source that exists: other tools may have made names that
// registration refuses, so only an empty name, a backslash and the reserved names are refused.
DataSourceNameFault CheckExistingDataSourceName(const std::string& name);
