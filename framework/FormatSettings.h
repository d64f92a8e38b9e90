#pragma once
// Process-wide settings that date and time texts are read and written with. On Windows they
// start as the user's regional settings (Application->Initialize); start-up forces the date
// separator to "/" so that the stored driver file dates read the same on every system.
#include <string>

struct TFormatSettings {
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "yyyy/M/d";
};

TFormatSettings& FormatSettings();
