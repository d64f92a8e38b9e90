// The profile file against real INI files in the test prefix's temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/IniFile.h"
#include "tests/unit/framework/win32/RaisedMessage.h"

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    path_ = std::string(temp) + "lintora-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    RemoveFile(path_);
  }
  void TearDown() override { RemoveFile(path_); }

  // Writes the file byte for byte, CR LF line ends, as an editor would leave it.
  void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }

  std::string path_;
};

TEST_F(IniFileTest, EntriesRoundTripAndKeysIgnoreCase) {
  TIniFile ini(path_);
  ini.WriteString("ODBC 32 bit Data Sources", "sales", "MySQL (32 \xa6\xec\xa4\xb8)");  // 位元
  ini.WriteString("MDB", "Server", "db1");
  ini.WriteString("MDB", "SERVER", "db2");
  EXPECT_TRUE(FileExists(path_));
  EXPECT_EQ(ini.ReadString("odbc 32 bit data sources", "SALES", ""), "MySQL (32 \xa6\xec\xa4\xb8)");
  EXPECT_EQ(ini.ReadString("MDB", "server", ""), "db2");
  EXPECT_EQ(ini.ReadString("MDB", "User", "root"), "root");
  EXPECT_EQ(ini.ReadString("Missing", "User", ""), "");
}

TEST_F(IniFileTest, WriteIntoMissingFolderRaisesUnableToWrite) {
  const std::string path = path_ + ".missing\\setup.Ini";
  TIniFile ini(path);
  EXPECT_EQ(RaisedMessage<EProfileError>([&] { ini.WriteString("MDB", "DB", "x"); }),
            "Unable to write to " + path);
  EXPECT_EQ(RaisedMessage<EProfileError>([&] { ini.EraseSection("MDB"); }),
            "Unable to write to " + path);
  EXPECT_FALSE(FileExists(path));
}

TEST_F(IniFileTest, WriteOverAFolderRaisesUnableToWrite) {
  ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr));
  TIniFile ini(path_);
  EXPECT_EQ(RaisedMessage<EProfileError>([&] { ini.WriteString("MDB", "DB", "other"); }),
            "Unable to write to " + path_);
  EXPECT_TRUE(RemoveDirectoryA(path_.c_str()));
}

TEST_F(IniFileTest, SectionKeysAndValuesInFileOrderFirstOccurrenceWins) {
  WriteFile(
      "[Other]\r\nA=0\r\n"
      "[TLintoraForm]\r\n"
      "; a comment\r\n"
      "Label1.Caption=\xa6\x77\xb8\xcb\r\n"  // 安裝
      "Empty=\r\n"
      "label1.caption=second\r\n"
      "Memos1.Lines=S_Link=a|S_Fail=b|\r\n"
      "[Blank]\r\n");
  TIniFile ini(path_);

  TStringList keys, lines;
  keys.Add("left over");
  lines.Add("left over");
  ini.ReadSection("tlintoraform", keys);
  ASSERT_GE(keys.Count(), 3);
  EXPECT_EQ(keys[0], "Label1.Caption");
  EXPECT_EQ(keys[1], "Empty");

  ini.ReadSectionValues("TLintoraForm", lines);
  ASSERT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines[0], "Label1.Caption=\xa6\x77\xb8\xcb");
  EXPECT_EQ(lines[1], "Memos1.Lines=S_Link=a|S_Fail=b|");

  EXPECT_TRUE(ini.SectionExists("TLintoraForm"));
  EXPECT_FALSE(ini.SectionExists("Blank"));
  EXPECT_FALSE(ini.SectionExists("Missing"));
}

TEST_F(IniFileTest, EraseSectionLeavesTheOthers) {
  TIniFile ini(path_);
  ini.WriteString("A", "x", "1");
  ini.WriteString("B", "y", "2");
  ini.EraseSection("a");
  EXPECT_FALSE(ini.SectionExists("A"));
  EXPECT_EQ(ini.ReadString("B", "y", ""), "2");
}

TEST_F(IniFileTest, TextsBeyondSixtyFourKibibytesAreReadWhole) {
  std::string file = "[Big]\r\n";
  const int keyCount = 3000;  // 3000 names of 30 bytes: about 90 KiB of key list
  for (int i = 0; i < keyCount; ++i) {
    file += "Key" + std::string(22, 'k') + std::to_string(10000 + i) + "=v\r\n";
  }
  const std::string longValue(70000, 'x');
  file += "[Long]\r\nValue=" + longValue + "\r\n";
  WriteFile(file);
  TIniFile ini(path_);

  TStringList keys;
  ini.ReadSection("Big", keys);
  ASSERT_EQ(keys.Count(), keyCount);
  EXPECT_EQ(keys[keyCount - 1],
            "Key" + std::string(22, 'k') + std::to_string(10000 + keyCount - 1));
  EXPECT_EQ(ini.ReadString("Long", "Value", "").size(), longValue.size());

  TStringList lines;
  ini.ReadSectionValues("Long", lines);
  ASSERT_EQ(lines.Count(), 1);
  EXPECT_EQ(lines[0], "Value=" + longValue);
}

}  // namespace
