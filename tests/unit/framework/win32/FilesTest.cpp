// Files, folders, path names and the system's folders, against the test prefix's file system.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/win32/FileHandle.h"
#include "framework/win32/FileNames.h"
#include "framework/win32/SystemPaths.h"

namespace {

// 許 in Big5 (and GBK): its trail byte is 0x5C, the backslash.
const std::string kTrailBackslash = "\xb3\x5c";

std::string TempFolder() {
  char temp[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  return std::string(temp, length);
}

std::string TestPath(const std::string& suffix) {
  return TempFolder() + "lintora-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + suffix;
}

TEST(FileNames, DoubleByteTrailBackslashIsNoDelimiter) {
  const std::string folder = "C:\\" + kTrailBackslash;
  EXPECT_EQ(IncludeTrailingBackslash(folder), folder + "\\");
  EXPECT_EQ(IncludeTrailingBackslash(folder + "\\"), folder + "\\");
  EXPECT_EQ(ExcludeTrailingBackslash(folder + "\\\\"), folder);
  EXPECT_EQ(ExtractFilePath(folder + "\\setup.exe"), folder + "\\");
  EXPECT_EQ(ExtractFileName("C:\\a\\" + kTrailBackslash), kTrailBackslash);
  EXPECT_EQ(ExtractFileName("C:setup.exe"), "setup.exe");
}

TEST(FileNames, ChangeFileExtReplacesOnlyTheLastComponentsExtension) {
  EXPECT_EQ(ChangeFileExt("C:\\Tools\\setup.exe", ".Ini"), "C:\\Tools\\setup.Ini");
  EXPECT_EQ(ChangeFileExt("C:\\v1.2\\setup", ".Ini"), "C:\\v1.2\\setup.Ini");
  EXPECT_EQ(ChangeFileExt("C:\\Tools\\a.b.exe", ""), "C:\\Tools\\a.b");
}

TEST(SystemPaths, FoldersEndWithExactlyOneBackslash) {
  char expected[MAX_PATH];
  const UINT length = GetSystemDirectoryA(expected, MAX_PATH);
  EXPECT_EQ(SystemDirectory(), std::string(expected, length) + "\\");
  EXPECT_TRUE(DirectoryExists(SystemDirectory()));
  const std::string windows = WindowsDirectory();
  ASSERT_GE(windows.size(), 2u);
  EXPECT_EQ(windows.back(), '\\');
  EXPECT_NE(windows[windows.size() - 2], '\\');
  EXPECT_TRUE(FileExists(windows + "win.ini"));
}

TEST(SystemPaths, ProgramFilePathNamesThisProgram) {
  const std::string path = ProgramFilePath();
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ExtractFileName(path), "unit_framework_win32.exe");
}

TEST(SystemPaths, ForceDirectoriesCreatesEveryMissingLevel) {
  const std::string top = TestPath("");
  const std::string deepest = top + "\\" + kTrailBackslash + "\\b\\c\\";
  EXPECT_TRUE(ForceDirectories(deepest));
  EXPECT_TRUE(DirectoryExists(deepest));
  EXPECT_TRUE(DirectoryExists(top + "\\" + kTrailBackslash));
  EXPECT_TRUE(ForceDirectories(deepest));  // already there

  const std::string blocked = top + "\\file";
  ASSERT_TRUE(FileHandle::CreateForWriting(blocked).IsOpen());
  EXPECT_FALSE(ForceDirectories(blocked + "\\below"));
  EXPECT_FALSE(DirectoryExists(blocked + "\\below"));

  EXPECT_TRUE(RemoveFile(blocked));
  for (const std::string& folder : {deepest, top + "\\" + kTrailBackslash + "\\b\\",
                                    top + "\\" + kTrailBackslash + "\\", top}) {
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str())) << folder;
  }
}

TEST(FileHandle, WritesReplaceAndReadBack) {
  const std::string path = TestPath(".bin");
  const std::string first = "first content", second = "2nd";
  {
    FileHandle file = FileHandle::CreateForWriting(path);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.Write(first.data(), first.size()));
  }
  {
    FileHandle file = FileHandle::CreateForWriting(path);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.Write(second.data(), second.size()));
  }
  FileHandle file = FileHandle::OpenForReading(path);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Size(), static_cast<int64_t>(second.size()));
  char buffer[32];
  size_t read = 0;
  ASSERT_TRUE(file.Read(buffer, sizeof buffer, read));
  EXPECT_EQ(std::string(buffer, read), second);

  // A reader denies writers; an exclusive opener is denied while it reads.
  EXPECT_FALSE(FileHandle::CreateForWriting(path).IsOpen());
  EXPECT_FALSE(FileHandle::OpenExclusive(path).IsOpen());
  file.Close();
  EXPECT_TRUE(RemoveFile(path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(FileHandle::OpenForReading(path).IsOpen());
}

TEST(FileHandle, LastWriteTimeFromLocalDosDateTime) {
  const std::string path = TestPath(".bin");
  ASSERT_TRUE(FileHandle::CreateForWriting(path).IsOpen());
  // 2000/10/23 11:07:26 local time; the tests run in Asia/Taipei, eight hours ahead of UTC.
  const DWORD dosDate = ((2000 - 1980) << 9) | (10 << 5) | 23;
  const DWORD dosTime = (11 << 11) | (7 << 5) | (26 / 2);
  FILETIME stamp;
  ASSERT_TRUE(LocalDosDateTimeToFileTime((dosDate << 16) | dosTime, stamp));
  {
    FileHandle file = FileHandle::OpenExclusive(path);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.SetLastWriteTime(stamp));
  }

  FileHandle file = FileHandle::OpenForReading(path);
  FILETIME written;
  ASSERT_TRUE(file.LastWriteTime(written));
  SYSTEMTIME utc;
  ASSERT_TRUE(FileTimeToSystemTime(&written, &utc));
  EXPECT_EQ(utc.wYear, 2000);
  EXPECT_EQ(utc.wMonth, 10);
  EXPECT_EQ(utc.wDay, 23);
  EXPECT_EQ(utc.wHour, 3);
  EXPECT_EQ(utc.wMinute, 7);
  EXPECT_EQ(utc.wSecond, 26);
  file.Close();
  EXPECT_TRUE(RemoveFile(path));
}

}  // namespace
