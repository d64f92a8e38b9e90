#pragma once
// The ODBC data sources as the driver manager keeps them in the registry: the list
// "\Software\ODBC\ODBC.INI\ODBC Data Sources" and one record key per data source, per user
// (HKEY_CURRENT_USER) and per machine (HKEY_LOCAL_MACHINE).
#include <string>

class TStrings;

// Whether name is listed as a data source, per user or per machine (case ignored). A name that
// could reach another key (dbengine/DataSourceName.h) is never one.
bool IsListedDataSource(const std::string& name);

// Fills record (cleared first) with the connection values of the data source's record as
// NAME=value lines: the per-user record when there is one, else the machine's, as the driver
// manager chooses. False when neither exists.
bool ReadDataSourceRecord(const std::string& name, TStrings& record);

// Makes the data source name rule know the lead bytes of the system's ANSI code page, so that a
// backslash after a byte that is no lead byte there (0xB3 on code page 1252) is one.
void UseSystemLeadBytesForDataSourceNames();
