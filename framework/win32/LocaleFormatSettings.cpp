#include "framework/win32/LocaleFormatSettings.h"

#include "framework/FormatSettings.h"
#include "framework/win32/LocaleInfo.h"

void LoadLocaleFormatSettings() {
  TFormatSettings& settings = FormatSettings();
  const std::string dateSeparator = UserLocaleText(LOCALE_SDATE);
  const std::string timeSeparator = UserLocaleText(LOCALE_STIME);
  const std::string shortDate = UserLocaleText(LOCALE_SSHORTDATE);
  if (!dateSeparator.empty()) settings.DateSeparator = dateSeparator[0];
  if (!timeSeparator.empty()) settings.TimeSeparator = timeSeparator[0];
  if (!shortDate.empty()) settings.ShortDateFormat = shortDate;
}
