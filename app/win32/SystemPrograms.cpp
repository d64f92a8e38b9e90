#include "app/win32/SystemPrograms.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "framework/win32/SystemPaths.h"

std::string SysDir() {
  return SystemDirectory();
}

void RunSystemProgram(const std::string& fileName) {
  ShellExecuteA(nullptr, nullptr, (SysDir() + fileName).c_str(), "", "", SW_SHOWNORMAL);
}
