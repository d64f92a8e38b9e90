// Proves that the tests really run against Wine's registry and profile-file calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

TEST(WineHarness, RegistryValueRoundTrip) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\LintoraHarnessTest", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const char data[] = "\xa6\x77\xb8\xcb";  // 安裝 in Big5
  ASSERT_EQ(
      RegSetValueExA(key, "Value1", 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof data),
      ERROR_SUCCESS);
  char back[32] = {};
  DWORD size = sizeof back, type = 0;
  ASSERT_EQ(RegQueryValueExA(key, "VALUE1", nullptr, &type, reinterpret_cast<BYTE*>(back), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(back), data);
  RegCloseKey(key);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LintoraHarnessTest"), ERROR_SUCCESS);
}

TEST(WineHarness, ProfileFileEntryRoundTrip) {
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  const std::string path = std::string(temp) + "lintora-harness.ini";
  DeleteFileA(path.c_str());
  ASSERT_TRUE(WritePrivateProfileStringA("MDB", "DB", "sales", path.c_str()));
  char back[64] = {};
  GetPrivateProfileStringA("mdb", "db", "", back, sizeof back, path.c_str());
  EXPECT_STREQ(back, "sales");
  EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST(WineHarness, ChineseLocaleIsInEffect) {
  const LANGID lang = GetUserDefaultLangID();
  EXPECT_TRUE(lang == 0x0404 || lang == 0x0804) << std::hex << lang;
  EXPECT_TRUE(GetACP() == 950 || GetACP() == 936) << GetACP();
}
