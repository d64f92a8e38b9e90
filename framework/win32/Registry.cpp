#include "framework/win32/Registry.h"

#include "framework/Exceptions.h"
#include "framework/Strings.h"

namespace {

const REGSAM kFullAccess = KEY_ALL_ACCESS;

bool IsFromRoot(const std::string& path) {
  return !path.empty() && path[0] == '\\';
}

using EnumFunction = LONG (*)(HKEY key, DWORD index, char* name, DWORD* nameSize);

LONG EnumSubKey(HKEY key, DWORD index, char* name, DWORD* nameSize) {
  return RegEnumKeyExA(key, index, name, nameSize, nullptr, nullptr, nullptr, nullptr);
}

LONG EnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize) {
  return RegEnumValueA(key, index, name, nameSize, nullptr, nullptr, nullptr, nullptr);
}

// All names that enumerate yields for key, the buffer grown for names of any length (a name
// given in the ANSI code page can be longer in bytes than the registry's character limit).
std::vector<std::string> EnumNames(HKEY key, EnumFunction enumerate) {
  std::vector<std::string> names;
  std::vector<char> buffer(256);
  for (DWORD index = 0;;) {
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG result = enumerate(key, index, buffer.data(), &size);
    if (result == ERROR_MORE_DATA) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (result != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), size);
    ++index;
  }
  return names;
}

// The view must be named in the deletion too: a key is deleted in the view it is named in.
bool DeleteKeyTree(HKEY parent, const std::string& subPath, REGSAM view) {
  {
    const RegKey key = RegKey::Open(parent, subPath, kFullAccess | view);
    if (!key.IsOpen()) return false;
    for (const std::string& child : EnumNames(key.Get(), EnumSubKey)) {
      DeleteKeyTree(key.Get(), child, view);
    }
  }
  if (view == 0) return RegDeleteKeyA(parent, subPath.c_str()) == ERROR_SUCCESS;
  return RegDeleteKeyExA(parent, subPath.c_str(), view, 0) == ERROR_SUCCESS;
}

}  // namespace

void TRegistry::SetRootKey(HKEY rootKey) {
  CloseKey();
  rootKey_ = rootKey;
}

TRegistry::Location TRegistry::Resolve(const std::string& path) const {
  if (IsFromRoot(path)) return {rootKey_, path.substr(1)};
  return {currentKey_.IsOpen() ? currentKey_.Get() : rootKey_, path};
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
  const Location location = Resolve(path);
  const REGSAM access = kFullAccess | view_;
  RegKey key = canCreate ? RegKey::Create(location.base, location.subPath, access)
                         : RegKey::Open(location.base, location.subPath, access);
  openError_ = key.IsOpen() ? 0 : GetLastError();
  currentKey_ = std::move(key);
  return currentKey_.IsOpen();
}

bool TRegistry::OpenKeyReadOnly(const std::string& path) {
  const Location location = Resolve(path);
  currentKey_ = RegKey::Open(location.base, location.subPath, KEY_READ | view_);
  return currentKey_.IsOpen();
}

void TRegistry::CloseKey() {
  currentKey_.Close();
}

bool TRegistry::QueryValue(const std::string& name, DWORD& type, std::vector<char>& data) const {
  if (!currentKey_.IsOpen()) return false;
  DWORD size = 0;
  LONG result = RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, &type, nullptr, &size);
  while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    data.resize(size);
    result = RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    if (result == ERROR_SUCCESS) {
      data.resize(size);
      return true;
    }
  }
  return false;
}

std::string TRegistry::ReadString(const std::string& name) const {
  TRegistryValue value{name, REG_NONE, {}};
  if (!QueryValue(name, value.type, value.data)) return std::string();
  return StringOf(value);
}

std::string TRegistry::StringOf(const TRegistryValue& value) {
  if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) {
    throw ERegistryException(FormatErrorText(SInvalidDataType, value.name));
  }
  std::string text(value.data.begin(), value.data.end());
  return text.substr(0, text.find('\0'));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  const bool written =
      currentKey_.IsOpen() && RegSetValueExA(currentKey_.Get(), name.c_str(), 0, REG_SZ,
                                             reinterpret_cast<const BYTE*>(value.c_str()),
                                             static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  if (!written) throw ERegistryException(FormatErrorText(SFailedToSetData, name));
}

bool TRegistry::ValueExists(const std::string& name) const {
  return currentKey_.IsOpen() && RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, nullptr,
                                                  nullptr, nullptr) == ERROR_SUCCESS;
}

void TRegistry::GetValueNames(TStrings& names) const {
  names.Clear();
  if (!currentKey_.IsOpen()) return;
  for (const std::string& name : EnumNames(currentKey_.Get(), EnumValue)) names.Add(name);
}

std::vector<TRegistryValue> TRegistry::GetValues() const {
  std::vector<TRegistryValue> values;
  if (!currentKey_.IsOpen()) return values;
  std::vector<char> name(256), data(256);
  for (DWORD index = 0;;) {
    DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    const LONG result = RegEnumValueA(currentKey_.Get(), index, name.data(), &nameSize, nullptr,
                                      &type, reinterpret_cast<BYTE*>(data.data()), &dataSize);
    if (result == ERROR_MORE_DATA) {
      // The data's size is told; the name's is not, so its buffer grows as EnumNames grows it.
      if (dataSize > data.size()) {
        data.resize(dataSize);
      } else {
        name.resize(name.size() * 2);
      }
      continue;
    }
    if (result != ERROR_SUCCESS) break;
    values.push_back({std::string(name.data(), nameSize), type,
                      std::vector<char>(data.begin(), data.begin() + dataSize)});
    ++index;
  }
  return values;
}

bool TRegistry::DeleteValue(const std::string& name) {
  return currentKey_.IsOpen() && RegDeleteValueA(currentKey_.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const std::string& path) const {
  const Location location = Resolve(path);
  return RegKey::Open(location.base, location.subPath, kFullAccess | view_).IsOpen();
}

bool TRegistry::DeleteKey(const std::string& path) {
  const Location location = Resolve(path);
  if (location.subPath.empty()) return false;
  return DeleteKeyTree(location.base, location.subPath, view_);
}
