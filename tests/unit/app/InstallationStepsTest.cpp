// Where an embedded driver file lands, and the statement that creates the data source's
// database: whatever the name holds, it stays one identifier.
#include <gtest/gtest.h>

#include <string>

#include "app/InstallationSteps.h"

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
  for (const auto& c : cases) EXPECT_EQ(CreateDatabaseStatement(c.name), c.statement) << c.name;
}
