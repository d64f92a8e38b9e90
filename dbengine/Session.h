// The engine session: activation, configuration mode, private directory and the alias store.
// Every ODBC data source is an alias of its own name, with parameters derived from its record
// and the engine's defaults; the configuration file holds persistent aliases and the changed
// parameters of data-source aliases; the session layer holds changes that are never saved.
// Where the configuration file lives and how data sources are read is the storage's affair
// (SessionStorage), so that the alias rules themselves are platform-neutral.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dbengine/AliasConfig.h"
#include "dbengine/ConfigMode.h"
#include "framework/Strings.h"

class TDatabase;

class SessionStorage {
 public:
  virtual ~SessionStorage() = default;
  // The configuration file's text; empty when there is none yet.
  virtual std::string ReadConfigFile() = 0;
  // Replaces the configuration file so that a crash leaves either the old or the new text.
  virtual void WriteConfigFile(const std::string& text) = 0;
  // Fills record (cleared first) with the data source's NAME=value record when name is a listed
  // ODBC data source; false otherwise.
  virtual bool ReadDataSource(const std::string& name, TStrings& record) = 0;
};

using SessionStorageFactory = std::function<std::unique_ptr<SessionStorage>()>;

// The parameters of the alias of an ODBC data source: derived from its record (NAME=value lines
// of the registry record) and the engine's defaults.
void DataSourceAliasParams(const std::string& name, const TStrings& record, TStrings& params);

class TSession {
 public:
  explicit TSession(SessionStorageFactory storageFactory);

  bool Active() const { return storage_ != nullptr; }
  // Loads the configuration; raises EDatabaseError when the engine cannot start.
  void Open();
  void SetActive(bool active);

  TConfigModes ConfigMode() const { return configMode_; }
  void SetConfigMode(TConfigModes mode) { configMode_ = mode; }

  // The private working directory as configured; empty while the session is inactive.
  std::string PrivateDir() const { return Active() ? privateDir_ : std::string(); }
  void SetPrivateDir(const std::string& dir) { privateDir_ = dir; }

  // Alias operations act on the layers of ConfigMode and activate the session when needed.
  // Deleting an alias that does not exist is no error.
  void DeleteAlias(const std::string& name);
  // Empties list, then fills it; raises EDatabaseError for an unknown alias.
  void GetAliasParams(const std::string& name, TStrings& list);
  // Parameters the alias has take the list's values; others stay; names it lacks are ignored.
  // Raises EDatabaseError "Invalid alias name %s" for an unknown alias, and for a name or value
  // that the configuration file cannot hold (AliasConfig::CheckStorable), changing nothing.
  void ModifyAlias(const std::string& name, const TStrings& list);
  bool IsAlias(const std::string& name);
  // Writes the persistent layer to the configuration file.
  void SaveConfigFile();

  // The database objects of this session, open or not, in creation order.
  const std::vector<TDatabase*>& Databases() const { return databases_; }
  void AddDatabase(TDatabase* database);
  void RemoveDatabase(TDatabase* database);

 private:
  bool FindAlias(const std::string& name, TStrings& params);
  AliasConfig& ChangeLayer();

  SessionStorageFactory storageFactory_;
  std::unique_ptr<SessionStorage> storage_;
  TConfigModes configMode_{cfmPersistent};
  std::string privateDir_;
  AliasConfig persistent_;
  AliasConfig sessionLayer_;
  std::vector<TDatabase*> databases_;
};

// The program's default session ("Default"), backed by the platform's storage.
TSession& Session();
