#pragma once
// The last-write time of an imported file as TBinStream keeps it: local time at the two-second
// resolution of the file-system date stamp, four-digit year, month and day joined by the date
// separator, a blank, hours (0 to 23), minutes and seconds joined by the time separator, and one
// trailing blank, as in "2000/10/23 11:07:26 ".
#include <cstdint>
#include <string>

struct FileStamp {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// Seconds are taken down to the even second below, as the file-system date stamp holds them.
std::string FormatFileDate(const FileStamp& stamp, const std::string& dateSeparator,
                           const std::string& timeSeparator);

// Reads a FileDate text in its own order, year/month/day, whatever the user's regional date
// order, so that the stored texts read the same on every system: year, month and day joined by
// "/", blanks, then hours, minutes and optional seconds joined by ":"; blanks before and after
// are ignored, and a text without a time is midnight. Raises EConvertError
// "'%s' is not a valid date and time" with the whole text.
FileStamp ParseFileDate(const std::string& text);

// The file-system date stamp of a local time: high 16 bits the date, low 16 bits the time at
// two-second resolution. Only the years 1980 to 2099 are stamped; any other gives 0.
uint32_t DosDateTime(const FileStamp& stamp);

// Opens the existing file for reading (denying other writers where the system allows it) and
// gives its last-write time formatted with the user's regional separators. Raises EFileError
// "Cannot open file %s". Windows: components/win32/FileDateWin32.cpp; elsewhere (host tools,
// native tests) FileDate.cpp, with "/" and ":".
std::string ReadFileDate(const std::string& path);
