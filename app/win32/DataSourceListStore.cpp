#include "app/win32/DataSourceListStore.h"

#include <windows.h>

#include <utility>

#include "app/DataSourceFilter.h"
#include "app/win32/OtherArchitecture.h"
#include "dbengine/DataSourceName.h"
#include "framework/Strings.h"
#include "framework/win32/LocaleCompare.h"
#include "framework/win32/Registry.h"

const char* const MySqlDriverFilter = "MySql";

namespace {

// A user's data source may name any driver of the family ("MySQL ODBC 5.3 Driver"); the machine's
// list is taken only for the family's own driver name.
void OfferListedUnder(HKEY root, DriverMatch match, DataSourceFilter& filter) {
  TRegistry registry(root);
  if (!registry.OpenKeyReadOnly(DataSourceListKeyPath)) return;
  for (const TRegistryValue& value : registry.GetValues()) {
    filter.Offer(value.name, TRegistry::StringOf(value), match);
  }
}

std::string RecordKeyPath(const std::string& name) {
  return OdbcIniKeyPath + name;
}

void DeleteEntriesUnder(HKEY root, const std::string& name, REGSAM view = 0) {
  TRegistry registry(root, view);
  if (registry.OpenKey(DataSourceListKeyPath, false)) registry.DeleteValue(name);
  registry.DeleteKey(RecordKeyPath(name));
}

}  // namespace

// The list is given its names in one change: a box refills its window on every change of its
// items, so adding them one by one would cost the square of their number.
void ListDataSources(const std::string& filter, TStrings& list) {
  DataSourceFilter offers(filter, AnsiUpperCase);
  try {
    OfferListedUnder(HKEY_CURRENT_USER, DriverMatch::Contains, offers);
    OfferListedUnder(HKEY_LOCAL_MACHINE, DriverMatch::Equals, offers);
  } catch (...) {
    list.Assign(offers.Offered());
    throw;
  }
  list.Assign(offers.Offered());
}

bool ReadUserServerAndPassword(const std::string& name, std::string& server,
                               std::string& password) {
  if (CheckExistingDataSourceName(name) != DataSourceNameFault::None) return false;
  TRegistry registry(HKEY_CURRENT_USER);
  if (!registry.OpenKeyReadOnly(RecordKeyPath(name))) return false;
  // Both are read before either is handed out, so that a value that is not a string changes
  // neither field.
  std::string readServer = registry.ReadString("Server");
  std::string readPassword = registry.ReadString("Password");
  server = std::move(readServer);
  password = std::move(readPassword);
  return true;
}

void DeleteDataSourceEntries(const std::string& name) {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) DeleteEntriesUnder(root, name);
  // The installation made the machine-wide record in the other architecture's view too.
  if (const auto other = OtherArchitecture()) {
    DeleteEntriesUnder(HKEY_LOCAL_MACHINE, name, other->registryView);
  }
}
