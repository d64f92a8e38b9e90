#pragma once
// Which data source names the delete button refuses, and what it tells the user. A name is a key
// below the driver manager's ODBC.INI key and a value of its list; deleting an empty name, a name
// holding a backslash or one of the two reserved key names would delete other data sources or the
// list itself. Other tools may have made names that registration refuses ("a(b)"); those can
// still be deleted (dbengine/DataSourceName.h, CheckExistingDataSourceName).
#include <string>

// The Big5 text that refuses deleting a data source of that name; empty when it can be deleted.
std::string DeletionRefusalMessage(const std::string& name);

// Raises Exception with that text when the name cannot be deleted.
void RefuseUndeletableDataSourceName(const std::string& name);
