#include "framework/win32/RegKey.h"

namespace {
// The registry calls return their error instead of setting it; a caller that must say why a key
// could not be opened reads it with GetLastError like any other call's.
RegKey Opened(LONG result, HKEY key) {
  if (result == ERROR_SUCCESS) return RegKey(key);
  SetLastError(static_cast<DWORD>(result));
  return RegKey();
}
}  // namespace

RegKey RegKey::Open(HKEY parent, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (parent == nullptr) return Opened(ERROR_INVALID_HANDLE, nullptr);
  const LONG result = RegOpenKeyExA(parent, path.c_str(), 0, access, &key);
  return Opened(result, key);
}

RegKey RegKey::Create(HKEY parent, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (parent == nullptr) return Opened(ERROR_INVALID_HANDLE, nullptr);
  const LONG result = RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      access, nullptr, &key, nullptr);
  return Opened(result, key);
}
