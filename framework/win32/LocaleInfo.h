#pragma once
// The texts of the user's regional settings.
#include <windows.h>

#include <string>

// The text of an item of the user's default locale (LOCALE_SDATE ...), of any length; empty
// when the locale has none.
std::string UserLocaleText(LCTYPE item);
