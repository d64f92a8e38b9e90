#pragma once
// The three private stores of the setup dialog: the settings key under HKEY_CURRENT_USER, the
// read-only settings file beside the program file, and the numbered host list. The saved fields
// (app/SetupFields.h) are loaded from the first two and saved to the first.
#include <string>

class TRegistry;
class TStrings;

extern const char* const SettingsKeyPath;  // "\Software\Lintora"
extern const char* const NameListKeyPath;  // "\SoftWare\Qarn\Vesmont\" + list name
extern const char* const HostListName;     // "IpNames"
extern const char* const SettingsSection;  // "MDB", the settings file's one section
// Positions a host list is read back from; saving writes every item however many there are.
constexpr int NameListReadLimit = 60;

// The string value of that name in the registry object's open key, or the default when there is
// no such value. An empty stored string is a present value and is returned as it is.
std::string ReadSetting(const TRegistry& settings, const std::string& name,
                        const std::string& defaultValue);

// Appends the values Value1..Value60 of the list key (gaps skipped); the items are cleared first
// only when Value1 exists, so a list with gaps at its start adds to what is there.
void LoadNameList(const std::string& listName, TStrings& items);
// Writes item p as "Value<p+1>"; higher-numbered values of an earlier, longer save stay.
void SaveNameList(const std::string& listName, const TStrings& items);

// "<Application Data>\Lintora\" with its trailing backslash, created with every missing parent.
// Without an Application Data folder it is "\Lintora\" on the current drive.
std::string GetUserDataFolder();

// The program file's full path with its extension replaced by ".Ini".
std::string SettingsFilePath();
