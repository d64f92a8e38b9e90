// The message table with the locale's own case-insensitive comparison, as the program runs it.
#include <gtest/gtest.h>

#include "components/Memos.h"
#include "framework/win32/LocaleCompare.h"

TEST(MemosLocale, LookupUsesTheLocaleComparison) {
  UseLocaleCompare();
  TMemos memos(nullptr);
  memos.Lines()->Add("S_Link=\xb3\x73\xb5\xb2");  // 連結
  memos.Lines()->Add("S_Succ=\xa6\xa8\xa5\x5c");  // 成功
  memos.Lines()->Add("\xbc\xc6\xbe\xda=x");       // 數據
  EXPECT_EQ(memos.Lookup("S_LINK"), "\xb3\x73\xb5\xb2");
  EXPECT_EQ(memos.Lookup("s_succ"), "\xa6\xa8\xa5\x5c");
  EXPECT_EQ(memos.Lookup("S_Link "), "");
  EXPECT_EQ(memos.Lookup("\xbc\xc6\xbe\xda"), "x");
  EXPECT_EQ(memos.Lookup("\xbc\xc6"), "");
  SetStringListCompare(nullptr);
}
