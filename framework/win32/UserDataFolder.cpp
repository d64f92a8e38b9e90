#include "framework/win32/UserDataFolder.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shlobj.h>

#include "framework/win32/SystemPaths.h"

std::string UserDataFolder() {
  char path[MAX_PATH] = {};
  std::string applicationData;
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
    applicationData = path;
  const std::string folder = applicationData + "\\Lintora\\";
  ForceDirectories(folder);
  return folder;
}
