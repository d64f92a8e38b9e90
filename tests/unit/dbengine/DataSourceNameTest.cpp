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

TEST(DataSourceName, ControlCharactersAndThe32BitListAreRefusedByBothRules) {
  for (const char c : std::string("\x01\t\n\r\x1b\x1f\x7f")) {
    const std::string name = std::string("a") + c + "b";
    EXPECT_EQ(CheckNewDataSourceName(name), Fault::ControlCharacter) << int(c);
    EXPECT_EQ(CheckExistingDataSourceName(name), Fault::ControlCharacter) << int(c);
  }
  // After a lead byte a line break is still a line break, and a NUL still cuts the name.
  EXPECT_EQ(CheckExistingDataSourceName("\xb3\n"), Fault::ControlCharacter);
  EXPECT_EQ(CheckExistingDataSourceName(std::string("\xb3\0", 2)), Fault::ForbiddenCharacter);
  for (const char* name : {"ODBC 32 bit Data Sources", "odbc 32 BIT data sources"}) {
    EXPECT_EQ(CheckNewDataSourceName(name), Fault::ReservedName) << name;
    EXPECT_EQ(CheckExistingDataSourceName(name), Fault::ReservedName) << name;
  }
}

// The lead bytes of the code page in force decide where a backslash is: Big5 (950) and GBK (936)
// start a pair with 0x81 to 0xFE, code page 1252 has no pairs at all.
TEST(DataSourceName, BackslashFollowsTheLeadBytesOfTheCodePage) {
  const LeadByteTest chinese = [](unsigned char c) { return c >= 0x81 && c <= 0xfe; };
  const LeadByteTest western = [](unsigned char) { return false; };
  const std::string xuThenX = "\xb3\\x";  // 許x in Big5, "³\x" on 1252
  const std::string gbkPair = "\xd5\\";   // a GBK pair whose second byte is 5C
  for (const std::string& name : {xuThenX, gbkPair}) {
    EXPECT_EQ(CheckNewDataSourceName(name, chinese), Fault::None) << name;
    EXPECT_EQ(CheckExistingDataSourceName(name, chinese), Fault::None) << name;
    EXPECT_EQ(CheckNewDataSourceName(name, western), Fault::ForbiddenCharacter) << name;
    EXPECT_EQ(CheckExistingDataSourceName(name, western), Fault::ForbiddenCharacter) << name;
  }
  // On 1252 every byte counts once towards the length.
  EXPECT_EQ(CheckNewDataSourceName(std::string(16, '\xb3') + std::string(16, 'x'), chinese),
            Fault::None);
  EXPECT_EQ(CheckNewDataSourceName(std::string(33, '\xe9'), western), Fault::TooLong);

  // The test in force is the one the Windows layer sets, and nullptr gives Big5's back.
  SetDataSourceNameLeadBytes(western);
  EXPECT_EQ(CheckExistingDataSourceName(xuThenX), Fault::ForbiddenCharacter);
  SetDataSourceNameLeadBytes(nullptr);
  EXPECT_EQ(CheckExistingDataSourceName(xuThenX), Fault::None);
}
