// Published properties by name: the questions the language files ask of a property, and setting
// one from the text a language file gives.
#include <gtest/gtest.h>

#include "TestComponents.h"
#include "framework/Collection.h"
#include "framework/Exceptions.h"
#include "framework/PropertyAccess.h"

TEST(PropertyAccess, KindQuestionsAndTypeNamesIgnoreCase) {
  TTestItem item(nullptr);
  struct Case {
    const char* name;
    bool has;
    bool isString;
    const char* typeName;
  };
  for (const Case& c :
       {Case{"caption", true, true, "TCaption"}, Case{"Name", true, true, "TComponentName"},
        Case{"LEFT", true, false, "Integer"}, Case{"Visible", true, false, "Boolean"},
        Case{"Lines", true, false, "TStringList"}, Case{"PasswordChar", true, false, "Char"},
        Case{"OnClick", true, false, "TNotifyEvent"}, Case{"Hint", false, false, ""},
        Case{"", false, false, ""}}) {
    EXPECT_EQ(HasProperty(item, c.name), c.has) << c.name;
    EXPECT_EQ(IsStringProperty(item, c.name), c.isString) << c.name;
    EXPECT_EQ(GetPropertyTypeName(item, c.name), c.typeName) << c.name;
  }
}

TEST(PropertyAccess, TextsListsAndSubObjectsByName) {
  TTestItem item(nullptr);
  EXPECT_TRUE(SetStrProp(item, "CAPTION", "abc"));
  EXPECT_EQ(item.caption, "abc");
  EXPECT_EQ(GetStrProp(item, "Caption"), "abc");
  EXPECT_FALSE(SetStrProp(item, "Left", "1"));  // not a text
  EXPECT_FALSE(SetStrProp(item, "Missing", "1"));
  EXPECT_EQ(GetStrProp(item, "Left"), "");
  EXPECT_EQ(GetStringsProp(item, "lines"), &item.lines);
  EXPECT_EQ(GetStringsProp(item, "Font"), nullptr);  // a sub-object, not a list
  EXPECT_EQ(GetObjectProp(item, "Font"), &item.font);
  EXPECT_EQ(GetObjectProp(item, "Caption"), nullptr);
}

TEST(PropertyAccess, DecimalIntegersOnly) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  };
  for (const Case& c :
       {Case{"0", true, 0}, Case{"42", true, 42}, Case{"-7", true, -7}, Case{"+5", true, 5},
        Case{"2147483647", true, 2147483647}, Case{"-2147483648", true, -2147483647 - 1},
        Case{"2147483648", false, 0}, Case{"99999999999999999999", false, 0}, Case{"", false, 0},
        Case{"-", false, 0}, Case{"abc", false, 0}, Case{" 1", false, 0}, Case{"1 ", false, 0},
        Case{"$10", false, 0}, Case{"1.5", false, 0}}) {
    int value = 123;
    EXPECT_EQ(TryParseDecimal(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(PropertyAccess, SettingFromTextFollowsTheKind) {
  TTestItem item(nullptr);
  auto set = [&item](const char* name, const std::string& text) {
    return SetPropFromText(item, *GetPropInfo(item, name), text);
  };
  EXPECT_TRUE(set("Left", "12"));
  EXPECT_EQ(item.left, 12);
  EXPECT_TRUE(set("Left", "abc"));  // not a number: 0
  EXPECT_EQ(item.left, 0);
  EXPECT_TRUE(set("Ratio", "3"));
  EXPECT_EQ(item.ratio, 3.0);
  EXPECT_TRUE(set("Ratio", "0.5"));  // not a decimal integer either
  EXPECT_EQ(item.ratio, 0.0);
  EXPECT_TRUE(set("Visible", "False"));
  EXPECT_FALSE(item.visible);
  EXPECT_TRUE(set("Align", "ALCLIENT"));
  EXPECT_EQ(item.align, TTestAlign::alClient);
  EXPECT_TRUE(set("PasswordChar", "*x"));
  EXPECT_EQ(item.passwordChar, '*');
  EXPECT_TRUE(set("Caption", "a=b 'c'"));
  EXPECT_EQ(item.caption, "a=b 'c'");
  // Kinds a text does not set.
  EXPECT_FALSE(set("Anchors", "akLeft"));
  EXPECT_EQ(item.anchors, 0b0011u);
  EXPECT_FALSE(set("Lines", "x"));
  EXPECT_FALSE(set("OnClick", "Handler"));
  EXPECT_EQ(item.onClick, "");
}

TEST(PropertyAccess, AnEnumerationValueOfNoIdentifierIsAnError) {
  TTestItem item(nullptr);
  try {
    SetPropFromText(item, *GetPropInfo(item, "Visible"), "no");
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Invalid property element: no");
  }
  EXPECT_TRUE(item.visible);
}

namespace {
class TTestColumn : public TCollectionItem {
  LINTORA_PUBLISHED(TTestColumn)
 public:
  std::string caption;
  void SetCaption(const std::string& text) {
    caption = text;
    Changed();
  }
};

const TClassInfo& TTestColumn::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTestColumn>("TTestColumn", TCollectionItem::StaticClassInfo())
          .String("Caption", &TTestColumn::caption, &TTestColumn::SetCaption);
  return info;
}
}  // namespace

TEST(Collection, ItemsAreReachedByIndexAndReportTheirChanges) {
  TCollection columns([] { return std::make_unique<TTestColumn>(); });
  std::vector<int> updates;  // index of the changed item, -1 for the whole collection
  columns.OnUpdate = [&updates](TCollectionItem* item) {
    updates.push_back(item ? item->Index() : -1);
  };
  columns.Add();
  TCollectionItem* second = columns.Add();
  ASSERT_EQ(columns.Count(), 2);
  EXPECT_EQ(columns.Items(1), second);
  EXPECT_EQ(second->Collection(), &columns);
  EXPECT_TRUE(SetStrProp(*second, "Caption", "Name"));
  EXPECT_EQ(static_cast<TTestColumn*>(second)->caption, "Name");
  columns.Delete(0);
  EXPECT_EQ(second->Index(), 0);
  EXPECT_THROW(columns.Items(1), Exception);
  EXPECT_THROW(columns.Delete(-1), Exception);
  columns.Clear();
  EXPECT_EQ(columns.Count(), 0);
  EXPECT_EQ(updates, (std::vector<int>{-1, -1, 1, -1, -1}));
}
