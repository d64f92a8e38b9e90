#pragma once
// The user's locale order for sorted string lists, as the Windows list controls sort.
#include <string>

// CompareStringA with the user's default locale, ignoring letter case: negative, zero or positive.
int LocaleCompareText(const std::string& a, const std::string& b);
// Makes every sorted string list use LocaleCompareText.
void UseLocaleCompare();
