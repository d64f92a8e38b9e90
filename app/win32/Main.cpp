// Program start: the application object, the process-wide pieces the dialog relies on (the shared
// Big5-to-GB2312 converter, the language folder, the engine's stale lock files gone, the
// message-loop turn of the LZRW1 decoder), the dialog read from the program's resources with its
// start-up, then the message loop until the dialog closes. With "AUTO" on the command line the
// start-up has already run the installation, and the program ends before the loop. Either way the
// exit code tells what the last installation run did; a form that cannot be read ends with 2.
#include <windows.h>

#include "app/win32/LintoraMain.h"
#include "components/ZipLzImp.h"
#include "controls/win32/Application.h"
#include "dbengine/win32/DataSources.h"
#include "dbengine/win32/LockFiles.h"
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

int RunProgram() {
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
  if (form->AutoRunFinished()) return form->ExitCode();
  form->Show();
  Application->Run();
  return form->ExitCode();
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return RunProgram();
  } catch (...) {
    // Errors of the steps before the dialog's own handler is installed: the standard error box.
    Application->HandleException(nullptr);
    return kExitRunFailed;
  }
}
