#pragma once
// What the user is told when a data source name is refused (dbengine/DataSourceName.h): one Big5
// text per fault, naming the name. Registration refuses new names with it; the data source list
// refuses deletions with the same texts.
//
//   const DataSourceNameFault fault = CheckNewDataSourceName(name);
//   if (fault != DataSourceNameFault::None) throw Exception(DataSourceNameMessage(fault, name));
#include <string>

#include "dbengine/DataSourceName.h"

// The text for that fault of name; empty for DataSourceNameFault::None.
std::string DataSourceNameMessage(DataSourceNameFault fault, const std::string& name);
