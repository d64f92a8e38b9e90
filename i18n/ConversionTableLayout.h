#pragma once
// Layout of the two code conversion tables "GBTRSBIG" (GB2312 -> Big5) and "BIGTRSGB"
// (Big5 -> GB2312). A cell is two bytes, the target code with its lead byte first; rows follow
// one another with no header, and two filler cells close each table.
#include <cstddef>
#include <cstdint>

// GB2312 -> Big5: the lead bytes A1..A9 and B0..F7 (the empty rows AA..AF have no rows of their
// own), each with the 94 trail bytes A1..FE.
constexpr int kGbToBigRows = 81;
constexpr int kGbToBigCellsPerRow = 94;
constexpr std::size_t kGbToBigRowsSize = kGbToBigRows * kGbToBigCellsPerRow * 2;  // 15,228
constexpr std::size_t kGbToBigTableSize = kGbToBigRowsSize + 4;                   // 15,232
constexpr uint8_t kBig5FillerLead = 0xA1;  // Big5 ideographic space A1 40
constexpr uint8_t kBig5FillerTrail = 0x40;

// Big5 -> GB2312: the lead bytes A1..FA, each with the 191 trail bytes 40..FE (7F..A0, which Big5
// leaves empty, included).
constexpr int kBigToGbRows = 90;
constexpr int kBigToGbCellsPerRow = 191;
constexpr std::size_t kBigToGbRowsSize = kBigToGbRows * kBigToGbCellsPerRow * 2;  // 34,380
constexpr std::size_t kBigToGbTableSize = kBigToGbRowsSize + 4;                   // 34,384
constexpr uint8_t kGbFillerLead = 0xA1;  // GB2312 ideographic space A1 A1
constexpr uint8_t kGbFillerTrail = 0xA1;

// Byte offset of the cell of a pair. No range test is made on either byte: a pair outside the
// code set gives a position before the rows (negative) or after them, which the caller checks.
// The two filler cells that close a table belong to no row: a pair whose position falls on them
// (Big5 FB 40, GB2312 F8 A1) is beyond the table like any other.
// The lead bytes AA..AF take the first formula and so read the rows of B0..B5.
constexpr std::ptrdiff_t GbToBigPosition(uint8_t lead, uint8_t trail) {
  const std::ptrdiff_t row = lead < 0xB0 ? lead - 0xA1 : lead - 0xA7;
  return row * (kGbToBigCellsPerRow * 2) + (static_cast<std::ptrdiff_t>(trail) - 0xA1) * 2;
}

constexpr std::ptrdiff_t BigToGbPosition(uint8_t lead, uint8_t trail) {
  return (static_cast<std::ptrdiff_t>(lead) - 0xA1) * (kBigToGbCellsPerRow * 2) +
         (static_cast<std::ptrdiff_t>(trail) - 0x40) * 2;
}
