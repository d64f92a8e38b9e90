// TGBtransfer in the Windows program: tables from the program's resources, the language of the
// Wine session (Traditional Chinese, or Simplified in the zh_CN run) and WIN.INI's "intl" values.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "framework/win32/SystemPaths.h"
#include "i18n/GBBIGTRS.h"
#include "i18n/win32/Win32ConverterPlatform.h"

namespace {

bool SimplifiedChineseRun() {
  const char* locale = std::getenv("LINTORA_LC_ALL");
  return locale && std::string(locale).rfind("zh_CN", 0) == 0;
}

class GBtransferWin32Test : public ::testing::Test {
 protected:
  void SetUp() override { UseWin32ConverterPlatform(); }
  void TearDown() override {
    ReleaseSharedConverter();
    SetConverterPlatform(nullptr);
  }
};

}  // namespace

TEST_F(GBtransferWin32Test, ConvertsWithTheResourceTables) {
  TGBtransfer converter(nullptr);
  EXPECT_EQ(converter.Status(), 0);
  converter.SetDirect(BIGtoGB);
  EXPECT_EQ(converter.ConvertText("\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5(TAIWAN,HK)"),  // 繁體中文
            "\xb7\xb1\xcc\xe5\xd6\xd0\xce\xc4(TAIWAN,HK)");                        // 繁体中文
  converter.SetDirect(GBtoBIG);
  EXPECT_EQ(converter.ConvertText("\xd6\xd0\xce\xc4"), "\xa4\xa4\xa4\xe5");  // 中文
  EXPECT_EQ(BigToGbText("\xa6\xa8\xa5\x5c"), "\xb3\xc9\xb9\xa6");            // 成功
  EXPECT_EQ(converter.ErrorCount(), 0);
}

TEST_F(GBtransferWin32Test, ChineseSystemKindAndLanguageFollowTheLocale) {
  TGBtransfer converter(nullptr);
  if (SimplifiedChineseRun()) {
    EXPECT_EQ(GetChineseSystemKind(), 1);
    EXPECT_EQ(converter.DefaultLangID(), 0x0804);
  } else {
    EXPECT_EQ(GetChineseSystemKind(), 0);
    EXPECT_EQ(converter.DefaultLangID(), 0x0404);
  }
}

TEST_F(GBtransferWin32Test, CountryComesFromWinIni) {
  const std::string winIni = WindowsDirectory() + "WIN.INI";
  ASSERT_TRUE(WritePrivateProfileStringA("intl", "iCountry", "86", winIni.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("intl", "sCountry", "China", winIni.c_str()));
  TGBtransfer converter(nullptr);
  EXPECT_EQ(converter.Icountry(), 86);
  EXPECT_EQ(converter.Scountry(), "China");
  WritePrivateProfileStringA("intl", "iCountry", nullptr, winIni.c_str());
  WritePrivateProfileStringA("intl", "sCountry", nullptr, winIni.c_str());
}
