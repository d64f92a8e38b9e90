#include <gtest/gtest.h>

#include "framework/TextCompare.h"

TEST(TextCompare, IgnoresAsciiCaseOnly) {
  EXPECT_TRUE(SameText("MySQL ODBC 5.3 Driver", "mysql odbc 5.3 DRIVER"));
  EXPECT_FALSE(SameText("MySQL5.3+", "MySQL5.3"));
  // Big5 bytes are not letters: A4 A4 and A4 C4 stay different, and no byte is folded into ASCII.
  EXPECT_FALSE(SameText("\xa4\xa4", "\xa4\xc4"));
  // 安 (A6 77) and 亦 (A5 E7) aside, A6 77 must not equal A6 57: the trail byte is no letter.
  EXPECT_FALSE(SameText("\xa6\x77", "\xa6\x57"));
}

TEST(TextCompare, OrdersShorterPrefixFirst) {
  EXPECT_LT(CompareText("Value1", "value10"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_EQ(CompareText("", ""), 0);
  // Bytes compare unsigned: a Big5 lead byte sorts after every ASCII letter.
  EXPECT_GT(CompareText("\xa6\x77", "z"), 0);
}

TEST(TextCompare, CaseConversionLeavesHighBytes) {
  EXPECT_EQ(UpperCaseAscii("s_link\xa6\x77"), "S_LINK\xa6\x77");
  EXPECT_EQ(LowerCaseAscii("AUTO\xa6\x77"), "auto\xa6\x77");
}
