#include "dbengine/Session.h"

#include <algorithm>

#include "framework/Exceptions.h"

namespace {

// Parameters every data-source alias has besides those taken from its record.
const char* const kEngineDefaults[] = {"OPEN MODE=READ/WRITE", "SQLQRYMODE=SERVER", "MAX ROWS=-1",
                                       "BATCH COUNT=200",      "ROWSET SIZE=20",    "BLOB SIZE=32",
                                       "BLOBS TO CACHE=64"};

// Record value -> alias parameter.
struct RecordParam {
  const char* recordName;
  const char* paramName;
};
const RecordParam kRecordParams[] = {{"DataBase", "DATABASE NAME"},
                                     {"Server", "SERVER NAME"},
                                     {"Port", "PORT"},
                                     {"User", "USER NAME"},
                                     {"CHARSET", "CHARSET"}};

void Overlay(TStrings& params, const TStrings& changes) {
  for (int i = 0; i < changes.Count(); ++i)
    params.SetValue(changes.Names(i), changes.ValueFromIndex(i));
}

}  // namespace

void DataSourceAliasParams(const std::string& name, const TStrings& record, TStrings& params) {
  params.Clear();
  params.Add("TYPE=MYSQL");
  params.Add("ODBC DSN=" + name);
  for (const RecordParam& param : kRecordParams)
    params.Add(std::string(param.paramName) + "=" + record.Values(param.recordName));
  for (const char* line : kEngineDefaults) params.Add(line);
}

TSession::TSession(SessionStorageFactory storageFactory)
    : storageFactory_(std::move(storageFactory)) {}

void TSession::Open() {
  if (Active()) return;
  std::unique_ptr<SessionStorage> storage = storageFactory_ ? storageFactory_() : nullptr;
  if (!storage) throw EDatabaseError("The database engine could not be started");
  persistent_ = AliasConfig::Parse(storage->ReadConfigFile());
  storage_ = std::move(storage);
}

void TSession::SetActive(bool active) {
  if (active) {
    Open();
  } else {
    storage_.reset();
    sessionLayer_ = AliasConfig();
  }
}

bool TSession::FindAlias(const std::string& name, TStrings& params) {
  Open();
  params.Clear();
  bool found = false;
  const bool dataSources = configMode_.Contains(cfmVirtual) || configMode_.Contains(cfmPersistent);
  TStringList record;
  if (dataSources && storage_->ReadDataSource(name, record)) {
    DataSourceAliasParams(name, record, params);
    found = true;
  }
  const AliasEntry* entry = nullptr;
  if (configMode_.Contains(cfmPersistent) && (entry = persistent_.Find(name))) {
    Overlay(params, entry->params);
    found = true;
  }
  const bool sessionChanges = configMode_.Contains(cfmSession) || configMode_.Contains(cfmVirtual);
  if (sessionChanges && (entry = sessionLayer_.Find(name))) {
    Overlay(params, entry->params);
    found = true;
  }
  return found;
}

AliasConfig& TSession::ChangeLayer() {
  return configMode_.Contains(cfmPersistent) ? persistent_ : sessionLayer_;
}

void TSession::DeleteAlias(const std::string& name) {
  Open();
  if (configMode_.Contains(cfmPersistent)) persistent_.Remove(name);
  if (configMode_.Contains(cfmSession) || configMode_.Contains(cfmVirtual))
    sessionLayer_.Remove(name);
}

void TSession::GetAliasParams(const std::string& name, TStrings& list) {
  list.Clear();
  TStringList params;
  if (!FindAlias(name, params)) throw EDatabaseError(FormatErrorText("Unknown alias %s", name));
  list.Assign(params);
}

void TSession::ModifyAlias(const std::string& name, const TStrings& list) {
  TStringList current;
  if (!FindAlias(name, current))
    throw EDatabaseError(FormatErrorText("Invalid alias name %s", name));
  TStringList changes;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string param = list.Names(i);
    const std::string value = list.ValueFromIndex(i);
    if (!param.empty() && current.IndexOfName(param) >= 0 && current.Values(param) != value)
      changes.SetValue(param, value);
  }
  if (changes.Count() == 0) return;
  // Refused before anything changes: a store holding what the file cannot hold would fail every
  // later save, also those of other aliases.
  AliasConfig::CheckStorable(name, changes);
  Overlay(ChangeLayer().FindOrAdd(name).params, changes);
}

bool TSession::IsAlias(const std::string& name) {
  TStringList params;
  return FindAlias(name, params);
}

void TSession::SaveConfigFile() {
  Open();
  // The file holds the persistent layer only, whatever mode the caller works in.
  const TConfigModes callerMode = configMode_;
  configMode_ = TConfigModes{cfmPersistent};
  try {
    storage_->WriteConfigFile(persistent_.Serialise());
  } catch (...) {
    configMode_ = callerMode;
    throw;
  }
  configMode_ = callerMode;
}

void TSession::AddDatabase(TDatabase* database) {
  databases_.push_back(database);
}

void TSession::RemoveDatabase(TDatabase* database) {
  databases_.erase(std::remove(databases_.begin(), databases_.end(), database), databases_.end());
}
