// TSetupFields loaded from and saved to the settings key and the settings file.
#include <windows.h>

#include "app/SetupFields.h"
#include "app/win32/SettingsStore.h"
#include "framework/Strings.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/IniFile.h"
#include "framework/win32/Registry.h"

void TSetupFields::Load(const FieldRead& fieldRead) {
  {
    TRegistry settings(HKEY_CURRENT_USER);
    settings.OpenKey(SettingsKeyPath, true);
    for (const Field& field : Fields) {
      this->*field.value = ReadSetting(settings, field.readName, this->*field.value);
      fieldRead(field.value, this->*field.value);
    }
  }
  const std::string settingsFile = SettingsFilePath();
  if (FileExists(settingsFile)) {
    TStringList section;
    TIniFile(settingsFile).ReadSectionValues(SettingsSection, section);
    ApplySettingsFile(section);
  }
}

void TSetupFields::Save() const {
  TRegistry settings(HKEY_CURRENT_USER);
  settings.OpenKey(SettingsKeyPath, true);
  for (const Field& field : Fields) settings.WriteString(field.writtenName, this->*field.value);
}
