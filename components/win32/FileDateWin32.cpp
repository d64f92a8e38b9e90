// The import's file time on Windows: the last-write time through a handle that denies other
// writers, in local time, with the separators of the user's regional settings.
#include "components/FileDate.h"
#include "framework/Exceptions.h"

// would rename the framework's helper.
#include <windows.h>

#include "framework/win32/FileHandle.h"

namespace {

std::string LocaleText(LCTYPE item, const char* fallback) {
  char text[16];
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, item, text, sizeof text) <= 1) return fallback;
  return text;
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
  const TFileStamp stamp{time.wYear, time.wMonth,  time.wDay,
                         time.wHour, time.wMinute, time.wSecond};
  return FormatFileDate(stamp, LocaleText(LOCALE_SDATE, "/"), LocaleText(LOCALE_STIME, ":"));
}
