#include "dbengine/win32/DataSources.h"

#include <windows.h>

#include "framework/Strings.h"
#include "framework/TextCompare.h"
#include "framework/win32/Registry.h"

namespace {

const char* const kOdbcIniKey = "\\Software\\ODBC\\ODBC.INI\\";
const char* const kDataSourceList = "ODBC Data Sources";
const char* const kRecordValues[] = {"Server", "Port", "User", "Password", "DataBase", "CHARSET"};
const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

bool ListedUnder(HKEY root, const std::string& name) {
  TRegistry registry(root);
  if (!registry.OpenKey(std::string(kOdbcIniKey) + kDataSourceList, false)) return false;
  TStringList names;
  registry.GetValueNames(names);
  return names.IndexOf(name) >= 0;
}

}  // namespace

bool IsUsableDataSourceName(const std::string& name) {
  return !name.empty() && name.find('\\') == std::string::npos && !SameText(name, kDataSourceList);
}

bool IsListedDataSource(const std::string& name) {
  if (!IsUsableDataSourceName(name)) return false;
  for (HKEY root : kRoots)
    if (ListedUnder(root, name)) return true;
  return false;
}

bool ReadDataSourceRecord(const std::string& name, TStrings& record) {
  record.Clear();
  if (!IsUsableDataSourceName(name)) return false;
  for (HKEY root : kRoots) {
    TRegistry registry(root);
    if (!registry.OpenKey(kOdbcIniKey + name, false)) continue;
    for (const char* value : kRecordValues)
      record.Add(std::string(value) + "=" + registry.ReadString(value));
    return true;
  }
  return false;
}
