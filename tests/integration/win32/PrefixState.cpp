#include "tests/integration/win32/PrefixState.h"

#include <gtest/gtest.h>

#include "framework/win32/FileHandle.h"
#include "framework/win32/SystemPaths.h"

const std::array<const char*, 4> DriverFileNames = {"Myodbc.dll", "Myodbcd.dll", "myodbc5a.dll",
                                                    "myodbc5S.dll"};
const char* const SettingsTree = "Software\\Lintora";
const char* const HostListTree = "SoftWare\\Qarn";

namespace {

DriverFile ReadDriverFile(const std::string& path) {
  DriverFile file;
  file.copy = ReadFileCopy(path);
  WIN32_FILE_ATTRIBUTE_DATA attributes = {};
  if (file.copy.exists && GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes))
    file.lastWrite = attributes.ftLastWriteTime;
  return file;
}

void RestoreDriverFile(const std::string& path, const DriverFile& file) {
  if (ReadDriverFile(path) == file) return;
  WriteFileCopy(path, file.copy);
  if (!file.copy.exists) return;
  FileHandle handle = FileHandle::OpenExclusive(path);
  EXPECT_TRUE(handle.IsOpen() && handle.SetLastWriteTime(file.lastWrite)) << path;
}

}  // namespace

std::string SystemFile(const std::string& name) {
  return SystemDirectory() + name;
}

PrefixState PrefixState::Read() {
  PrefixState state;
  state.odbc = OdbcState::Read();
  state.settings = ReadTree(HKEY_CURRENT_USER, SettingsTree);
  state.hostList = ReadTree(HKEY_CURRENT_USER, HostListTree);
  for (const char* name : DriverFileNames)
    state.driverFiles[name] = ReadDriverFile(SystemFile(name));
  return state;
}

PrefixState PrefixState::Nothing() {
  PrefixState state;
  for (const char* name : DriverFileNames) state.driverFiles[name] = DriverFile();
  return state;
}

void PrefixState::Restore() const {
  odbc.Restore();
  WriteTree(HKEY_CURRENT_USER, SettingsTree, settings);
  WriteTree(HKEY_CURRENT_USER, HostListTree, hostList);
  for (const auto& file : driverFiles) RestoreDriverFile(SystemFile(file.first), file.second);
}
