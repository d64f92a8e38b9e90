#include "app/StartupCommandLine.h"

#include <windows.h>

#include "framework/CommandLine.h"

TStartupPresets StartupPresetsFrom(const std::string& commandLine) {
  TStartupPresets presets;
  presets.dataSource = CommandLineArgument(commandLine, 1);
  presets.server = CommandLineArgument(commandLine, 2);
  presets.password = CommandLineArgument(commandLine, 3);
  presets.autoRun = CommandLineArgument(commandLine, 4) == "AUTO";
  return presets;
}

TStartupPresets ProcessStartupPresets() {
  return StartupPresetsFrom(GetCommandLineA());
}
