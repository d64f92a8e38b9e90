#include "dbengine/win32/RegistrySessionStorage.h"

#include "dbengine/win32/DataSources.h"
#include "framework/Exceptions.h"
#include "framework/win32/AtomicFile.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/UserDataFolder.h"

std::string DefaultConfigFilePath() {
  return UserDataFolder() + "DbEngine.cfg";
}

std::string RegistrySessionStorage::ReadConfigFile() {
  if (!FileExists(configPath_)) return std::string();
  FileHandle file = FileHandle::OpenForReading(configPath_);
  std::string text;
  char buffer[4096];
  for (size_t count = 0; file.IsOpen() && file.Read(buffer, sizeof buffer, count);) {
    if (count == 0) return text;
    text.append(buffer, count);
  }
  throw EDatabaseError("Cannot read the engine configuration file " + configPath_);
}

void RegistrySessionStorage::WriteConfigFile(const std::string& text) {
  if (!WriteFileAtomically(configPath_, text))
    throw EDatabaseError("Cannot write the engine configuration file " + configPath_);
}

bool RegistrySessionStorage::ReadDataSource(const std::string& name, TStrings& record) {
  record.Clear();
  return IsListedDataSource(name) && ReadDataSourceRecord(name, record);
}
