#include "tests/lib/win32/RawRegistry.h"

#include <gtest/gtest.h>

namespace {

void ReadKey(HKEY key, const std::string& path, RegistryTree& tree) {
  DWORD subKeys = 0, longestSubKey = 0, values = 0, longestName = 0, longestData = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &longestSubKey, nullptr, &values,
                   &longestName, &longestData, nullptr, nullptr);
  StoredKey& stored = tree[path];
  for (DWORD i = 0; i < values; ++i) {
    std::string name(longestName + 1, '\0');
    std::string data(longestData + 1, '\0');
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    if (RegEnumValueA(key, i, &name[0], &nameSize, nullptr, &type,
                      reinterpret_cast<BYTE*>(&data[0]), &dataSize) != ERROR_SUCCESS) {
      ADD_FAILURE() << "cannot read value " << i << " of " << path;
      continue;
    }
    data.resize(dataSize);
    if (type == REG_SZ && !data.empty() && data.back() == '\0') data.pop_back();
    stored[name.substr(0, nameSize)] = {type, data};
  }
  for (DWORD i = 0; i < subKeys; ++i) {
    std::string name(longestSubKey + 1, '\0');
    DWORD nameSize = static_cast<DWORD>(name.size());
    if (RegEnumKeyExA(key, i, &name[0], &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      continue;
    }
    name.resize(nameSize);
    HKEY child = nullptr;
    if (RegOpenKeyExA(key, name.c_str(), 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
    ReadKey(child, path.empty() ? name : path + "\\" + name, tree);
    RegCloseKey(child);
  }
}

}  // namespace

RegistryTree ReadTree(HKEY root, const std::string& top) {
  RegistryTree tree;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, top.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return tree;
  ReadKey(key, "", tree);
  RegCloseKey(key);
  return tree;
}

bool RawKeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool RawValueExists(HKEY root, const std::string& path, const std::string& name) {
  return RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}
