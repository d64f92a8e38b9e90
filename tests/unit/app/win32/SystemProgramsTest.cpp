// The system directory as the driver files and the ODBC administrator need it, and the stored
// form lookup.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win32/FormResource.h"
#include "app/win32/SystemPrograms.h"
#include "framework/Exceptions.h"

TEST(SysDir, EndsInExactlyOneBackslash) {
  const std::string dir = SysDir();
  ASSERT_GE(dir.size(), 4u);
  EXPECT_EQ(dir.back(), '\\');
  EXPECT_NE(dir[dir.size() - 2], '\\');
  const DWORD attributes = GetFileAttributesA(dir.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_NE(GetFileAttributesA((dir + "kernel32.dll").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FormResource, StoredDialogIsEmbeddedAndAMissingOneFails) {
  const ProgramResource stored = ReadFormResource("LINTORAFORM");
  ASSERT_GT(stored.Size(), 4u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.Data()), 4), "LFM1");
  EXPECT_THROW(ReadFormResource("NOSUCHFORM"), EReadError);
}
