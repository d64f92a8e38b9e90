#pragma once
// The user's locale order for sorted string lists, as the Windows list controls sort, and the
// system code page's letter case.
#include <string>

// CompareStringA with the user's default locale, ignoring letter case: negative, zero or positive.
int LocaleCompareText(const std::string& a, const std::string& b);
// Makes every sorted string list use LocaleCompareText.
void UseLocaleCompare();

// The text upper-cased as the system's ANSI code page upper-cases it (CharUpperBuffA): the second
// byte of a double-byte character is never taken for a letter of its own.
std::string AnsiUpperCase(std::string text);
