#include "tests/unit/app/win32/OdbcState.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <cstdio>
#include <cwchar>
#include <utility>

#include "dbengine/Session.h"
#include "dbengine/win32/RegistrySessionStorage.h"
#include "framework/win32/Registry.h"
#include "framework/win32/SystemPaths.h"

const char* const OdbcTree = "Software\\ODBC";

namespace {

// Where the dangling links point: a key nobody makes.
const char* const kNowhere = "Software\\Lintora Test Nowhere";
const wchar_t* const kNowhereTarget = L"\\Registry\\Machine\\Software\\Lintora Test Nowhere\\Gone";

std::string WindowsFile(const char* name) {
  return WindowsDirectory() + name;
}

}  // namespace

void WriteTree(HKEY root, const std::string& top, const RegistryTree& tree) {
  TRegistry(root).DeleteKey("\\" + top);
  ASSERT_FALSE(TRegistry(root).KeyExists("\\" + top)) << top << " could not be deleted";
  for (const auto& key : tree) {
    TRegistry registry(root);
    const std::string path = key.first.empty() ? top : top + "\\" + key.first;
    ASSERT_TRUE(registry.OpenKey("\\" + path, true)) << path;
    for (const auto& value : key.second) {
      std::string data = value.second.data;
      if (value.second.type == REG_SZ) data.push_back('\0');
      ASSERT_EQ(RegSetValueExA(registry.CurrentKey(), value.first.c_str(), 0, value.second.type,
                               reinterpret_cast<const BYTE*>(data.data()),
                               static_cast<DWORD>(data.size())),
                ERROR_SUCCESS);
    }
  }
}

Records StringRecords(const RegistryTree& tree) {
  Records records;
  for (const auto& key : tree) {
    if (key.first.empty()) continue;
    auto& record = records[key.first];
    for (const auto& value : key.second) {
      record[value.first] = value.second.type == REG_SZ
                                ? value.second.data
                                : "<type " + std::to_string(value.second.type) + ">";
    }
  }
  return records;
}

FileCopy ReadFileCopy(const std::string& path) {
  FileCopy copy;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return copy;
  copy.exists = true;
  char buffer[4096];
  for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
    copy.bytes.append(buffer, count);
  }
  std::fclose(file);
  return copy;
}

void WriteFileCopy(const std::string& path, const FileCopy& copy) {
  if (!copy.exists) {
    DeleteFileA(path.c_str());
    return;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  std::fwrite(copy.bytes.data(), 1, copy.bytes.size(), file);
  std::fclose(file);
}

std::vector<std::string> ProfileLines(const std::string& path) {
  return ProfileLinesOf(ReadFileCopy(path).bytes);
}

std::vector<std::string> ProfileLinesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string section;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
    } else {
      lines.push_back("[" + section + "] " + line);
    }
  }
  return lines;
}

std::string OdbcIniPath() {
  return WindowsFile("ODBC.INI");
}

std::string OdbcInstIniPath() {
  return WindowsFile("ODBCINST.INI");
}

OdbcState OdbcState::Read() {
  OdbcState state;
  state.machine = ReadTree(HKEY_LOCAL_MACHINE, OdbcTree);
  state.user = ReadTree(HKEY_CURRENT_USER, OdbcTree);
  state.odbcIni = ReadFileCopy(OdbcIniPath());
  state.odbcInstIni = ReadFileCopy(OdbcInstIniPath());
  state.aliasConfig = ReadFileCopy(DefaultConfigFilePath());
  return state;
}

void OdbcState::Restore() const {
  WriteTree(HKEY_LOCAL_MACHINE, OdbcTree, machine);
  WriteTree(HKEY_CURRENT_USER, OdbcTree, user);
  WriteFileCopy(OdbcIniPath(), odbcIni);
  WriteFileCopy(OdbcInstIniPath(), odbcInstIni);
  WriteFileCopy(DefaultConfigFilePath(), aliasConfig);
  Session().SetActive(false);
}

// --- keys that cannot be used -----------------------------------------------------------------

namespace {

const char* const kReadOnly = "D:P(A;;KR;;;WD)";
const char* const kFullAccess = "D:P(A;;KA;;;WD)";

void SetDacl(HKEY root, const std::string& path, const char* sddl) {
  HKEY key = nullptr;
  // The owner may always change the DACL, whatever it grants.
  ASSERT_EQ(RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS) << path;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1,
                                                                   &descriptor, nullptr));
  EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
  LocalFree(descriptor);
  RegCloseKey(key);
}

}  // namespace

ReadOnlyKey::ReadOnlyKey(HKEY root, const std::string& path,
                         const std::map<std::string, std::string>& values)
    : root_(root), path_(path) {
  TRegistry registry(root);
  EXPECT_TRUE(registry.OpenKey("\\" + path, true)) << path;
  for (const auto& value : values) registry.WriteString(value.first, value.second);
  registry.CloseKey();
  SetDacl(root, path, kReadOnly);
  EXPECT_FALSE(registry.KeyExists("\\" + path)) << path << " can still be opened with full access";
}

ReadOnlyKey::~ReadOnlyKey() {
  SetDacl(root_, path_, kFullAccess);
  TRegistry(root_).DeleteKey("\\" + path_);
}

ReadOnlyTree::ReadOnlyTree(HKEY root, const std::string& top) : root_(root) {
  for (const auto& key : ReadTree(root, top))
    paths_.push_back(key.first.empty() ? top : top + "\\" + key.first);
  EXPECT_FALSE(paths_.empty()) << top << " does not exist";
  for (const std::string& path : paths_) SetDacl(root, path, kReadOnly);
  EXPECT_FALSE(TRegistry(root).KeyExists("\\" + top)) << top << " can still be opened";
}

ReadOnlyTree::~ReadOnlyTree() {
  for (const std::string& path : paths_) SetDacl(root_, path, kFullAccess);
}

DanglingLink::DanglingLink(HKEY root, const std::string& path) : root_(root), path_(path) {
  EXPECT_FALSE(TRegistry(root).KeyExists("\\" + path)) << path << " is in the way";
  const size_t parentEnd = path.rfind('\\');
  if (parentEnd != std::string::npos) {
    EXPECT_TRUE(TRegistry(root).OpenKey("\\" + path.substr(0, parentEnd), true));
  }
  HKEY link = nullptr;
  const LONG created =
      RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                      KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr);
  EXPECT_EQ(created, ERROR_SUCCESS) << path;
  if (created != ERROR_SUCCESS) return;
  EXPECT_EQ(RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                           reinterpret_cast<const BYTE*>(kNowhereTarget),
                           static_cast<DWORD>(std::wcslen(kNowhereTarget) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  RegCloseKey(link);
  EXPECT_FALSE(TRegistry(root).KeyExists("\\" + path)) << path << " can be opened";
}

DanglingLink::~DanglingLink() {
  // A link is deleted through a handle to the link itself; RegDeleteKey would follow it.
  using NtDeleteKeyFunction = LONG(WINAPI*)(HANDLE);
  const auto deleteKey = reinterpret_cast<NtDeleteKeyFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
  HKEY link = nullptr;
  if (deleteKey && RegOpenKeyExA(root_, path_.c_str(), REG_OPTION_OPEN_LINK, DELETE | KEY_READ,
                                 &link) == ERROR_SUCCESS) {
    EXPECT_EQ(deleteKey(link), 0) << path_;
    RegCloseKey(link);
  }
}

bool DanglingLink::TargetExists() const {
  return TRegistry(HKEY_LOCAL_MACHINE).KeyExists(std::string("\\") + kNowhere);
}

FolderInTheWay::FolderInTheWay(std::string path) : path_(std::move(path)) {
  EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_;
}

FolderInTheWay::~FolderInTheWay() {
  RemoveDirectoryA(path_.c_str());
}
