#pragma once
// The portable pieces of the installation run: where an embedded driver file goes and the
// statement that creates the data source's database.
#include <string>

// The driver file's name in the system directory: the text after the last "\" or ":" of the
// component's FileName (the folder it was imported from means nothing on this machine).
std::string DriverFileName(const std::string& fileName);

// True when name can only ever name a file directly inside the system directory: not empty, not
// "." or "..", and holding no "\", "/", ":" nor control character. The name comes from the
// stored form, which the program must not trust to stay inside the folder it is written to.
bool IsPlainFileName(const std::string& name);
// The message that stops a run whose driver file has no plain name.
std::string NotAPlainFileNameMessage(const std::string& name);

// "CREATE DATABASE IF NOT EXISTS " and the data source name quoted as an identifier in the
// connection's character set: a backquote of the name's own is doubled, so the name can never
// end the identifier and add to the statement.
std::string CreateDatabaseStatement(const std::string& dataSourceName,
                                    const std::string& characterSet);
