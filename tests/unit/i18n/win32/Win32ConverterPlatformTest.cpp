// The Windows converter platform under Wine: the tables as this program's resources, the user's
// language and WIN.INI's regional values.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "framework/win32/SystemPaths.h"
#include "i18n/CodeConversion.h"
#include "i18n/win32/Win32ConverterPlatform.h"

namespace {

// The locale this run was started in (scripts/wine-run.sh: Traditional Chinese by default).
bool SimplifiedChineseRun() {
  const char* locale = std::getenv("LINTORA_LC_ALL");
  return locale && std::string(locale).rfind("zh_CN", 0) == 0;
}

std::string WinIni() {
  return WindowsDirectory() + "WIN.INI";
}

}  // namespace

TEST(Win32ConverterPlatform, LoadsBothTablesFromTheProgramsResources) {
  Win32ConverterPlatform platform;
  const auto gbToBig = platform.LoadTable("GBTRSBIG");
  const auto bigToGb = platform.LoadTable("BIGTRSGB");
  ASSERT_NE(gbToBig, nullptr);
  ASSERT_NE(bigToGb, nullptr);
  EXPECT_EQ(gbToBig->Table().Size, 15232u);
  EXPECT_EQ(bigToGb->Table().Size, 34384u);
  std::string text = "\xa6\x77\xb8\xcb";  // 安裝
  EXPECT_EQ(ConvertPairs(text, BIGtoGB, bigToGb->Table()), 0);
  EXPECT_EQ(text, "\xb0\xb2\xd7\xb0");  // 安装
  EXPECT_EQ(ConvertPairs(text, GBtoBIG, gbToBig->Table()), 0);
  EXPECT_EQ(text, "\xa6\x77\xb8\xcb");
}

TEST(Win32ConverterPlatform, AMissingResourceIsNoTable) {
  EXPECT_EQ(Win32ConverterPlatform().LoadTable("NOSUCHTABLE"), nullptr);
}

TEST(Win32ConverterPlatform, LanguageIsTheUsersDefault) {
  EXPECT_EQ(Win32ConverterPlatform().UserDefaultLangID(), SimplifiedChineseRun() ? 0x0804 : 0x0404);
}

TEST(Win32ConverterPlatform, RegionalValuesComeFromWinIniIntl) {
  ASSERT_TRUE(WritePrivateProfileStringA("intl", "iCountry", "886", WinIni().c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("intl", "sCountry", "Taiwan", WinIni().c_str()));
  Win32ConverterPlatform platform;
  EXPECT_EQ(platform.IntlInteger("iCountry", 0), 886);
  EXPECT_EQ(platform.IntlString("sCountry", ""), "Taiwan");
  WritePrivateProfileStringA("intl", "iCountry", nullptr, WinIni().c_str());
  WritePrivateProfileStringA("intl", "sCountry", nullptr, WinIni().c_str());
  EXPECT_EQ(platform.IntlInteger("iCountry", 0), 0);
  EXPECT_EQ(platform.IntlString("sCountry", ""), "");
}
