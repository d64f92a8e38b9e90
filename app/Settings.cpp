// The dialog's fields and the saved settings: the settings key over the built-in defaults, and
// the settings file beside the program over the settings key for its five fields.
#include <windows.h>

#include "app/LintoraMain.h"
#include "app/SettingsStore.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "framework/Strings.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/IniFile.h"
#include "framework/win32/Registry.h"

void TLintoraForm::BtnInitClick(TComponent*) {
  LoadSettings();
}

// Names are read in the spelling they always had; the registry ignores case, so "DBTYPE" reads
// what SaveSettings wrote as "DbTYPE".
void TLintoraForm::LoadSettings() {
  {
    TRegistry settings(HKEY_CURRENT_USER);
    settings.OpenKey(SettingsKeyPath, true);
    CBox0->SetText(ReadSetting(settings, "DBTYPE", "MySQL"));
    CBox1->SetText(ReadSetting(settings, "DB", ""));
    CBox2->SetText(ReadSetting(settings, "Server", ""));
    CBox5->SetText(ReadSetting(settings, "CHARSET", "latin1"));
    Edit3->SetText(ReadSetting(settings, "User", "root"));
    Edit4->SetText(ReadSetting(settings, "PassWord", ""));
    Edit5->SetText(ReadSetting(settings, "Option", "27"));
    Edit6->SetText(ReadSetting(settings, "Port", "3306"));
    Edit7->SetText(ReadSetting(settings, "BLOB SIZE", Edit7->Text()));
    Edit8->SetText(ReadSetting(settings, "BLOBS TO CACHE", Edit8->Text()));
  }
  const std::string settingsFile = SettingsFilePath();
  if (FileExists(settingsFile)) {
    // When the file exists it sets all five fields: a key it lacks clears its field.
    TStringList values;
    TIniFile(settingsFile).ReadSectionValues(SettingsSection, values);
    CBox0->SetText(values.Values("DBTYPE"));
    CBox1->SetText(values.Values("DB"));
    CBox2->SetText(values.Values("Server"));
    Edit3->SetText(values.Values("User"));
    Edit4->SetText(values.Values("PassWord"));
  }
  CBox0Change(this);
}

void TLintoraForm::SaveSettings() {
  {
    TRegistry settings(HKEY_CURRENT_USER);
    settings.OpenKey(SettingsKeyPath, true);
    settings.WriteString("DbTYPE", CBox0->Text());
    settings.WriteString("Db", CBox1->Text());
    settings.WriteString("Server", CBox2->Text());
    settings.WriteString("CHARSET", CBox5->Text());
    settings.WriteString("User", Edit3->Text());
    settings.WriteString("Password", Edit4->Text());
    settings.WriteString("Option", Edit5->Text());
    settings.WriteString("Port", Edit6->Text());
    settings.WriteString("BLOB SIZE", Edit7->Text());
    settings.WriteString("BLOBS TO CACHE", Edit8->Text());
  }
  SaveNameList(HostListName, CBox2->Items());
}
