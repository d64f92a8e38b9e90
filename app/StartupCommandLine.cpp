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
  presets.autoRun = CommandLineArgument(commandLine, 4) == "AUTO";
  return presets;
}
