#pragma once
// What the command line presets at start-up: arguments 1 to 3 replace the data source name, the
// server and the password when they are not empty, and a fourth argument of exactly "AUTO" runs
// the installation at once and ends the program without showing the dialog; "SILENT" does the
// same without ever creating a window, for deployment tools that run it without a desktop.
#include <string>

struct TSetupFields;

struct TStartupPresets {
  std::string dataSource;  // argument 1
  std::string server;      // argument 2
  std::string password;    // argument 3
  bool autoRun = false;    // argument 4 is "AUTO" (case-sensitive, whole argument)
  bool silentRun = false;  // argument 4 is "SILENT", matched the same way

  // Replaces the fields the presets give; an empty preset leaves its field as it is.
  void ApplyTo(TSetupFields& fields) const;
};

TStartupPresets StartupPresetsFrom(const std::string& commandLine);
