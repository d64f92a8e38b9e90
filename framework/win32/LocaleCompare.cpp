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
