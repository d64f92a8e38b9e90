#pragma once
// TSetupFields: the ten values of the setup dialog that are saved between runs, with their
// built-in defaults. The dialog fills it from its controls and shows it in them; loading and
// saving go through the settings key under HKEY_CURRENT_USER, and the read-only settings file
// beside the program presets five of the fields.
//
//   TSetupFields fields;  // the defaults
//   fields.Load();        // the settings key over them, then the settings file
//   ...
//   fields.Save();        // back to the settings key
#include <array>
#include <functional>
#include <string>

class TStrings;

// The two driver generations the dialog installs, as CBox0 names them; the tests on them are
// exact and case-sensitive.
extern const char* const DriverGeneration25;  // "MySQL"
extern const char* const DriverGeneration53;  // "MySQL5.3+"

struct TSetupFields {
  std::string DbType = "MySQL";  // the driver generation, "MySQL" or "MySQL5.3+"
  std::string DataSource;        // the data source name, also the database's
  std::string Server;
  std::string Charset = "latin1";  // used by the 5.3 driver only
  std::string User = "root";
  std::string Password;
  std::string Option = "27";
  std::string Port = "3306";
  std::string BlobSize;      // the dialog gives these two their defaults
  std::string BlobsToCache;  // from what its form shows

  // How a field is stored: the value name it is read with and the one it is written with (the
  // registry ignores case, so "DBTYPE" reads what was written as "DbTYPE"), and whether the
  // settings file, whose names are the read ones, presets it.
  struct Field {
    const char* readName;
    const char* writtenName;
    std::string TSetupFields::*value;
    bool inSettingsFile;
  };
  // The ten in the order they are written.
  static const std::array<Field, 10> Fields;

  // Called with each field as soon as it has its value from the settings key.
  using FieldRead = std::function<void(std::string TSetupFields::*field, const std::string& value)>;

  // Every field the settings key has a value for takes that value (creating the key when it is
  // missing), then the settings file applies when it exists. A value that is not a string stops
  // the loading there with the registry layer's error; fieldRead has then been told every field
  // read before it. Windows only (app/win32/SetupFieldsStore.cpp).
  void Load(const FieldRead& fieldRead);
  // Writes all ten values to the settings key. Windows only.
  void Save() const;

  // The settings file's section as NAME=value lines (names ignoring case): it sets all five of
  // its fields, and a name the section lacks empties its field.
  void ApplySettingsFile(const TStrings& section);
};
