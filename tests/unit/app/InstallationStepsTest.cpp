// Where an embedded driver file lands, and the statement that creates the data source's
// database: whatever the name holds, it stays one identifier.
#include <gtest/gtest.h>

#include <string>

#include "app/InstallationSteps.h"
#include "framework/Exceptions.h"

TEST(InstallationSteps, DriverFileIsTheLastComponentOfTheImportedPath) {
  const struct {
    const char* fileName;
    const char* written;
  } cases[] = {
      {"C:\\WINNT\\system32\\Myodbc.dll", "Myodbc.dll"},
      {"D:myodbc5S.dll", "myodbc5S.dll"},
      {"\\\\server\\share:x\\myodbc5a.dll", "myodbc5a.dll"},
      {"Myodbcd.dll", "Myodbcd.dll"},
      {"/home/build/drivers/Myodbc.dll", "/home/build/drivers/Myodbc.dll"},  // "/" is no separator
      {"C:\\drivers\\", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DriverFileName(c.fileName), c.written) << c.fileName;
}

// What the stored form's name leaves after its last "\\" or ":" must stay inside the system
// directory, or nothing is written.
TEST(InstallationSteps, OnlyAPlainDriverFileNameIsWritten) {
  for (const char* plain : {"Myodbc.dll", "myodbc5S.dll", "a..dll", "..x"}) {
    EXPECT_TRUE(IsPlainFileName(plain)) << plain;
  }
  for (const char* stored : {"C:/../x.dll", "C:\\drivers\\", "C:\\drivers\\..", "D:.",
                             "/home/build/x.dll", "C:\\a\tb.dll", "C:\\a\x7f.dll"}) {
    EXPECT_FALSE(IsPlainFileName(DriverFileName(stored))) << stored;
  }
  EXPECT_NE(NotAPlainFileNameMessage("/../x.dll").find("'/../x.dll'"), std::string::npos);
}

TEST(InstallationSteps, CreateDatabaseQuotesTheNameAsOneIdentifier) {
  const struct {
    std::string name;
    std::string statement;
  } cases[] = {
      {"demo", "CREATE DATABASE IF NOT EXISTS `demo`"},
      {"my data", "CREATE DATABASE IF NOT EXISTS `my data`"},
      {"a`b", "CREATE DATABASE IF NOT EXISTS `a``b`"},
      {"x` CHARACTER SET `latin1", "CREATE DATABASE IF NOT EXISTS `x`` CHARACTER SET ``latin1`"},
      {"``", "CREATE DATABASE IF NOT EXISTS ``````"},
      {"", "CREATE DATABASE IF NOT EXISTS ``"},
      {"\xb8\xea\xae\xc6", "CREATE DATABASE IF NOT EXISTS `\xb8\xea\xae\xc6`"},  // 資料
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CreateDatabaseStatement(c.name, ""), c.statement) << c.name;
    EXPECT_EQ(CreateDatabaseStatement(c.name, "big5"), c.statement) << c.name;
  }
  // In big5 and gbk A4 60 is one character: its second byte is no backquote of its own.
  EXPECT_EQ(CreateDatabaseStatement("\xa4` #", "BIG5"), "CREATE DATABASE IF NOT EXISTS `\xa4` #`");
  EXPECT_EQ(CreateDatabaseStatement("\xa4` #", "latin1"),
            "CREATE DATABASE IF NOT EXISTS `\xa4`` #`");
  EXPECT_EQ(CreateDatabaseStatement("\x81``", "gbk"), "CREATE DATABASE IF NOT EXISTS `\x81````");
  EXPECT_THROW(CreateDatabaseStatement("db\xa4", "big5"), EDatabaseError);
}
