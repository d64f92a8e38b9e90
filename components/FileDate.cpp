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

namespace {

// Reads the FileDate text from left to right; every step says whether the text still fits.
class FileDateCursor {
 public:
  explicit FileDateCursor(const std::string& text) : text_(text) {}

  void SkipBlanks() {
    while (position_ < text_.size() && text_[position_] == ' ') ++position_;
  }
  bool AtEnd() const { return position_ == text_.size(); }
  bool Take(char c) {
    if (position_ >= text_.size() || text_[position_] != c) return false;
    ++position_;
    return true;
  }
  // One to maxDigits decimal digits.
  bool Number(size_t maxDigits, int& value) {
    size_t digits = 0;
    value = 0;
    while (digits < maxDigits && position_ < text_.size() && text_[position_] >= '0' &&
           text_[position_] <= '9') {
      value = value * 10 + (text_[position_++] - '0');
      ++digits;
    }
    return digits > 0;
  }

 private:
  const std::string& text_;
  size_t position_ = 0;
};

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool ReadDate(FileDateCursor& in, FileStamp& stamp) {
  return in.Number(4, stamp.Year) && in.Take('/') && in.Number(2, stamp.Month) && in.Take('/') &&
         in.Number(2, stamp.Day);
}

bool ReadTime(FileDateCursor& in, FileStamp& stamp) {
  if (!in.Number(2, stamp.Hour) || !in.Take(':') || !in.Number(2, stamp.Minute)) return false;
  return !in.Take(':') || in.Number(2, stamp.Second);
}

bool IsValid(const FileStamp& stamp) {
  return stamp.Year >= 1 && stamp.Month >= 1 && stamp.Month <= 12 && stamp.Day >= 1 &&
         stamp.Day <= DaysInMonth(stamp.Year, stamp.Month) && stamp.Hour <= 23 &&
         stamp.Minute <= 59 && stamp.Second <= 59;
}

}  // namespace

FileStamp ParseFileDate(const std::string& text) {
  FileDateCursor in(text);
  FileStamp stamp;
  in.SkipBlanks();
  bool fits = ReadDate(in, stamp);
  if (fits && in.Take(' ')) {
    in.SkipBlanks();
    if (!in.AtEnd()) fits = ReadTime(in, stamp);
    in.SkipBlanks();
  }
  if (!fits || !in.AtEnd() || !IsValid(stamp)) {
    throw EConvertError(FormatErrorText(SInvalidDateTime, text));
  }
  return stamp;
}

uint32_t DosDateTime(const FileStamp& stamp) {
  if (stamp.Year < 1980 || stamp.Year > 2099) return 0;
  const uint32_t date =
      static_cast<uint32_t>((stamp.Year - 1980) << 9 | stamp.Month << 5 | stamp.Day);
  const uint32_t time =
      static_cast<uint32_t>(stamp.Hour << 11 | stamp.Minute << 5 | stamp.Second / 2);
  return date << 16 | time;
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
