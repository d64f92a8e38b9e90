#include "components/FileDate.h"

#include <cstdio>

#include "framework/Exceptions.h"

std::string FormatFileDate(const FileStamp& stamp, const std::string& dateSeparator,
                           const std::string& timeSeparator) {
  char year[8], month[4], day[4], hour[4], minute[4], second[4];
  std::snprintf(year, sizeof year, "%04d", stamp.Year);
  std::snprintf(month, sizeof month, "%02d", stamp.Month);
  std::snprintf(day, sizeof day, "%02d", stamp.Day);
  std::snprintf(hour, sizeof hour, "%02d", stamp.Hour);
  std::snprintf(minute, sizeof minute, "%02d", stamp.Minute);
  std::snprintf(second, sizeof second, "%02d", stamp.Second / 2 * 2);
  return std::string(year) + dateSeparator + month + dateSeparator + day + " " + hour +
         timeSeparator + minute + timeSeparator + second + " ";
}

#ifndef _WIN32
#include <sys/stat.h>

#include <ctime>

std::string ReadFileDate(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw EFileError(FormatErrorText(SCannotOpenFile, path));
  struct stat facts;
  const bool known = fstat(fileno(file), &facts) == 0;
  std::fclose(file);
  std::tm local{};
  if (!known || localtime_r(&facts.st_mtime, &local) == nullptr) {
    throw EFileError(FormatErrorText(SCannotOpenFile, path));
  }
  const FileStamp stamp{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                        local.tm_hour,        local.tm_min,     local.tm_sec};
  return FormatFileDate(stamp, "/", ":");
}
#endif
