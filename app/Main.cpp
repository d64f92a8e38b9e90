// Program start: the application object, the dialog read from the program's resources with its
// start-up, then the message loop until the dialog closes. With "AUTO" on the command line the
// start-up has already run the installation, and the program ends before the loop.
#include <windows.h>

#include "app/LintoraMain.h"
#include "framework/win32/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  RegisterLintoraFormClasses();
  std::unique_ptr<TLintoraForm> form;
  try {
    form = ReadLintoraForm();
  } catch (...) {
    Application->HandleException(nullptr);
    return 1;
  }
  form->DoCreate();
  if (form->AutoRunFinished()) return form->AutoRunExitCode();
  form->Show();
  Application->Run();
  return 0;
}
