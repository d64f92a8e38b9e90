#include "framework/win32/FileNames.h"

#include <windows.h>

namespace {

// Position of the last character of path that is one of delimiters, std::string::npos when
// there is none; the second byte of a double-byte character is never taken for one.
size_t LastDelimiter(const std::string& path, const char* delimiters) {
  const std::string set(delimiters);
  size_t last = std::string::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
      ++i;
    } else if (set.find(path[i]) != std::string::npos) {
      last = i;
    }
  }
  return last;
}

bool EndsWithBackslash(const std::string& path) {
  return !path.empty() && LastDelimiter(path, "\\") == path.size() - 1;
}

size_t FileNameStart(const std::string& path) {
  const size_t delimiter = LastDelimiter(path, "\\:");
  return delimiter == std::string::npos ? 0 : delimiter + 1;
}

}  // namespace

std::string IncludeTrailingBackslash(const std::string& path) {
  return EndsWithBackslash(path) ? path : path + "\\";
}

std::string ExcludeTrailingBackslash(const std::string& path) {
  std::string result = path;
  while (EndsWithBackslash(result)) result.pop_back();
  return result;
}

std::string ExtractFilePath(const std::string& path) {
  return path.substr(0, FileNameStart(path));
}

std::string ExtractFileName(const std::string& path) {
  return path.substr(FileNameStart(path));
}

std::string ChangeFileExt(const std::string& path, const std::string& extension) {
  const size_t dot = LastDelimiter(path, "\\:.");
  if (dot == std::string::npos || path[dot] != '.') return path + extension;
  return path.substr(0, dot) + extension;
}
