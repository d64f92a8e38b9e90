#pragma once
// The last-write time of an imported file as TBinStream keeps it: local time at the two-second
// resolution of the file-system date stamp, four-digit year, month and day joined by the date
// separator, a blank, hours (0 to 23), minutes and seconds joined by the time separator, and one
// trailing blank, as in "2000/10/23 11:07:26 ".
#include <string>

struct FileStamp {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// Seconds are taken down to the even second below, as the file-system date stamp holds them.
std::string FormatFileDate(const FileStamp& stamp, const std::string& dateSeparator,
                           const std::string& timeSeparator);

// Opens the existing file for reading (denying other writers where the system allows it) and
// gives its last-write time formatted with the user's regional separators. Raises EFileError
// "Cannot open file %s". Windows: components/win32/FileDateWin32.cpp; elsewhere (host tools,
// native tests) FileDate.cpp, with "/" and ":".
std::string ReadFileDate(const std::string& path);
