#include "dbengine/win32/LockFiles.h"

#include "dbengine/Session.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/FileNames.h"

std::string EngineLockFilePath(const std::string& privateDir, const std::string& fileName) {
  if (privateDir.empty()) return fileName;
  return IncludeTrailingBackslash(privateDir) + fileName;
}

void RemoveEngineLockFiles() {
  const std::string privateDir = Session().PrivateDir();
  for (const char* fileName : {"PDOXUSRS.LCK", "PARADOX.LCK"}) {
    const std::string path = EngineLockFilePath(privateDir, fileName);
    if (FileExists(path)) RemoveFile(path);
  }
}
