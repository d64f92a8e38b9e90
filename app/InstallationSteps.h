#pragma once
// The portable pieces of the installation run: where an embedded driver file goes and the
// statement that creates the data source's database.
#include <string>

// The driver file's name in the system directory: the text after the last "\" or ":" of the
// component's FileName (the folder it was imported from means nothing on this machine).
std::string DriverFileName(const std::string& fileName);

// "CREATE DATABASE IF NOT EXISTS " and the data source name quoted as an identifier: a backquote
// in the name is doubled, so the name can never end the identifier and add to the statement.
std::string CreateDatabaseStatement(const std::string& dataSourceName);
