#include "framework/win32/LocaleFormatSettings.h"

#include <windows.h>

#include "framework/FormatSettings.h"

namespace {
std::string LocaleText(LCTYPE item) {
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, nullptr, 0);
  if (length <= 1) return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  GetLocaleInfoA(LOCALE_USER_DEFAULT, item, &text[0], length);
  text.resize(static_cast<size_t>(length) - 1);
  return text;
}
}  // namespace

void LoadLocaleFormatSettings() {
  TFormatSettings& settings = FormatSettings();
  const std::string dateSeparator = LocaleText(LOCALE_SDATE);
  const std::string timeSeparator = LocaleText(LOCALE_STIME);
  const std::string shortDate = LocaleText(LOCALE_SSHORTDATE);
  if (!dateSeparator.empty()) settings.DateSeparator = dateSeparator[0];
  if (!timeSeparator.empty()) settings.TimeSeparator = timeSeparator[0];
  if (!shortDate.empty()) settings.ShortDateFormat = shortDate;
}
