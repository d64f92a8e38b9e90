#pragma once
// Where the default session keeps its aliases on Windows: the configuration file in the user
// data folder, and the ODBC data sources of the registry.
#include <string>

#include "dbengine/Session.h"

class RegistrySessionStorage : public SessionStorage {
 public:
  explicit RegistrySessionStorage(std::string configPath) : configPath_(std::move(configPath)) {}

  std::string ReadConfigFile() override;
  // Raises EDatabaseError when the file cannot be replaced; the old file then stays intact.
  void WriteConfigFile(const std::string& text) override;
  bool ReadDataSource(const std::string& name, TStrings& record) override;

  const std::string& ConfigPath() const { return configPath_; }

 private:
  std::string configPath_;
};

// "<user data folder>\DbEngine.cfg".
std::string DefaultConfigFilePath();
