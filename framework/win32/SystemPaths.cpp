#include "framework/win32/SystemPaths.h"

#include <windows.h>

#include <vector>

#include "framework/win32/FileHandle.h"
#include "framework/win32/FileNames.h"

namespace {

using DirectoryQuery = UINT(WINAPI*)(LPSTR buffer, UINT size);

// The query returns the length without the terminator when the path fits, or the size needed
// with the terminator when it does not; the path may change between the calls, so it is asked
// until it fits.
std::string QueryDirectory(DirectoryQuery query) {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) {
      return IncludeTrailingBackslash(ExcludeTrailingBackslash(std::string(buffer.data(), length)));
    }
    buffer.resize(length + 1);
  }
}

}  // namespace

std::string SystemDirectory() {
  return QueryDirectory(GetSystemDirectoryA);
}

std::string WindowsDirectory() {
  return QueryDirectory(GetWindowsDirectoryA);
}

std::string OtherArchitectureSystemDirectory() {
#ifdef _WIN64
  return QueryDirectory(GetSystemWow64DirectoryA);
#else
  BOOL underWow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &underWow64) || !underWow64) return std::string();
  return WindowsDirectory() + "Sysnative\\";
#endif
}

std::string ProgramFilePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return std::string();
    if (length < size) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

bool ForceDirectories(const std::string& path) {
  const std::string folder = ExcludeTrailingBackslash(path);
  if (folder.empty()) return false;
  if (DirectoryExists(folder)) return true;
  const std::string parent = ExcludeTrailingBackslash(ExtractFilePath(folder));
  if (!parent.empty() && parent != folder && !ForceDirectories(parent)) return false;
  return CreateDirectoryA(folder.c_str(), nullptr) || DirectoryExists(folder);
}
