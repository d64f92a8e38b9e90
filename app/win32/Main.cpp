// Program start: the application object, the process-wide pieces the dialog relies on (the shared
// Big5-to-GB2312 converter, the language folder, the engine's stale lock files gone, the
// message-loop turn of the LZRW1 decoder), the dialog read from the program's resources with its
// start-up, then the message loop until the dialog closes. With "AUTO" on the command line the
// start-up has already run the installation, and the program ends before the loop. With "SILENT"
// no window is ever made: from the first step on, an error is logged instead of shown, and the
// program ends after start-up whatever happened. Either way the exit code tells what the last
// installation run did (2 when an error ended a SILENT start before it); a form that cannot
// be read ends with 2.
#include <windows.h>

#include "app/StartupCommandLine.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/SilentStart.h"
#include "components/ZipLzImp.h"
#include "controls/win32/Application.h"
#include "dbengine/win32/DataSources.h"
#include "dbengine/win32/LockFiles.h"
#include "framework/Exceptions.h"
#include "framework/win32/FileNames.h"
#include "framework/win32/SystemPaths.h"
#include "i18n/GBBIGTRS.h"
#include "i18n/LanguagePaths.h"
#include "i18n/win32/Win32ConverterPlatform.h"

namespace {
// The converter and the language paths live from before the dialog until the process ends,
// whichever way it ends. The language files are looked for beside the program until start-up
// names the user data folder.
struct SharedConverterLifetime {
  SharedConverterLifetime() {
    UseWin32ConverterPlatform();
    CreateSharedConverter();
    SetLanguageFolder(ExtractFilePath(ProgramFilePath()));
  }
  ~SharedConverterLifetime() {
    ClearLanguagePaths();
    ReleaseSharedConverter();
  }
};

bool silentStartFailed = false;

// Before anything else can fail: the error box of a SILENT start would wait for nobody.
void LogErrorsInsteadOfShowing(const TStartupPresets& presets) {
  Application->OnException = [presets](TComponent*, const Exception& error) {
    LogSilentStartupError(presets, error);
    silentStartFailed = true;
  };
}

int RunProgram(const TStartupPresets& presets) {
  if (presets.silentRun) LogErrorsInsteadOfShowing(presets);
  Application->Initialize();
  SetZipMessageLoopTurn([] { Application->ProcessMessages(); });
  SharedConverterLifetime converter;
  RemoveEngineLockFiles();
  UseSystemLeadBytesForDataSourceNames();
  RegisterLintoraFormClasses();
  std::unique_ptr<TLintoraForm> form;
  try {
    form = ReadLintoraForm();
  } catch (...) {
    Application->HandleException(nullptr);
    return kExitRunFailed;
  }
  form->DoCreate();
  if (presets.silentRun) return silentStartFailed ? kExitRunFailed : form->ExitCode();
  if (form->AutoRunFinished()) return form->ExitCode();
  form->Show();
  Application->Run();
  return form->ExitCode();
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const TStartupPresets presets = StartupPresetsFrom(GetCommandLineA());
  try {
    return RunProgram(presets);
  } catch (...) {
    // Errors of the steps before the dialog's own handler is installed: the standard error box,
    // or the run log for SILENT.
    Application->HandleException(nullptr);
    return kExitRunFailed;
  }
}
