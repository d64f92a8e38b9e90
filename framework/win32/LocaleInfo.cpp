#include "framework/win32/LocaleInfo.h"

std::string UserLocaleText(LCTYPE item) {
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, nullptr, 0);
  if (length <= 1) return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  const int copied = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, &text[0], length);
  if (copied <= 1) return std::string();
  text.resize(static_cast<size_t>(copied) - 1);
  return text;
}
