// The settings key, the host list and the user data folder, against the real registry and file
// system of the test's Wine prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win32/SettingsStore.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/win32/Registry.h"

namespace {
const std::string TestList = "LintoraTestNames";

class NameList : public ::testing::Test {
 protected:
  void SetUp() override { TRegistry().DeleteKey(KeyPath()); }
  void TearDown() override { TRegistry().DeleteKey(KeyPath()); }

  static std::string KeyPath() { return NameListKeyPath + TestList; }
  static void Store(int position, const std::string& text) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(KeyPath(), true));
    registry.WriteString("Value" + std::to_string(position), text);
  }
  static std::string Stored(int position) {
    TRegistry registry;
    if (!registry.OpenKey(KeyPath(), false)) return "<no key>";
    const std::string name = "Value" + std::to_string(position);
    return registry.ValueExists(name) ? registry.ReadString(name) : "<absent>";
  }
};

TStringList ListOf(std::initializer_list<const char*> lines) {
  TStringList list;
  for (const char* line : lines) list.Add(line);
  return list;
}
}  // namespace

TEST_F(NameList, MissingKeyIsCreatedEmptyAndLeavesItems) {
  TStringList items = ListOf({"kept"});
  LoadNameList(TestList, items);
  EXPECT_EQ(items.Count(), 1);
  TRegistry registry;
  EXPECT_TRUE(registry.KeyExists(KeyPath()));
  ASSERT_TRUE(registry.OpenKey(KeyPath(), false));
  TStringList names;
  registry.GetValueNames(names);
  EXPECT_EQ(names.Count(), 0);
}

TEST_F(NameList, GapsAreSkippedAndOnlyValue1ClearsTheItems) {
  Store(1, "alpha");
  Store(2, "beta");
  Store(4, "delta");
  TStringList items = ListOf({"old"});
  LoadNameList(TestList, items);
  EXPECT_EQ(items.Lines(), (std::vector<std::string>{"alpha", "beta", "delta"}));

  TRegistry().DeleteKey(KeyPath());
  Store(2, "beta");
  Store(3, "gamma");
  items = ListOf({"old"});
  LoadNameList(TestList, items);
  EXPECT_EQ(items.Lines(), (std::vector<std::string>{"old", "beta", "gamma"}));
}

TEST_F(NameList, LongListIsSavedWholeButReadBackToSixty) {
  TStringList items;
  for (int i = 1; i <= 65; ++i) items.Add("host" + std::to_string(i));
  SaveNameList(TestList, items);
  EXPECT_EQ(Stored(1), "host1");
  EXPECT_EQ(Stored(65), "host65");
  EXPECT_EQ(Stored(66), "<absent>");

  TStringList loaded;
  LoadNameList(TestList, loaded);
  ASSERT_EQ(loaded.Count(), 60);
  EXPECT_EQ(loaded[59], "host60");
}

TEST_F(NameList, ShorterSaveLeavesHigherValuesInPlace) {
  SaveNameList(TestList, ListOf({"a1", "a2", "a3", "a4", "a5"}));
  SaveNameList(TestList, ListOf({"b1", "b2", "b3"}));
  EXPECT_EQ(Stored(3), "b3");
  EXPECT_EQ(Stored(4), "a4");
  EXPECT_EQ(Stored(5), "a5");
  TStringList loaded;
  LoadNameList(TestList, loaded);
  EXPECT_EQ(loaded.Lines(), (std::vector<std::string>{"b1", "b2", "b3", "a4", "a5"}));
}

TEST(ReadSetting, StoredValueWinsEvenWhenEmpty) {
  const std::string path = "\\Software\\LintoraReadSettingTest";
  TRegistry registry;
  registry.DeleteKey(path);
  ASSERT_TRUE(registry.OpenKey(path, true));
  registry.WriteString("User", "");
  registry.WriteString("Port", "3307");
  EXPECT_EQ(ReadSetting(registry, "User", "root"), "");
  EXPECT_EQ(ReadSetting(registry, "port", "3306"), "3307");  // names ignore case
  EXPECT_EQ(ReadSetting(registry, "Option", "27"), "27");

  const DWORD number = 5;
  ASSERT_EQ(RegSetValueExA(registry.CurrentKey(), "DBTYPE", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&number), sizeof number),
            ERROR_SUCCESS);
  try {
    ReadSetting(registry, "DBTYPE", "MySQL");
    FAIL() << "a number read as a setting must fail";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), "Invalid data type for 'DBTYPE'");
  }
  registry.CloseKey();
  registry.DeleteKey(path);
}

TEST(UserDataFolder, IsCreatedUnderApplicationData) {
  const std::string folder = GetUserDataFolder();
  ASSERT_GT(folder.size(), 9u);
  EXPECT_EQ(folder.substr(folder.size() - 9), "\\Lintora\\");
  EXPECT_EQ(folder[1], ':');
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetUserDataFolder(), folder);  // an existing folder is no failure
}

TEST(SettingsFile, IsTheProgramPathWithIniExtension) {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string program = module;
  const std::string expected = program.substr(0, program.rfind('.')) + ".Ini";
  EXPECT_EQ(SettingsFilePath(), expected);
}
