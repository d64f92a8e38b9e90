// The registry as it is stored, read with the system's own calls rather than the program's
// TRegistry, whose work the tests check: whole trees with every value's type and bytes, and
// whether a key or a value is there.
#pragma once

#include <windows.h>

#include <map>
#include <string>

// A key's values: name -> data as stored, with its type.
struct StoredValue {
  DWORD type = REG_NONE;
  std::string data;  // the stored bytes; a REG_SZ's without its terminating NUL
  bool operator==(const StoredValue& other) const {
    return type == other.type && data == other.data;
  }
};
using StoredKey = std::map<std::string, StoredValue>;
// Every key below a tree's top, by its path from the top ("ODBC.INI\\mysql"), the top itself "".
using RegistryTree = std::map<std::string, StoredKey>;

// Empty when the top cannot be opened for reading.
RegistryTree ReadTree(HKEY root, const std::string& top);

// Whether the key can be opened for reading, and whether it holds a value of that name.
bool RawKeyExists(HKEY root, const std::string& path);
bool RawValueExists(HKEY root, const std::string& path, const std::string& name);
