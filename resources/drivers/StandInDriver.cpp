// A stand-in for one of the four ODBC driver libraries the setup dialog carries, so that a build
// without the real files still embeds, writes and stamps four loadable DLLs of those names. It
// registers nothing and answers no ODBC call: a machine set up with it has no working driver.
#include <windows.h>

#ifndef LINTORA_DRIVER_NAME
#error "LINTORA_DRIVER_NAME names the driver file this library stands in for"
#endif

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// Tells a person (or a test) which file this is and that it is not the real driver.
extern "C" __declspec(dllexport) const char* LintoraStandInVersion() {
  return LINTORA_DRIVER_NAME " stand-in 1.0";
}
