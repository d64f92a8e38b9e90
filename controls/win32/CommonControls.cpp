#include "controls/win32/CommonControls.h"

#include <commctrl.h>

#include "framework/win32/SystemLibrary.h"

void InitCommonControlClasses(DWORD classes) {
  // Loaded once and kept: the controls' windows use the library as long as they live.
  static const SystemLibrary library = SystemLibrary::Load("comctl32.dll");
  static const auto initialize =
      library.Find<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("InitCommonControlsEx");
  INITCOMMONCONTROLSEX request = {sizeof request, classes};
  initialize(&request);
}
