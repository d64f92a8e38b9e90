// TBinStream's import on Windows: FileDate from the file's last-write time in local time (the
// tests run with TZ=Asia/Taipei), and the import's open denying other writers.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "components/BinStream.h"
#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "framework/win32/FileHandle.h"

namespace {

std::string TempFile(const std::string& name, const std::string& content) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + name;
  WriteFileBytes(path, reinterpret_cast<const uint8_t*>(content.data()), content.size());
  return path;
}

void SetLocalLastWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour,
                           WORD minute, WORD second) {
  SYSTEMTIME local{};
  local.wYear = year;
  local.wMonth = month;
  local.wDay = day;
  local.wHour = hour;
  local.wMinute = minute;
  local.wSecond = second;
  FILETIME localFile, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&local, &localFile));
  ASSERT_TRUE(LocalFileTimeToFileTime(&localFile, &utc));
  FileHandle file = FileHandle::OpenExclusive(path);
  ASSERT_TRUE(file.IsOpen());
  ASSERT_TRUE(file.SetLastWriteTime(utc));
}

}  // namespace

TEST(BinStreamWin32, FileDateIsTheLocalTimeWithEvenSeconds) {
  const std::string path = TempFile("lintora-binstream-date.dll", "MZ stand-in");
  TComponent owner(nullptr);
  TBinStream bin(&owner);
  SetLocalLastWriteTime(path, 2014, 6, 19, 0, 54, 23);
  bin.SetFileName(path);
  EXPECT_EQ(bin.FileDate(), "2014/06/19 00:54:22 ");
  EXPECT_EQ(bin.Size(), 11);

  SetLocalLastWriteTime(path, 2000, 10, 23, 11, 7, 26);
  bin.SetFileName("");
  bin.SetFileName(path);
  EXPECT_EQ(bin.FileDate(), "2000/10/23 11:07:26 ");
  DeleteFileA(path.c_str());
}

TEST(BinStreamWin32, FileOpenForWritingElsewhereCannotBeImported) {
  const std::string path = TempFile("lintora-binstream-busy.dll", "busy");
  TComponent owner(nullptr);
  TBinStream bin(&owner);
  {
    const FileHandle writer =
        FileHandle::Open(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    ASSERT_TRUE(writer.IsOpen());
    try {
      bin.SetFileName(path);
      ADD_FAILURE() << "imported a file another handle writes";
    } catch (const EFileError& error) {
      EXPECT_EQ(error.Message(), "Cannot open file " + path);
    }
    EXPECT_EQ(bin.Size(), 0);
    EXPECT_EQ(bin.FileDate(), "");
  }
  bin.SetFileName("");
  bin.SetFileName(path);  // free again
  EXPECT_EQ(bin.Size(), 4);
  DeleteFileA(path.c_str());
}
