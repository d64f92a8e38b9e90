#pragma once
// The registry side of the data source box: the data sources the driver manager lists per user
// (HKEY_CURRENT_USER) and per machine (HKEY_LOCAL_MACHINE), a user's record, and deleting a data
// source's entries. Keys are opened with full access and never created; a key that cannot be
// opened (missing, or the machine's keys for a user without administrator rights) counts as
// having no entries. Nothing goes through the driver manager's own interface.
#include <string>

class TStrings;

extern const char* const MySqlDriverFilter;  // "MySql"

// Refills list with the data sources of the filter's driver family (app/DataSourceFilter.h): the
// user's first, then the machine's. The list's items are replaced in one change; a value of the
// lists whose data is not a string raises ERegistryException "Invalid data type for '%s'" and
// leaves the list holding the names gathered so far.
void ListDataSources(const std::string& filter, TStrings& list);

// The "Server" and "Password" of the user's own record of that data source (a missing value is
// an empty text); false, with both untouched, when the user has no such record or the name could
// reach another key. A value that is not a string raises ERegistryException.
bool ReadUserServerAndPassword(const std::string& name, std::string& server, std::string& password);

// Deletes the data source's list value and its record key with everything below it, per user and
// per machine, the machine's in both registry views on 64-bit Windows. What is missing, or what the
// registry refuses, is passed over silently. The caller has checked the name
// (app/DataSourceDeletionRefusal.h).
void DeleteDataSourceEntries(const std::string& name);
