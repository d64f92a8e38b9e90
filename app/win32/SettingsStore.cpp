#include "app/win32/SettingsStore.h"

#include <windows.h>

#include "framework/Strings.h"
#include "framework/win32/FileNames.h"
#include "framework/win32/Registry.h"
#include "framework/win32/SystemPaths.h"
#include "framework/win32/UserDataFolder.h"

const char* const SettingsKeyPath = "\\Software\\Lintora";
const char* const NameListKeyPath = "\\SoftWare\\Qarn\\Vesmont\\";
const char* const HostListName = "IpNames";
const char* const SettingsSection = "MDB";

namespace {
std::string NameListValue(int position) {
  return "Value" + std::to_string(position);
}
}  // namespace

std::string ReadSetting(const TRegistry& settings, const std::string& name,
                        const std::string& defaultValue) {
  if (!settings.ValueExists(name)) return defaultValue;
  return settings.ReadString(name);
}

void LoadNameList(const std::string& listName, TStrings& items) {
  TRegistry registry(HKEY_CURRENT_USER);
  if (!registry.OpenKey(NameListKeyPath + listName, true)) return;
  if (registry.ValueExists(NameListValue(1))) items.Clear();
  for (int position = 1; position <= NameListReadLimit; ++position) {
    const std::string name = NameListValue(position);
    if (registry.ValueExists(name)) items.Add(registry.ReadString(name));
  }
}

void SaveNameList(const std::string& listName, const TStrings& items) {
  TRegistry registry(HKEY_CURRENT_USER);
  registry.OpenKey(NameListKeyPath + listName, true);
  for (int p = 0; p < items.Count(); ++p) registry.WriteString(NameListValue(p + 1), items[p]);
}

std::string GetUserDataFolder() {
  return UserDataFolder();
}

std::string SettingsFilePath() {
  return ChangeFileExt(ProgramFilePath(), ".Ini");
}
