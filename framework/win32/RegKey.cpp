#include "framework/win32/RegKey.h"

RegKey RegKey::Open(HKEY parent, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (parent == nullptr || RegOpenKeyExA(parent, path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
    return RegKey();
  }
  return RegKey(key);
}

RegKey RegKey::Create(HKEY parent, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (parent == nullptr ||
      RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return RegKey();
  }
  return RegKey(key);
}
