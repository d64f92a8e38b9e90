#include "app/StartupCommandLine.h"

#include "app/SetupFields.h"
#include "framework/CommandLine.h"

void TStartupPresets::ApplyTo(TSetupFields& fields) const {
  if (!dataSource.empty()) fields.DataSource = dataSource;
  if (!server.empty()) fields.Server = server;
  if (!password.empty()) fields.Password = password;
}

TStartupPresets StartupPresetsFrom(const std::string& commandLine) {
  TStartupPresets presets;
  presets.dataSource = CommandLineArgument(commandLine, 1);
  presets.server = CommandLineArgument(commandLine, 2);
  presets.password = CommandLineArgument(commandLine, 3);
  const std::string mode = CommandLineArgument(commandLine, 4);
  presets.autoRun = mode == "AUTO";
  presets.silentRun = mode == "SILENT";
  return presets;
}
