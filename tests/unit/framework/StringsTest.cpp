#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Strings.h"

namespace {
std::vector<std::string> LinesOf(const TStrings& list) {
  return list.Lines();
}
}  // namespace

TEST(Strings, TextJoinsWithCrLfAfterEveryLine) {
  TStringList list;
  EXPECT_EQ(list.Text(), "");
  list.Add("S_Link=\xb3\x73\xb5\xb2");  // 連結
  list.Add("");
  list.Add("S_Fail=x");
  EXPECT_EQ(list.Text(), "S_Link=\xb3\x73\xb5\xb2\r\n\r\nS_Fail=x\r\n");
}

TEST(Strings, SetTextSplitsOnEveryLineBreakKind) {
  TStringList list;
  list.SetText("a\r\nb\rc\nd");
  EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"a", "b", "c", "d"}));
  list.SetText("a\r\n\r\n");  // the final break starts no line; the empty line before it stays
  EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"a", ""}));
  list.SetText("\n\r");  // LF then CR: two breaks, not one pair
  EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"", ""}));
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  list.SetText("S_Link=A\r\nS_Fail=B\r\n");
  EXPECT_EQ(list.Text(), "S_Link=A\r\nS_Fail=B\r\n");
}

TEST(Strings, EditingKeepsOrderAndChecksIndexes) {
  TStringList list;
  list.Add("b");
  list.Insert(0, "a");
  list.Insert(2, "c");
  list.Put(1, "B");
  EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"a", "B", "c"}));
  list.Delete(0);
  EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"B", "c"}));
  EXPECT_THROW(list.Get(2), Exception);
  EXPECT_THROW(list.Delete(-1), Exception);
  EXPECT_THROW(list.Insert(3, "x"), Exception);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(Strings, IndexOfIgnoresAsciiCaseOnly) {
  TStringList list;
  list.SetText("MySQL\r\nMySQL5.3+\r\n\xa6\x77\r\n");
  EXPECT_EQ(list.IndexOf("mysql5.3+"), 1);
  EXPECT_EQ(list.IndexOf("MYSQL"), 0);
  EXPECT_EQ(list.IndexOf("\xa6\x57"), -1);  // a Big5 trail byte is no letter
  EXPECT_EQ(list.IndexOf("MySQL5"), -1);
}

TEST(Strings, NameValueLines) {
  TStringList list;
  list.SetText("SERVER=localhost\r\nno name here\r\nUSER NAME=root=admin\r\n=empty name\r\n");
  EXPECT_EQ(list.IndexOfName("server"), 0);
  EXPECT_EQ(list.IndexOfName("no name here"), -1);
  EXPECT_EQ(list.Names(1), "");
  EXPECT_EQ(list.Values("User Name"), "root=admin");  // the first "=" separates
  EXPECT_EQ(list.Values(""), "empty name");
  EXPECT_EQ(list.Values("PORT"), "");

  list.SetValue("Server", "db1");  // replaces the first line of that name, with the name given
  list.SetValue("PORT", "3306");
  EXPECT_EQ(list.Get(0), "Server=db1");
  EXPECT_EQ(list.Get(list.Count() - 1), "PORT=3306");
  EXPECT_EQ(list.ValueFromIndex(2), "root=admin");
}

TEST(Strings, SortedListKeepsCaseInsensitiveOrder) {
  TStringList list;
  list.SetText("zeta\r\nAlpha\r\nbeta\r\n");
  list.SetSorted(true);
  EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"Alpha", "beta", "zeta"}));
  EXPECT_EQ(list.Add("Gamma"), 2);
  EXPECT_EQ(list.Add("ALPHA"), 1);  // equal lines are kept, the new one after the old
  list.Insert(0, "omega");          // a sorted list chooses the place itself
  list.Put(0, "zz");
  EXPECT_EQ(LinesOf(list),
            (std::vector<std::string>{"ALPHA", "beta", "Gamma", "omega", "zeta", "zz"}));
  list.SetText("b\r\na\r\n");
  EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"a", "b"}));
}

TEST(Strings, SortedOrderFollowsTheInstalledComparison) {
  SetStringListCompare([](const std::string& a, const std::string& b) { return b.compare(a); });
  TStringList list;
  list.SetSorted(true);
  list.Add("a");
  list.Add("c");
  list.Add("b");
  SetStringListCompare(nullptr);
  EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"c", "b", "a"}));
  list.SetSorted(false);
  list.SetSorted(true);
  EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(Strings, OnChangeFiresOncePerChange) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&changes] { ++changes; };
  list.SetText("a\r\nb\r\nc");
  list.Add("d");
  list.SetValue("k", "v");
  list.Delete(0);
  EXPECT_EQ(changes, 4);

  TStringList copy(list);  // the copy gets the lines, not the owner's hook
  copy.Add("e");
  EXPECT_EQ(changes, 4);
  list.Assign(copy);
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(list.Text(), "b\r\nc\r\nd\r\nk=v\r\ne\r\n");
}

TEST(Strings, AddStringsOfItself) {
  TStringList list;
  list.SetText("a\r\nb");
  list.AddStrings(list);
  EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"a", "b", "a", "b"}));
}
