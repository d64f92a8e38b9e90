// The generated tables: their layout, fillers and the cells that programs rely on.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "BuildTables.h"
#include "i18n/ConversionTableLayout.h"

namespace {

uint16_t CellAt(const ConversionTable& table, std::ptrdiff_t position) {
  return static_cast<uint16_t>(table.Data[position] << 8 | table.Data[position + 1]);
}
uint16_t GbToBig(uint16_t gb) {
  return CellAt(BuildTable("GBTRSBIG"), GbToBigPosition(gb >> 8, gb & 0xFF));
}
uint16_t BigToGb(uint16_t big5) {
  return CellAt(BuildTable("BIGTRSGB"), BigToGbPosition(big5 >> 8, big5 & 0xFF));
}

bool IsBig5Code(uint16_t code) {
  const int lead = code >> 8, trail = code & 0xFF;
  return lead >= 0xA1 && lead <= 0xF9 &&
         ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE));
}
bool IsGb2312Code(uint16_t code) {
  const int lead = code >> 8, trail = code & 0xFF;
  return lead >= 0xA1 && lead <= 0xFB && trail >= 0xA1 && trail <= 0xFE;
}

struct Cell {
  uint16_t source;
  uint16_t target;
};

}  // namespace

TEST(ConversionTables, HaveTheirExactSizes) {
  ASSERT_NE(BuildTable("GBTRSBIG").Data, nullptr);
  ASSERT_NE(BuildTable("BIGTRSGB").Data, nullptr);
  EXPECT_EQ(BuildTable("GBTRSBIG").Size, 15232u);
  EXPECT_EQ(BuildTable("BIGTRSGB").Size, 34384u);
  EXPECT_EQ(kGbToBigTableSize, 15232u);
  EXPECT_EQ(kBigToGbTableSize, 34384u);
}

TEST(ConversionTables, EndInTwoFillerCells) {
  const ConversionTable gbToBig = BuildTable("GBTRSBIG");
  ASSERT_NE(gbToBig.Data, nullptr);
  EXPECT_EQ(CellAt(gbToBig, 15228), 0xA140);
  EXPECT_EQ(CellAt(gbToBig, 15230), 0xA140);
  const ConversionTable bigToGb = BuildTable("BIGTRSGB");
  ASSERT_NE(bigToGb.Data, nullptr);
  EXPECT_EQ(CellAt(bigToGb, 34380), 0xA1A1);
  EXPECT_EQ(CellAt(bigToGb, 34382), 0xA1A1);
}

TEST(ConversionTables, GbToBigTellingCells) {
  ASSERT_NE(BuildTable("GBTRSBIG").Data, nullptr);
  const Cell cells[] = {
      {0xA1A1, 0xA140},                                      // ideographic space
      {0xD6D0, 0xA4A4}, {0xCEC4, 0xA4E5},                    // 中文
      {0xD7CA, 0xB8EA}, {0xC1CF, 0xAEC6}, {0xBFE2, 0xAE77},  // 资料库 -> 資料庫
      {0xBCF2, 0xC2B2}, {0xCCE5, 0xCA5E},                    // 简体 -> 簡体
  };
  for (const Cell& cell : cells) {
    EXPECT_EQ(GbToBig(cell.source), cell.target) << std::hex << cell.source;
  }
}

TEST(ConversionTables, BigToGbTellingCells) {
  ASSERT_NE(BuildTable("BIGTRSGB").Data, nullptr);
  const Cell cells[] = {
      {0xA140, 0xA1A1},                                      // ideographic space
      {0xA141, 0xA1A1},                                      // full-width comma: the filler
      {0xA14D, 0xA3AC},                                      // small comma -> full-width comma
      {0xC163, 0xB7B1}, {0xC5E9, 0xCCE5},                    // 繁體 -> 繁体
      {0xA677, 0xB0B2}, {0xB8CB, 0xD7B0},                    // 安裝 -> 安装
      {0xB373, 0xC1AC}, {0xB5B2, 0xBDE1},                    // 連結 -> 连结
      {0xA6A8, 0xB3C9}, {0xA55C, 0xB9A6},                    // 成功
      {0xBCC6, 0xCAFD}, {0xBEDA, 0xBEDD}, {0xAE77, 0xBFE2},  // 數據庫 -> 数据库
      {0xA28D, 0xD0AF},                                      // among the empty trail bytes
  };
  for (const Cell& cell : cells) {
    EXPECT_EQ(BigToGb(cell.source), cell.target) << std::hex << cell.source;
  }
}

TEST(ConversionTables, BigFiveUserDefinedRowMapsOntoGbUserDefinedCodesInOrder) {
  ASSERT_NE(BuildTable("BIGTRSGB").Data, nullptr);
  int lead = 0xFA, trail = 0xA1;
  int mapped = 0;
  for (int big5Trail = 0x40; big5Trail <= 0xFE; ++big5Trail) {
    if (big5Trail > 0x7E && big5Trail < 0xA1) continue;
    EXPECT_EQ(BigToGb(static_cast<uint16_t>(0xFA00 | big5Trail)), lead << 8 | trail)
        << std::hex << big5Trail;
    ++mapped;
    if (++trail > 0xFE) trail = 0xA1, ++lead;
  }
  EXPECT_EQ(mapped, 157);
  EXPECT_EQ(BigToGb(0xFAFE), 0xFBDF);
}

TEST(ConversionTables, EmptyBigFiveTrailBytesHoldThePairOrTheFiller) {
  ASSERT_NE(BuildTable("BIGTRSGB").Data, nullptr);
  for (int lead = 0xA1; lead <= 0xFA; ++lead) {
    EXPECT_EQ(BigToGb(static_cast<uint16_t>(lead << 8 | 0x7F)), lead << 8 | 0x7F);
    EXPECT_EQ(BigToGb(static_cast<uint16_t>(lead << 8 | 0x80)), lead << 8 | 0x80);
    for (int trail = 0x81; trail <= 0xA0; ++trail) {
      const uint16_t code = static_cast<uint16_t>(lead << 8 | trail);
      if (code != 0xA28D) {
        EXPECT_EQ(BigToGb(code), 0xA1A1) << std::hex << code;
      }
    }
  }
}

TEST(ConversionTables, EveryGbCellHoldsABig5Code) {
  ASSERT_NE(BuildTable("GBTRSBIG").Data, nullptr);
  int fillers = 0;
  for (std::ptrdiff_t position = 0; position < 15232; position += 2) {
    const uint16_t cell = CellAt(BuildTable("GBTRSBIG"), position);
    EXPECT_TRUE(IsBig5Code(cell)) << position;
    if (cell == 0xA140) ++fillers;
  }
  // The tables are described by their fillers: 574 of the 7,616 cells.
  EXPECT_NEAR(fillers, 574, 10);
  EXPECT_EQ(GbToBig(0xA2A1), 0xA140);  // unassigned in GB2312
  EXPECT_EQ(GbToBig(0xD7FA), 0xA140);
  // Kana and Cyrillic reach Big5's extension in rows C6 to C8; 着 the one form Big5 has.
  EXPECT_EQ(GbToBig(0xA4A1), 0xC6E7);  // ぁ
  EXPECT_EQ(GbToBig(0xA5F6), 0xC7F2);  // ヶ
  EXPECT_EQ(GbToBig(0xA7A1), 0xC7F3);  // А
  EXPECT_EQ(GbToBig(0xA7F1), 0xC875);  // я
  EXPECT_EQ(GbToBig(0xD7C5), 0xB5DB);  // 着 -> 著
  // Its numbers and radicals are not written: 广 stays 廣, ① the filler.
  EXPECT_EQ(GbToBig(0xB9E3), 0xBC73);
  EXPECT_EQ(GbToBig(0xA2D9), 0xA140);
}

TEST(ConversionTables, EveryBig5CellHoldsAGbCode) {
  ASSERT_NE(BuildTable("BIGTRSGB").Data, nullptr);
  int fillers = 0;
  for (int lead = 0xA1; lead <= 0xFA; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F || trail == 0x80) continue;
      const uint16_t code = static_cast<uint16_t>(lead << 8 | trail);
      EXPECT_TRUE(IsGb2312Code(BigToGb(code))) << std::hex << code;
      if (BigToGb(code) == 0xA1A1 && (trail < 0x81 || trail > 0xA0)) ++fillers;
    }
  }
  // 9,334 of the 17,192 cells are described as fillers, 2,784 of them among the trail bytes 81 to
  // A0. The other 95 GB2312 codes there are not named (only A28D is), so those cells stay
  // fillers here and are left out of the count; the two closing cells are counted.
  EXPECT_NEAR(fillers + 2, 9334 - 2784, 60);
  // Every character of Big5's extension in rows C6 to C8 that GB2312 holds reaches it; what lies
  // beyond the extension has no counterpart.
  EXPECT_EQ(BigToGb(0xC6A1), 0xA2D9);  // ①
  EXPECT_EQ(BigToGb(0xC6CE), 0xB9E3);  // the radical 广
  EXPECT_EQ(BigToGb(0xC8A1), 0xA1A1);
  EXPECT_EQ(BigToGb(0xC6E7), 0xA4A1);  // ぁ
  EXPECT_EQ(BigToGb(0xC7F3), 0xA7A1);  // А
  EXPECT_EQ(BigToGb(0xB5DB), 0xD7C5);  // 著 -> 着, the particle, by far the more frequent
}

TEST(ConversionTables, AgreeOnSimplifiedAndTraditionalFormsBothWays) {
  ASSERT_NE(BuildTable("GBTRSBIG").Data, nullptr);
  // Every GB2312 hanzi that reaches a Big5 character other than the filler comes back to a
  // GB2312 hanzi; nearly always to itself (a few simplified forms merge several traditional ones).
  int mapped = 0, sameBack = 0;
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      const uint16_t gb = static_cast<uint16_t>(lead << 8 | trail);
      const uint16_t big5 = GbToBig(gb);
      if (big5 == 0xA140) continue;
      ++mapped;
      if (BigToGb(big5) == gb) ++sameBack;
    }
  }
  EXPECT_GT(mapped, 6450);  // of 6,763; radicals and rare characters Big5 lacks
  EXPECT_GT(sameBack, mapped * 97 / 100);
}
