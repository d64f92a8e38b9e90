#pragma once
// The registry object: one per operation. It works below one root (HKEY_CURRENT_USER unless
// told otherwise), holds at most one open key at a time, opened with full access (or read access
// only, for keys of other programs that are only read), and releases that key when it goes away.
// Values are 8-bit strings in the ANSI code page. On 64-bit Windows it works in the program's own
// registry view unless given the other one (KEY_WOW64_64KEY or KEY_WOW64_32KEY).
//
// Nothing is ever written anywhere but the current key: with no key open (never opened, closed,
// or the last OpenKey failed) a write fails instead of falling back to the root.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/win32/RegKey.h"

class TStrings;

// A value as the registry holds it.
struct TRegistryValue {
  std::string name;
  DWORD type = REG_NONE;
  std::vector<char> data;
};

class TRegistry {
 public:
  explicit TRegistry(HKEY rootKey = HKEY_CURRENT_USER, REGSAM view = 0)
      : rootKey_(rootKey), view_(view) {}

  HKEY RootKey() const { return rootKey_; }
  // Selecting a root releases the current key.
  void SetRootKey(HKEY rootKey);
  // The open key, or nullptr.
  HKEY CurrentKey() const { return currentKey_.Get(); }

  // A path starting with "\" is taken from the root, any other path from the current key (from
  // the root when none is open). On success the opened key becomes the current key; on failure
  // no key is current any more, so later writes fail rather than land in the previous key.
  bool OpenKey(const std::string& path, bool canCreate);
  // As OpenKey without creating, with read access only (KEY_READ): a key that an account may read
  // but not change opens, and a write through it fails as any failed write does.
  bool OpenKeyReadOnly(const std::string& path);
  // Why the last OpenKey failed (a Win32 error code); 0 after one that succeeded.
  DWORD OpenError() const { return openError_; }
  void CloseKey();

  // The value's text; empty when there is no such value or no open key. Raises
  // ERegistryException "Invalid data type for '%s'" for a value that is not REG_SZ or
  // REG_EXPAND_SZ (an expandable string is returned as stored, not expanded).
  std::string ReadString(const std::string& name) const;
  // Writes a REG_SZ value into the current key; raises ERegistryException
  // "Failed to set data for '%s'" when that is not possible.
  void WriteString(const std::string& name, const std::string& value);
  bool ValueExists(const std::string& name) const;
  // Fills names (cleared first) with the value names of the current key.
  void GetValueNames(TStrings& names) const;
  // Every value of the current key with its data, in the registry's order; none with no open
  // key. Each value is read in one call, for keys that hold thousands.
  std::vector<TRegistryValue> GetValues() const;
  // The text of a value, as ReadString gives it (raising ERegistryException the same way).
  static std::string StringOf(const TRegistryValue& value);
  bool DeleteValue(const std::string& name);

  // Whether the key of that path can be opened with full access (a key that exists but cannot
  // be opened so counts as absent).
  bool KeyExists(const std::string& path) const;
  // Deletes the key of that path with all its subkeys, deepest first. Never deletes the root or
  // the current key itself (an empty relative path).
  bool DeleteKey(const std::string& path);

 private:
  struct Location {
    HKEY base;
    std::string subPath;
  };
  Location Resolve(const std::string& path) const;
  bool QueryValue(const std::string& name, DWORD& type, std::vector<char>& data) const;

  HKEY rootKey_;
  REGSAM view_;
  RegKey currentKey_;
  DWORD openError_ = 0;
};
