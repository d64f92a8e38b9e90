#pragma once
// Owns one open registry key handle. The predefined root keys (HKEY_CURRENT_USER,
// HKEY_LOCAL_MACHINE) are never held here: they are not ours to close.
#include <windows.h>

#include <string>

#include "framework/win32/OwnedHandle.h"

struct RegKeyTraits {
  using Handle = HKEY;
  static HKEY Empty() { return nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};

class RegKey : public OwnedHandle<RegKeyTraits> {
 public:
  using OwnedHandle::OwnedHandle;

  // Opens an existing subkey of parent; empty when it cannot be opened with that access, and
  // GetLastError then says why (for both).
  static RegKey Open(HKEY parent, const std::string& path, REGSAM access);
  // Opens the subkey of parent, creating it and its missing parents first.
  static RegKey Create(HKEY parent, const std::string& path, REGSAM access);
};
