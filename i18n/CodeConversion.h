#pragma once
// Character-by-character conversion of 8-bit text between GB2312 and Big5 through one of the two
// code conversion tables (layout in ConversionTableLayout.h). Bytes below A1 pass unchanged; a
// byte of A1 or above starts a pair that is replaced by the table cell of its position.
#include <cstddef>
#include <cstdint>
#include <string>

enum TConvertDirect : uint8_t {
  GBtoBIG = 0,  // GB2312 text in, Big5 text out
  BIGtoGB = 1,  // Big5 text in, GB2312 text out
};

// A table used in place; Data is nullptr when the table could not be had.
struct ConversionTable {
  const uint8_t* Data = nullptr;
  std::size_t Size = 0;
};

// Converts `text` in place with the table of `direct` and returns the number of pair failures: a
// pair whose position lies before or beyond the table's rows (the closing filler cells are no
// row), or whose table is absent, is left as it is. A lead byte in the last position has no trail
// byte and stays unchanged. Texts of any length.
int ConvertPairs(std::string& text, TConvertDirect direct, const ConversionTable& table);
