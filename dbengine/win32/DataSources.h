#pragma once
// The ODBC data sources as the driver manager keeps them in the registry: the list
// "\Software\ODBC\ODBC.INI\ODBC Data Sources" and one record key per data source, per user
// (HKEY_CURRENT_USER) and per machine (HKEY_LOCAL_MACHINE).
#include <string>

class TStrings;

// A name the registry layout can hold as a data source: not empty, no backslash (which would
// reach another key), not the list key itself.
bool IsUsableDataSourceName(const std::string& name);

// Whether name is listed as a data source, per user or per machine (case ignored).
bool IsListedDataSource(const std::string& name);

// Fills record (cleared first) with the connection values of the data source's record as
// NAME=value lines: the per-user record when there is one, else the machine's, as the driver
// manager chooses. False when neither exists.
bool ReadDataSourceRecord(const std::string& name, TStrings& record);
