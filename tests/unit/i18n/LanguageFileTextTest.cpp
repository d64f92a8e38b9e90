// How a language file's line names its target and value, and how a list is held in one value.
#include <gtest/gtest.h>

#include <string>

#include "i18n/LanguageFileText.h"

TEST(LanguageFileText, LinesAsPeopleWriteThem) {
  struct Case {
    const char* line;
    bool used;
    const char* component;
    const char* property;
    const char* value;
  };
  const Case cases[] = {
      // The quotes and the spaces around "=" go.
      {"Label1.Caption = '\xb8\xea\xae\xc6\xae\x77'", true, "Label1", "Caption",
       "\xb8\xea\xae\xc6\xae\x77"},  // 資料庫
      {"Label1.Caption= 'abc'", true, "Label1", "Caption", "abc"},
      {"Label1.Caption ='abc'", true, "Label1", "Caption", "'abc"},  // no rule for " ='"
      {"Label1.Caption = abc", true, "Label1", "Caption", "abc"},
      {"   Label1.Caption=abc", true, "Label1", "Caption", "abc"},
      {"Label1.Caption=it's'", true, "Label1", "Caption", "it's"},  // only the last quote goes
      {"Label1.Caption=a = b", true, "Label1", "Caption", "a=b"},
      // Without "." the form itself; with the form's name the form too (the caller decides).
      {"Caption=abc", true, "", "Caption", "abc"},
      {"LintoraForm.Caption=abc", true, "LintoraForm", "Caption", "abc"},
      // The component is the line before its first ".", wherever that stands.
      {"Caption=V 5.6", true, "Caption=V 5", "Caption", "V 5.6"},
      {"Label13.Caption=V 5.6", true, "Label13", "Caption", "V 5.6"},
      {"Memos1.Lines=S_Link=A|S_Fail=B|", true, "Memos1", "Lines", "S_Link=A|S_Fail=B|"},
      {"Font.Name.Size=3", true, "Font", "Name.Size", "3"},
      {"Label1.Caption=", true, "Label1", "Caption", ""},
      // Lines that name no property.
      {"just words", false, "", "", ""},
      {"", false, "", "", ""},
      {"Label1.Caption", false, "", "", ""},
      {"=abc", false, "", "", ""},
      {"Label1.=abc", false, "", "", ""},
  };
  for (const Case& c : cases) {
    LanguageLine parsed;
    EXPECT_EQ(ParseLanguageLine(c.line, parsed), c.used) << c.line;
    if (!c.used) continue;
    EXPECT_EQ(parsed.component, c.component) << c.line;
    EXPECT_EQ(parsed.property, c.property) << c.line;
    EXPECT_EQ(parsed.value, c.value) << c.line;
  }
}

TEST(LanguageFileText, ListsTravelAsOneValue) {
  EXPECT_EQ(ListTextToValue("S_Link=A\r\nS_Fail=B\r\n"), "S_Link=A|S_Fail=B|");
  EXPECT_EQ(ListTextToValue(""), "");
  EXPECT_EQ(ValueToListText("S_Link=A|S_Fail=B|"), "S_Link=A\r\nS_Fail=B\r\n");
  EXPECT_EQ(ValueToListText("||"), "\r\n\r\n");
  EXPECT_EQ(ValueToListText("no bar"), "no bar");
}
