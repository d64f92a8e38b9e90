// The data source name rule: what registration refuses, and the narrower rule for names that
// already exist (deleting them, opening them through the engine).
#include <gtest/gtest.h>

#include <string>

#include "dbengine/DataSourceName.h"

namespace {
using Fault = DataSourceNameFault;
}  // namespace

TEST(DataSourceName, OrdinaryNamesPassBothRules) {
  for (const std::string& name :
       {std::string("sales"), std::string("MySQL-5.3 test_db"), std::string("a"),
        std::string(32, 'x'), std::string("\xbe\x50\xb0\xe2") /* 銷售 */}) {
    EXPECT_EQ(CheckNewDataSourceName(name), Fault::None) << name;
    EXPECT_EQ(CheckExistingDataSourceName(name), Fault::None) << name;
  }
}

TEST(DataSourceName, RegistrationRefusesEachForbiddenCharacter) {
  for (const char c : std::string("[]{}(),;?*=!@\\")) {
    const std::string name = std::string("db") + c + "1";
    EXPECT_EQ(CheckNewDataSourceName(name), Fault::ForbiddenCharacter) << name;
  }
  EXPECT_EQ(CheckNewDataSourceName(std::string("db\0x", 4)), Fault::ForbiddenCharacter);
}

TEST(DataSourceName, RegistrationRefusesEmptyLongAndReservedNames) {
  EXPECT_EQ(CheckNewDataSourceName(""), Fault::Empty);
  EXPECT_EQ(CheckNewDataSourceName(std::string(33, 'x')), Fault::TooLong);
  EXPECT_EQ(CheckNewDataSourceName("ODBC Data Sources"), Fault::ReservedName);
  EXPECT_EQ(CheckNewDataSourceName("odbc data SOURCES"), Fault::ReservedName);
  EXPECT_EQ(CheckNewDataSourceName("ODBC File DSN"), Fault::ReservedName);
  EXPECT_EQ(CheckNewDataSourceName("ODBC Data Sources2"), Fault::None);
  // A forbidden character is named before the length.
  EXPECT_EQ(CheckNewDataSourceName(std::string(40, 'x') + "@"), Fault::ForbiddenCharacter);
}

TEST(DataSourceName, DoubleByteCharactersCountOnceAndHideNoDelimiter) {
  // 許 is B3 5C and 功 is A5 5C: their second byte is no backslash.
  const std::string xu = "\xb3\x5c", gong = "\xa5\x5c";
  EXPECT_EQ(CheckNewDataSourceName(xu + gong), Fault::None);
  EXPECT_EQ(CheckExistingDataSourceName(xu + gong), Fault::None);
  std::string thirtyTwo;
  for (int i = 0; i < 32; ++i) thirtyTwo += xu;
  EXPECT_EQ(CheckNewDataSourceName(thirtyTwo), Fault::None);
  EXPECT_EQ(CheckNewDataSourceName(thirtyTwo + "x"), Fault::TooLong);
  // A lead byte at the very end has no second byte: the byte after it is not skipped.
  EXPECT_EQ(CheckNewDataSourceName("db\xb3"), Fault::None);
  EXPECT_EQ(CheckNewDataSourceName("\xb3\\"
                                   "\\"),
            Fault::ForbiddenCharacter);
}

TEST(DataSourceName, ExistingNamesAreRefusedOnlyWhereTheyReachAnotherKey) {
  EXPECT_EQ(CheckExistingDataSourceName(""), Fault::Empty);
  EXPECT_EQ(CheckExistingDataSourceName("..\\ODBC.INI"), Fault::ForbiddenCharacter);
  EXPECT_EQ(CheckExistingDataSourceName(std::string("db\0x", 4)), Fault::ForbiddenCharacter);
  EXPECT_EQ(CheckExistingDataSourceName("ODBC DATA SOURCES"), Fault::ReservedName);
  EXPECT_EQ(CheckExistingDataSourceName("odbc file dsn"), Fault::ReservedName);
  // Made by another tool: registration would refuse these, but they can be read and deleted.
  for (const std::string& name :
       {std::string("sales@hq"), std::string("a;b"), std::string(40, 'x')}) {
    EXPECT_NE(CheckNewDataSourceName(name), Fault::None) << name;
    EXPECT_EQ(CheckExistingDataSourceName(name), Fault::None) << name;
  }
}
