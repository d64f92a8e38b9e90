// The language paths follow the folder last given and the user's language.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "i18n/ConverterPlatform.h"
#include "i18n/LanguagePaths.h"
#include "i18n/TableFolder.h"

TEST(LanguagePaths, TheCurrentFileFollowsTheLanguage) {
  struct Case {
    uint16_t language;
    const char* current;
  };
  for (const Case& c :
       {Case{0x0404, "C:\\Data\\Taiwan.Prop"}, Case{0x0804, "C:\\Data\\China.Prop"},
        Case{0x0809, "C:\\Data\\English.Prop"}, Case{0x0409, ""}, Case{0x0C04, ""}, Case{0, ""}}) {
    TableFolderPlatform platform("", c.language);
    SetConverterPlatform(&platform);
    SetLanguageFolder("C:\\Data\\");
    EXPECT_EQ(LanguageFolder(), "C:\\Data\\") << c.language;
    EXPECT_EQ(TraditionalLanguageFile(), "C:\\Data\\Taiwan.Prop") << c.language;
    EXPECT_EQ(SimplifiedLanguageFile(), "C:\\Data\\China.Prop") << c.language;
    EXPECT_EQ(CurrentLanguageFile(), c.current) << c.language;
    SetConverterPlatform(nullptr);
  }
  ClearLanguagePaths();
}

TEST(LanguagePaths, TheLastFolderReplacesEveryPath) {
  TableFolderPlatform platform("", 0x0804);
  SetConverterPlatform(&platform);
  EXPECT_EQ(CurrentLanguageFile(), "");
  SetLanguageFolder("C:\\Program\\");
  SetLanguageFolder("C:\\Users\\me\\Lintora\\");
  EXPECT_EQ(TraditionalLanguageFile(), "C:\\Users\\me\\Lintora\\Taiwan.Prop");
  EXPECT_EQ(CurrentLanguageFile(), "C:\\Users\\me\\Lintora\\China.Prop");
  ClearLanguagePaths();
  EXPECT_EQ(LanguageFolder(), "");
  EXPECT_EQ(SimplifiedLanguageFile(), "");
  EXPECT_EQ(CurrentLanguageFile(), "");
  SetConverterPlatform(nullptr);
}
