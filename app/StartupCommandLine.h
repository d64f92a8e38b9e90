#pragma once
// What the command line presets at start-up: arguments 1 to 3 replace the data source name, the
// server and the password when they are not empty, and a fourth argument of exactly "AUTO" runs
// the installation at once and ends the program without showing the dialog.
#include <string>

struct TStartupPresets {
  std::string dataSource;  // argument 1, for CBox1
  std::string server;      // argument 2, for CBox2
  std::string password;    // argument 3, for Edit4
  bool autoRun = false;    // argument 4 is "AUTO" (case-sensitive, whole argument)
};

TStartupPresets StartupPresetsFrom(const std::string& commandLine);
// The presets of this process's own command line.
TStartupPresets ProcessStartupPresets();
