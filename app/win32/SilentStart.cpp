#include "app/win32/SilentStart.h"

#include <windows.h>

#include "app/InstallationOutcome.h"
#include "app/RunLog.h"
#include "app/SetupFields.h"
#include "app/StartupCommandLine.h"
#include "app/win32/RunLogFile.h"
#include "framework/Exceptions.h"
#include "framework/win32/UserDataFolder.h"

namespace {

// Only the command line's values are known when start-up fails: the saved ones may be what
// failed to load, and the built-in defaults would name a driver type nobody chose.
TSetupFields CommandLineFields(const TStartupPresets& presets) {
  TSetupFields fields;
  fields.DbType.clear();
  fields.Charset.clear();
  fields.User.clear();
  fields.Option.clear();
  fields.Port.clear();
  presets.ApplyTo(fields);
  return fields;
}

}  // namespace

void LogSilentStartupError(const TStartupPresets& presets, const Exception& error) noexcept {
  try {
    TInstallationOutcome outcome;
    outcome.EndedBy("start-up", std::make_exception_ptr(error));
    const std::string block = RunLogBlock(RunLogTime(), CommandLineFields(presets), outcome);
    AppendRunLog(UserDataFolder(), block);
  } catch (...) {
    OutputDebugStringA(("Lintora: SILENT start failed, not logged: " + error.Message()).c_str());
  }
}
