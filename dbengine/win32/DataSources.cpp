#include "dbengine/win32/DataSources.h"

#include <windows.h>

#include "dbengine/DataSourceName.h"
#include "framework/Strings.h"
#include "framework/win32/Registry.h"

namespace {

const char* const kRecordValues[] = {"Server", "Port", "User", "Password", "DataBase", "CHARSET"};
const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

bool ListedUnder(HKEY root, const std::string& name) {
  TRegistry registry(root);
  if (!registry.OpenKeyReadOnly(DataSourceListKeyPath)) return false;
  TStringList names;
  registry.GetValueNames(names);
  return names.IndexOf(name) >= 0;
}

bool IsSystemLeadByte(unsigned char c) {
  return IsDBCSLeadByte(c) != FALSE;
}

}  // namespace

void UseSystemLeadBytesForDataSourceNames() {
  SetDataSourceNameLeadBytes(IsSystemLeadByte);
}

bool IsListedDataSource(const std::string& name) {
  if (CheckExistingDataSourceName(name) != DataSourceNameFault::None) return false;
  for (HKEY root : kRoots)
    if (ListedUnder(root, name)) return true;
  return false;
}

bool ReadDataSourceRecord(const std::string& name, TStrings& record) {
  record.Clear();
  if (CheckExistingDataSourceName(name) != DataSourceNameFault::None) return false;
  for (HKEY root : kRoots) {
    TRegistry registry(root);
    if (!registry.OpenKeyReadOnly(OdbcIniKeyPath + name)) continue;
    for (const char* value : kRecordValues)
      record.Add(std::string(value) + "=" + registry.ReadString(value));
    return true;
  }
  return false;
}
