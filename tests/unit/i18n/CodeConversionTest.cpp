// Pair-by-pair conversion with the generated tables.
#include <gtest/gtest.h>

#include <string>

#include "BuildTables.h"
#include "i18n/CodeConversion.h"
#include "i18n/ConversionTableLayout.h"

namespace {

struct Converted {
  std::string text;
  int failures;
};

Converted Convert(std::string text, TConvertDirect direct) {
  const ConversionTable table = BuildTable(direct == GBtoBIG ? "GBTRSBIG" : "BIGTRSGB");
  const int failures = ConvertPairs(text, direct, table);
  return {text, failures};
}

const char* const kTraditionalChineseTaiwanHk =
    "\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5(TAIWAN,HK)";  // 繁體中文(TAIWAN,HK) in Big5
const char* const kGbChinese = "\xd6\xd0\xce\xc4";  // 中文 in GB2312

}  // namespace

TEST(CodeConversion, EmptyTextStaysEmpty) {
  for (const TConvertDirect direct : {GBtoBIG, BIGtoGB}) {
    const Converted result = Convert("", direct);
    EXPECT_EQ(result.text, "");
    EXPECT_EQ(result.failures, 0);
  }
}

TEST(CodeConversion, BytesBelowA1PassUnchangedBothWays) {
  std::string everyLowByte;
  for (int b = 0; b < 0xA1; ++b) everyLowByte += static_cast<char>(b);
  for (const TConvertDirect direct : {GBtoBIG, BIGtoGB}) {
    EXPECT_EQ(Convert("MySQL5.3+", direct).text, "MySQL5.3+");
    EXPECT_EQ(Convert(everyLowByte, direct).text, everyLowByte);
  }
}

TEST(CodeConversion, BigFiveTextBecomesGb2312) {
  const Converted result = Convert(kTraditionalChineseTaiwanHk, BIGtoGB);
  EXPECT_EQ(result.text, "\xb7\xb1\xcc\xe5\xd6\xd0\xce\xc4(TAIWAN,HK)");  // 繁体中文(TAIWAN,HK)
  EXPECT_EQ(result.failures, 0);
  EXPECT_EQ(Convert("\xbc\xc6\xbe\xda\xae\x77", BIGtoGB).text,  // 數據庫
            "\xca\xfd\xbe\xdd\xbf\xe2");                        // 数据库
}

TEST(CodeConversion, TheCallerPicksTheDirection) {
  EXPECT_EQ(Convert(kGbChinese, GBtoBIG).text, "\xa4\xa4\xa4\xe5");  // 中文 in Big5
  EXPECT_EQ(Convert("\xd7\xca\xc1\xcf\xbf\xe2", GBtoBIG).text,       // 资料库
            "\xb8\xea\xae\xc6\xae\x77");                             // 資料庫
  // Read as Big5, the same bytes are two other characters.
  const std::string misread = Convert(kGbChinese, BIGtoGB).text;
  EXPECT_EQ(misread.size(), 4u);
  EXPECT_NE(misread, kGbChinese);
  EXPECT_NE(misread, "\xa4\xa4\xa4\xe5");
}

TEST(CodeConversion, ALeadByteWithoutTrailByteStays) {
  const Converted result = Convert("\xa4\xa4\xa4", BIGtoGB);  // 中 and a lone A4
  EXPECT_EQ(result.text, "\xd6\xd0\xa4");
  EXPECT_EQ(result.failures, 0);
  EXPECT_EQ(Convert("ab\xa4", BIGtoGB).text, "ab\xa4");
}

TEST(CodeConversion, EmptyBigFiveTrailBytes) {
  EXPECT_EQ(Convert("\xa1\x7f", BIGtoGB).text, "\xa1\x7f");
  EXPECT_EQ(Convert("\xa1\x81", BIGtoGB).text, "\xa1\xa1");
}

TEST(CodeConversion, TheTrailByteIsNotRangeChecked) {
  // A4 41 is no Big5 code, yet the pair is looked up: the "A" goes with it.
  const Converted result = Convert("\xa4\x41", BIGtoGB);
  EXPECT_EQ(result.failures, 0);
  EXPECT_NE(result.text, "\xa4\x41");
}

TEST(CodeConversion, BigFiveLeadBytesBeyondTheTableAreFailures) {
  for (int lead = 0xFB; lead <= 0xFF; ++lead) {
    std::string pair{static_cast<char>(lead), '\xa1'};
    const Converted result = Convert("x" + pair + "y\xa4\xa4", BIGtoGB);
    EXPECT_EQ(result.text, "x" + pair + "y\xd6\xd0") << lead;  // left as it was, then 中
    EXPECT_EQ(result.failures, 1) << lead;
  }
  // FB 40 and FB 41 would read the two filler cells that close the table, which are no row.
  EXPECT_EQ(Convert("\xfb\x40\xfb\x41", BIGtoGB).text, "\xfb\x40\xfb\x41");
  EXPECT_EQ(Convert("\xfb\x40\xfb\x41", BIGtoGB).failures, 2);
  // So would trail bytes past FE in the last row; FA FE is the last cell of the rows.
  EXPECT_EQ(Convert("\xfa\xff", BIGtoGB).failures, 1);
  EXPECT_EQ(Convert("\xfa\xfe", BIGtoGB).failures, 0);
}

TEST(CodeConversion, Gb2312PairsWithLowTrailBytes) {
  // A1 40 lies before the table: a failure, left unchanged.
  const Converted before = Convert("\xa1\x40", GBtoBIG);
  EXPECT_EQ(before.text, "\xa1\x40");
  EXPECT_EQ(before.failures, 1);
  // B0 40 lands in an earlier row inside the table and takes what is found there.
  const ConversionTable table = BuildTable("GBTRSBIG");
  ASSERT_NE(table.Data, nullptr);
  const std::ptrdiff_t position = GbToBigPosition(0xB0, 0x40);
  ASSERT_GT(position, 0);
  const Converted inside = Convert("\xb0\x40", GBtoBIG);
  EXPECT_EQ(inside.failures, 0);
  EXPECT_EQ(inside.text, std::string({static_cast<char>(table.Data[position]),
                                      static_cast<char>(table.Data[position + 1])}));
  // F8 A1 and F8 A2 would read the closing filler cells, which are no row; F8 A3 lies beyond.
  EXPECT_EQ(Convert("\xf8\xa1\xf8\xa2", GBtoBIG).text, "\xf8\xa1\xf8\xa2");
  EXPECT_EQ(Convert("\xf8\xa1\xf8\xa2", GBtoBIG).failures, 2);
  EXPECT_EQ(Convert("\xf8\xa3", GBtoBIG).failures, 1);
  EXPECT_EQ(Convert("\xf7\xfe", GBtoBIG).failures, 0);  // the last cell of the rows
}

TEST(CodeConversion, WithoutATableEveryPairFails) {
  std::string text =
      "ab\xa4\xa4"
      "c\xa4\xe5\xa4";
  EXPECT_EQ(ConvertPairs(text, BIGtoGB, ConversionTable{}), 2);
  EXPECT_EQ(text,
            "ab\xa4\xa4"
            "c\xa4\xe5\xa4");
}

TEST(CodeConversion, TextsOfAnyLengthConvertCompletely) {
  std::string big5, gb;
  for (int i = 0; i < 50000; ++i) {
    big5 += "\xa4\xa4\xa4\xe5 ";  // 中文 followed by a space: 250,000 bytes
    gb += "\xd6\xd0\xce\xc4 ";
  }
  const Converted result = Convert(big5, BIGtoGB);
  EXPECT_EQ(result.failures, 0);
  EXPECT_TRUE(result.text == gb);
  EXPECT_TRUE(Convert(gb, GBtoBIG).text == big5);
}
