#include "framework/win32/IniFile.h"

#include <windows.h>

#include <set>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/TextCompare.h"

namespace {

// The profile calls cut what does not fit and return the length they copied; a result that
// reaches the buffer's end (a single value: one byte for its terminator; a list of names:
// two) may have been cut, so the buffer grows and the call is repeated.
std::vector<char> ReadProfileText(const char* section, const char* key, const char* defaultValue,
                                  const std::string& fileName) {
  const DWORD reserve = key == nullptr ? 2 : 1;
  std::vector<char> buffer(1024);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length =
        GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), size, fileName.c_str());
    if (length + reserve < size) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  const std::vector<char> text =
      ReadProfileText(section.c_str(), key.c_str(), defaultValue.c_str(), fileName_);
  return std::string(text.begin(), text.end());
}

void TIniFile::WriteEntry(const char* section, const char* key, const char* value) {
  if (!WritePrivateProfileStringA(section, key, value, fileName_.c_str())) {
    throw EProfileError(FormatErrorText(SUnableToWrite, fileName_));
  }
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  WriteEntry(section.c_str(), key.c_str(), value.c_str());
}

void TIniFile::EraseSection(const std::string& section) {
  WriteEntry(section.c_str(), nullptr, nullptr);
}

void TIniFile::ReadSection(const std::string& section, TStrings& keys) const {
  keys.Clear();
  const std::vector<char> list = ReadProfileText(section.c_str(), nullptr, "", fileName_);
  // Names separated by NUL bytes.
  std::string name;
  for (const char c : list) {
    if (c != '\0') {
      name += c;
    } else if (!name.empty()) {
      keys.Add(name);
      name.clear();
    }
  }
  if (!name.empty()) keys.Add(name);
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& lines) const {
  lines.Clear();
  TStringList keys;
  ReadSection(section, keys);
  std::set<std::string> seen;
  for (int i = 0; i < keys.Count(); ++i) {
    const std::string& key = keys[i];
    if (!seen.insert(UpperCaseAscii(key)).second) continue;
    const std::string value = ReadString(section, key, "");
    if (!value.empty()) lines.Add(key + "=" + value);
  }
}

bool TIniFile::SectionExists(const std::string& section) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.Count() > 0;
}
