#include <gtest/gtest.h>

#include "TestComponents.h"
#include "framework/Exceptions.h"

namespace {
std::vector<std::string> NamesOf(const std::vector<const TPropInfo*>& props) {
  std::vector<std::string> names;
  for (const TPropInfo* prop : props) names.push_back(prop->Name);
  return names;
}
}  // namespace

TEST(Rtti, InheritedPropertiesComeFirstInDeclarationOrder) {
  TTestPanel panel(nullptr);
  EXPECT_EQ(
      NamesOf(GetPropList(panel)),
      (std::vector<std::string>{"Name", "Tag", "Caption", "Left", "Visible", "Align", "Anchors",
                                "PasswordChar", "Ratio", "Lines", "Font", "OnClick"}));
  ASSERT_EQ(panel.ClassInfo()->BinaryProperties().size(), 1u);
  EXPECT_EQ(panel.ClassInfo()->BinaryProperties()[0]->Name, "Data");
  EXPECT_NE(panel.ClassInfo()->FindBinaryProperty("DATA"), nullptr);
}

TEST(Rtti, LookupIgnoresCaseAndGivesKindsAndTypeNames) {
  TTestItem item(nullptr);
  struct Expected {
    const char* name;
    TTypeKind kind;
    const char* typeName;
  };
  for (const Expected& e :
       {Expected{"caption", tkLString, "TCaption"}, Expected{"LEFT", tkInteger, "Integer"},
        Expected{"Visible", tkEnumeration, "Boolean"}, Expected{"align", tkEnumeration, "TAlign"},
        Expected{"Anchors", tkSet, "TAnchors"}, Expected{"PasswordChar", tkChar, "Char"},
        Expected{"Ratio", tkFloat, "Double"}, Expected{"Lines", tkClass, "TStringList"},
        Expected{"Font", tkClass, "TFont"}, Expected{"OnClick", tkMethod, "TNotifyEvent"}}) {
    const TPropInfo* prop = GetPropInfo(item, e.name);
    ASSERT_NE(prop, nullptr) << e.name;
    EXPECT_EQ(prop->Kind, e.kind) << e.name;
    EXPECT_EQ(prop->TypeName, e.typeName) << e.name;
  }
  EXPECT_EQ(GetPropInfo(item, "Hint"), nullptr);
  EXPECT_EQ(GetPropInfo(item, "Data"), nullptr);  // the byte block is no published property
}

TEST(Rtti, AccessorsReadAndWriteThroughTheClass) {
  TTestItem item(nullptr);
  GetPropInfo(item, "Caption")->SetStr(item, "\xa6\x77\xb8\xcb");  // 安裝
  EXPECT_EQ(item.caption, "\xa6\x77\xb8\xcb");
  EXPECT_EQ(item.events, (std::vector<std::string>{"Caption"}));  // through the setter
  GetPropInfo(item, "Left")->SetOrd(item, -7);
  EXPECT_EQ(GetPropInfo(item, "Left")->GetOrd(item), -7);
  GetPropInfo(item, "Ratio")->SetFloat(item, 2.5);
  EXPECT_EQ(item.ratio, 2.5);

  TStringList given;
  given.SetText("a\r\nb");
  const TPropInfo* lines = GetPropInfo(item, "Lines");
  lines->SetStrings(item, given);
  EXPECT_EQ(item.lines.Text(), "a\r\nb\r\n");
  EXPECT_EQ(lines->GetSubObject(item), &item.lines);
  TPersistent* font = GetPropInfo(item, "Font")->GetSubObject(item);
  GetPropInfo(*font, "charset")->SetOrd(*font, 136);
  EXPECT_EQ(item.font.charset, 136);
}

TEST(Rtti, EnumerationsByIdentifier) {
  TTestItem item(nullptr);
  const TPropInfo* visible = GetPropInfo(item, "Visible");
  const TPropInfo* align = GetPropInfo(item, "Align");
  SetEnumProp(item, *visible, "false");
  EXPECT_FALSE(item.visible);
  SetEnumProp(item, *align, "alClient");
  EXPECT_EQ(item.align, TTestAlign::alClient);
  EXPECT_EQ(GetEnumName(*align, 1), "alTop");
  EXPECT_EQ(GetEnumName(*align, 4), "");
  EXPECT_EQ(GetEnumValue(*visible, "True"), 1);
  try {
    SetEnumProp(item, *visible, "no");
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Invalid property element: no");
  }
  EXPECT_FALSE(item.visible);
}

TEST(Rtti, StoredRules) {
  TTestItem item(nullptr);
  auto stored = [&item](const char* name) { return IsStoredProp(item, *GetPropInfo(item, name)); };
  // Fresh: only properties without a default (Left) and the sub-object are stored.
  EXPECT_FALSE(stored("Name"));
  EXPECT_FALSE(stored("Caption"));
  EXPECT_TRUE(stored("Left"));
  EXPECT_FALSE(stored("Visible"));
  EXPECT_FALSE(stored("Anchors"));
  EXPECT_FALSE(stored("Ratio"));
  EXPECT_FALSE(stored("Lines"));
  EXPECT_FALSE(stored("OnClick"));
  EXPECT_TRUE(stored("Font"));
  item.SetName("Label1");
  item.caption = "x";
  item.visible = false;
  item.anchors = 0b0101;
  item.ratio = 0.5;
  item.lines.Add("");
  item.onClick = "Label1Click";
  for (const char* name : {"Caption", "Visible", "Anchors", "Ratio", "Lines", "OnClick"}) {
    EXPECT_TRUE(stored(name)) << name;
  }
  EXPECT_FALSE(stored("Name"));
  EXPECT_FALSE(IsStoredProp(item.font, *GetPropInfo(item.font, "Name")));
}
