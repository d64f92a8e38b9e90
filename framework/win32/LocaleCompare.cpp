#include "framework/win32/LocaleCompare.h"

#include <windows.h>

#include "framework/Strings.h"

int LocaleCompareText(const std::string& a, const std::string& b) {
  // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3; 0 means the call failed.
  const int result =
      CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                     b.data(), static_cast<int>(b.size()));
  return result == 0 ? a.compare(b) : result - CSTR_EQUAL;
}

void UseLocaleCompare() {
  SetStringListCompare(LocaleCompareText);
}

std::string AnsiUpperCase(std::string text) {
  if (text.empty()) return text;
  // Some systems convert through Unicode and back and report the bytes written then, which are
  // fewer when the text held a broken double-byte character.
  const DWORD written = CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
  if (written > 0 && written < text.size()) text.resize(written);
  return text;
}
