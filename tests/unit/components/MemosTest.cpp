// The message table: lookup by name as the dialog composes its messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "components/Memos.h"
#include "framework/ClassRegistry.h"

namespace {

// The dialog's table, in Big5.
void FillDialogTable(TMemos& memos) {
  TStringList lines;
  lines.Add("S_Link=\xb3\x73\xb5\xb2");                                  // 連結
  lines.Add("S_Fail=\xa5\xa2\xb1\xd1");                                  // 失敗
  lines.Add("S_Succ=\xa6\xa8\xa5\x5c");                                  // 成功
  lines.Add("S_DATABASEDESP=\xbc\xc6\xbe\xda\xae\x77\xbb\xa1\xa9\xfa");  // 數據庫說明
  lines.Add("S_DATABASENAME=\xbc\xc6\xbe\xda\xae\x77\xa6\x57\xba\xd9");  // 數據庫名稱
  lines.Add("S_DELETE=\xbd\x54\xa9\x77\xad\x6e\xa7\x52\xb0\xa3?");       // 確定要刪除?
  memos.SetLines(lines);
}

}  // namespace

TEST(Memos, LookupIgnoresLetterCase) {
  TMemos memos(nullptr);
  FillDialogTable(memos);
  EXPECT_EQ(memos.Lookup("S_LINK"), "\xb3\x73\xb5\xb2");
  EXPECT_EQ(memos.Lookup("S_FAIL"), "\xa5\xa2\xb1\xd1");
  EXPECT_EQ(memos.Lookup("S_Succ"), "\xa6\xa8\xa5\x5c");
  EXPECT_EQ(memos.Lookup("s_delete"), "\xbd\x54\xa9\x77\xad\x6e\xa7\x52\xb0\xa3?");
}

TEST(Memos, NamesAreNotTrimmed) {
  TMemos memos(nullptr);
  FillDialogTable(memos);
  EXPECT_EQ(memos.Lookup("S_Link "), "");
  EXPECT_EQ(memos.Lookup(" S_Link"), "");
  EXPECT_EQ(memos.Lookup("S_Lin"), "");
  EXPECT_EQ(memos.Lookup(""), "");
}

TEST(Memos, TextRunsFromTheFirstEquals) {
  TMemos memos(nullptr);
  memos.Lines()->Add("no entry here");
  memos.Lines()->Add("S_X=a=b");
  memos.Lines()->Add("S_Empty=");
  memos.Lines()->Add("=nameless");
  EXPECT_EQ(memos.Lookup("S_X"), "a=b");
  EXPECT_EQ(memos.Lookup("S_Empty"), "");
  EXPECT_EQ(memos.Lookup("no entry here"), "");
  EXPECT_EQ(memos.Lookup(""), "nameless");
}

TEST(Memos, TheFirstEntryWins) {
  TMemos memos(nullptr);
  memos.Lines()->Add("S_Fail=A");
  memos.Lines()->Add("S_FAIL=B");
  EXPECT_EQ(memos.Lookup("S_Fail"), "A");
  EXPECT_EQ(memos.Lookup("S_FAIL"), "A");
}

TEST(Memos, SettingLinesCopiesThem) {
  TMemos memos(nullptr);
  TStringList given;
  given.Add("S_Succ=ok");
  memos.SetLines(given);
  given.Clear();
  EXPECT_EQ(memos.Lookup("S_Succ"), "ok");
  memos.SetLines(*memos.Lines());  // its own list: nothing lost
  EXPECT_EQ(memos.Lines()->Count(), 1);
}

TEST(Memos, LinesIsAPublishedStringList) {
  RegisterMemosClass();
  std::unique_ptr<TComponent> component(CreateComponentOfClass("TMemos", nullptr));
  auto& memos = dynamic_cast<TMemos&>(*component);
  const TPropInfo* lines = GetPropInfo(memos, "LINES");
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(lines->Kind, tkClass);
  EXPECT_EQ(lines->TypeName, "TStringList");
  EXPECT_EQ(lines->GetSubObject(memos), memos.Lines());
  EXPECT_FALSE(IsStoredProp(memos, *lines));
  TStringList given;
  given.Add("S_Link=A");
  given.Add("S_Fail=B");
  lines->SetStrings(memos, given);
  EXPECT_EQ(memos.Lines()->Lines(), given.Lines());
  EXPECT_TRUE(IsStoredProp(memos, *lines));
}
