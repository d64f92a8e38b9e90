// Sorted string lists follow the user's locale once the program has chosen it, as the
// Windows list controls do, rather than the byte order of the portable build.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/Strings.h"
#include "framework/win32/LocaleCompare.h"

namespace {

class LocaleOrder : public ::testing::Test {
 protected:
  void SetUp() override { UseLocaleCompare(); }
  void TearDown() override { SetStringListCompare(nullptr); }
};

std::string Joined(const TStrings& list) {
  std::string text;
  for (int i = 0; i < list.Count(); ++i) text += list[i] + " ";
  return text;
}

TEST_F(LocaleOrder, SortedListIgnoresCaseAndHyphensLikeTheLocale) {
  TStringList list;
  list.SetSorted(true);
  for (const char* item : {"cherry", "a-c", "Apple", "ab", "BANANA"}) list.Add(item);
  // Byte order would put "a-c" first; the locale's word order passes over the hyphen.
  EXPECT_EQ(Joined(list), "ab a-c Apple BANANA cherry ");
  EXPECT_EQ(LocaleCompareText("MySQL", "mysql"), 0);
}

TEST_F(LocaleOrder, ChineseItemsAreKeptInTheLocalesOrder) {
  TStringList list;
  list.SetSorted(true);
  const char* items[] = {
      "\xa5\x78\xa5\x5f",  // 台北
      "\xb0\xaa\xb6\xaf",  // 高雄
      "db1",
      "\xa4\xa4\xa4\xdf",  // 中心
      "\xb3\x5c\xa6\x68",  // 許多
      "Server",
  };
  for (const char* item : items) list.Add(item);
  ASSERT_EQ(list.Count(), 6);
  for (int i = 1; i < list.Count(); ++i) {
    EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, list[i - 1].c_str(), -1,
                             list[i].c_str(), -1),
              CSTR_LESS_THAN)
        << list[i - 1] << " before " << list[i];
  }
  EXPECT_EQ(list[0], "db1");  // Latin letters before the ideographs
}

TEST(AnsiUpperCase, LettersOfTheCodePageOnlyNeverTheSecondByteOfACharacter) {
  EXPECT_EQ(AnsiUpperCase("MySql odbc 5.3 driver"), "MYSQL ODBC 5.3 DRIVER");
  EXPECT_EQ(AnsiUpperCase(""), "");
  // 安 (A6 77) and 名 (A6 57) end in the bytes of "w" and "W"; 許 (B3 5C) in that of "\".
  EXPECT_EQ(AnsiUpperCase("a\xa6\x77\xa6\x57\xb3\x5c"), "A\xa6\x77\xa6\x57\xb3\x5c");
}

}  // namespace
