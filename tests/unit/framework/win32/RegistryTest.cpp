// The registry object against the real registry of the test prefix. Each test works below its
// own key Software\LintoraTest\<test name>, which is removed before and after it.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it relies on
#include <sddl.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/win32/RegKey.h"
#include "framework/win32/Registry.h"
#include "tests/lib/win32/RawRegistry.h"
#include "tests/unit/framework/win32/RaisedMessage.h"

namespace {

const char kBig5Name[] = "\xb3\x5c";  // 許, its trail byte is a backslash

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    subPath_ = std::string("Software\\LintoraTest\\") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    RegDeleteTreeA(HKEY_CURRENT_USER, subPath_.c_str());
  }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, subPath_.c_str()); }

  std::string Path() const { return "\\" + subPath_; }
  std::string SubPath(const std::string& child) const { return subPath_ + "\\" + child; }

  static void RawSetValue(const std::string& subPath, const std::string& name, DWORD type,
                          const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, subPath.c_str(), name.c_str(), type, data, size),
              ERROR_SUCCESS);
  }

  // Lets everyone read the key but nothing else, as a machine-wide key looks to a user without
  // administrator rights; with restrict false the key's owner gives everyone full access again.
  static void RestrictToReading(const std::string& subPath, bool restrict) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
        restrict ? "D:P(A;;KR;;;WD)" : "D:P(A;;KA;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, subPath.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
    RegCloseKey(key);
    LocalFree(descriptor);
  }

  std::string subPath_;
};

TEST_F(RegistryTest, StringsRoundTripWithoutRegardToNameCase) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path(), true));
  registry.WriteString("Server", "\xa6\x77\xb8\xcb");  // 安裝
  registry.WriteString("Password", "");
  EXPECT_EQ(registry.ReadString("SERVER"), "\xa6\x77\xb8\xcb");
  EXPECT_TRUE(registry.ValueExists("Password"));
  EXPECT_EQ(registry.ReadString("Password"), "");
  EXPECT_FALSE(registry.ValueExists("Port"));
  EXPECT_EQ(registry.ReadString("Port"), "");

  registry.WriteString("Server", "db2");
  EXPECT_EQ(registry.ReadString("Server"), "db2");
  EXPECT_TRUE(RawValueExists(HKEY_CURRENT_USER, subPath_, "Server"));
}

TEST_F(RegistryTest, RelativePathsStartAtTheCurrentKeyAbsoluteOnesAtTheRoot) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path(), true));
  ASSERT_TRUE(registry.OpenKey("Child", true));
  registry.WriteString("Where", "child");
  EXPECT_TRUE(RawValueExists(HKEY_CURRENT_USER, SubPath("Child"), "Where"));

  ASSERT_TRUE(registry.OpenKey(Path(), false));
  EXPECT_FALSE(registry.ValueExists("Where"));
  EXPECT_TRUE(registry.KeyExists("Child"));
  EXPECT_TRUE(registry.KeyExists(Path() + "\\Child"));
  EXPECT_FALSE(registry.KeyExists("Missing"));

  registry.CloseKey();
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_TRUE(registry.KeyExists(subPath_));  // relative to the root when no key is open
}

TEST_F(RegistryTest, KeyNameWithBackslashTrailByteIsOneKey) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path() + "\\" + kBig5Name, true));
  registry.WriteString("Driver", "x");
  EXPECT_TRUE(RawValueExists(HKEY_CURRENT_USER, SubPath(kBig5Name), "Driver"));
  ASSERT_TRUE(registry.OpenKey(Path(), false));
  EXPECT_TRUE(registry.KeyExists(kBig5Name));
}

TEST_F(RegistryTest, ExpandableStringIsReadAsStored) {
  const char data[] = "%SystemRoot%\\odbc.ini";
  RawSetValue(subPath_, "Path", REG_EXPAND_SZ, data, sizeof data);
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path(), false));
  EXPECT_EQ(registry.ReadString("Path"), data);
}

TEST_F(RegistryTest, ValueThatIsNoStringRaisesInvalidDataType) {
  const DWORD port = 3306;
  RawSetValue(subPath_, "Port", REG_DWORD, &port, sizeof port);
  RawSetValue(subPath_, "Empty", REG_BINARY, nullptr, 0);
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path(), false));
  EXPECT_EQ(RaisedMessage<ERegistryException>([&] { registry.ReadString("Port"); }),
            "Invalid data type for 'Port'");
  EXPECT_EQ(RaisedMessage<ERegistryException>([&] { registry.ReadString("Empty"); }),
            "Invalid data type for 'Empty'");
}

TEST_F(RegistryTest, StringWithoutTerminatorIsReadWhole) {
  RawSetValue(subPath_, "Bare", REG_SZ, "abc", 3);
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path(), false));
  EXPECT_EQ(registry.ReadString("Bare"), "abc");
}

TEST_F(RegistryTest, WriteWithNoOpenKeyFailsAndWritesNothingAtTheRoot) {
  TRegistry registry;
  EXPECT_EQ(RaisedMessage<ERegistryException>([&] { registry.WriteString("LintoraStray", "x"); }),
            "Failed to set data for 'LintoraStray'");
  EXPECT_FALSE(RawValueExists(HKEY_CURRENT_USER, "", "LintoraStray"));
}

TEST_F(RegistryTest, FailedOpenLeavesNoKeyToWriteInto) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path(), true));
  EXPECT_FALSE(registry.OpenKey(Path() + "\\Missing", false));
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_EQ(RaisedMessage<ERegistryException>([&] { registry.WriteString("Stray", "x"); }),
            "Failed to set data for 'Stray'");
  EXPECT_FALSE(RawValueExists(HKEY_CURRENT_USER, subPath_, "Stray"));
  EXPECT_FALSE(RawValueExists(HKEY_CURRENT_USER, "", "Stray"));
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, SubPath("Missing")));
}

TEST_F(RegistryTest, KeyReadableOnlyCountsAsAbsentAndTakesNoWrites) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path() + "\\Locked", true));
  registry.WriteString("Driver", "old");
  registry.CloseKey();
  RestrictToReading(SubPath("Locked"), true);

  EXPECT_FALSE(registry.KeyExists(Path() + "\\Locked"));
  EXPECT_FALSE(registry.OpenKey(Path() + "\\Locked", true));
  EXPECT_EQ(RaisedMessage<ERegistryException>([&] { registry.WriteString("Driver", "new"); }),
            "Failed to set data for 'Driver'");
  EXPECT_FALSE(registry.DeleteKey(Path() + "\\Locked"));

  const RegKey readOnly = RegKey::Open(HKEY_CURRENT_USER, SubPath("Locked"), KEY_READ);
  ASSERT_TRUE(readOnly.IsOpen());
  char data[16] = {};
  DWORD size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(readOnly.Get(), "Driver", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(data, "old");
  EXPECT_FALSE(RawValueExists(HKEY_CURRENT_USER, subPath_, "Driver"));
  EXPECT_FALSE(RawValueExists(HKEY_CURRENT_USER, "", "Driver"));
  RestrictToReading(SubPath("Locked"), false);
}

TEST_F(RegistryTest, WriteIntoKeyDeletedMeanwhileFailsAndWritesNowhere) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path() + "\\Record", true));
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, SubPath("Record").c_str()), ERROR_SUCCESS);
  EXPECT_EQ(RaisedMessage<ERegistryException>([&] { registry.WriteString("Server", "db"); }),
            "Failed to set data for 'Server'");
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, SubPath("Record")));
  EXPECT_FALSE(RawValueExists(HKEY_CURRENT_USER, subPath_, "Server"));
  EXPECT_FALSE(RawValueExists(HKEY_CURRENT_USER, "", "Server"));
}

TEST_F(RegistryTest, DeleteKeyRemovesEveryNestedSubkey) {
  TRegistry registry;
  for (const char* path : {"\\A\\B\\C", "\\A\\B\\D", "\\A\\E"}) {
    ASSERT_TRUE(registry.OpenKey(Path() + path, true));
    registry.WriteString("Value", path);
  }
  ASSERT_TRUE(registry.OpenKey(Path() + "\\A\\" + kBig5Name + "\\F", true));
  ASSERT_TRUE(registry.OpenKey(Path() + "\\Kept", true));

  ASSERT_TRUE(registry.OpenKey(Path(), false));
  EXPECT_TRUE(registry.DeleteKey("A"));
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, SubPath("A")));
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, SubPath("Kept")));
  EXPECT_FALSE(registry.DeleteKey("A"));

  EXPECT_TRUE(registry.DeleteKey(Path() + "\\Kept"));
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, SubPath("Kept")));
}

TEST_F(RegistryTest, DeleteKeyNeverDeletesTheRootOrTheCurrentKey) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path(), true));
  EXPECT_FALSE(registry.DeleteKey(""));
  EXPECT_FALSE(registry.DeleteKey("\\"));
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, subPath_));
  EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, "Software"));
}

TEST_F(RegistryTest, ValueNamesAreListedAndDeleted) {
  const std::string longName(300, 'n');
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(Path(), true));
  registry.WriteString("Value1", "a");
  registry.WriteString(kBig5Name, "b");
  registry.WriteString(longName, "c");

  TStringList names;
  names.Add("left over");
  registry.GetValueNames(names);
  ASSERT_EQ(names.Count(), 3);
  EXPECT_NE(names.IndexOf("Value1"), -1);
  EXPECT_NE(names.IndexOf(kBig5Name), -1);
  EXPECT_NE(names.IndexOf(longName), -1);

  EXPECT_TRUE(registry.DeleteValue("VALUE1"));
  EXPECT_FALSE(registry.DeleteValue("Value1"));
  registry.GetValueNames(names);
  EXPECT_EQ(names.Count(), 2);
}

TEST_F(RegistryTest, MachineRootKeepsItsRecordsApart) {
  TRegistry registry(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKey(Path(), true));
  registry.WriteString("Scope", "machine");
  EXPECT_TRUE(RawValueExists(HKEY_LOCAL_MACHINE, subPath_, "Scope"));
  EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, subPath_));

  registry.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_FALSE(registry.KeyExists(Path()));
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(registry.DeleteKey(Path()));
  EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, subPath_));
}

}  // namespace
