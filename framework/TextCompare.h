#pragma once
// Letter-case rules shared by the whole program. Data source names, driver names, list items,
// component and property names are compared without regard to ASCII letter case; bytes of
// 0x80 and above (Big5 and GB2312 lead and trail bytes) are compared as they are.
#include <string>

// Negative, zero or positive as a is before, equal to or after b, ignoring ASCII case.
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
std::string UpperCaseAscii(std::string text);
std::string LowerCaseAscii(std::string text);

// Whether c starts a two-byte character in Big5 or GB2312 (0x81 to 0xFE). The byte after it
// belongs to the character, even when it looks like an ASCII letter or a backslash.
bool IsDoubleByteLead(unsigned char c);
