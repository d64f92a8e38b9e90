// The import's file time on Windows: the last-write time through a handle that denies other
// writers, in local time, with the separators of the user's regional settings.
#include <windows.h>

#include "components/FileDate.h"
#include "framework/Exceptions.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/LocaleInfo.h"

namespace {
std::string LocaleSeparator(LCTYPE item, const char* fallback) {
  const std::string separator = UserLocaleText(item);
  return separator.empty() ? fallback : separator;
}
}  // namespace

std::string ReadFileDate(const std::string& path) {
  const FileHandle file = FileHandle::OpenForReading(path);
  if (!file.IsOpen()) throw EFileError(FormatErrorText(SCannotOpenFile, path));
  FILETIME utc, local;
  SYSTEMTIME time;
  // SYSTEMTIME rather than the DOS date stamp: it holds years before 1980 and after 2107 as well.
  if (!file.LastWriteTime(utc) || !FileTimeToLocalFileTime(&utc, &local) ||
      !FileTimeToSystemTime(&local, &time)) {
    throw EFileError(FormatErrorText(SCannotOpenFile, path));
  }
  const FileStamp stamp{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
  return FormatFileDate(stamp, LocaleSeparator(LOCALE_SDATE, "/"),
                        LocaleSeparator(LOCALE_STIME, ":"));
}
