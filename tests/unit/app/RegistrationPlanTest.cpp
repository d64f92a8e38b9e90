// What one registration writes, in order: the records of both roots, the profile entries and the
// alias parameters of each generation, and the names it refuses before planning anything.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DataSourceNameMessages.h"
#include "app/RegistrationPlan.h"
#include "app/SetupFields.h"
#include "framework/Exceptions.h"
#include "tests/unit/app/RegistrationFields.h"

namespace {

const std::string kSysDir = "C:\\WINDOWS\\system32\\";

TSetupFields Fields(const std::string& dataSource = "LtSales") {
  return RegistrationFields(dataSource);
}

// "number root how key | name=data; ..." per step.
std::vector<std::string> Lines(const std::vector<RegistryStep>& steps) {
  std::vector<std::string> lines;
  for (const RegistryStep& step : steps) {
    std::string line = std::to_string(step.number) +
                       (step.root == RegistryRoot::LocalMachine ? " HKLM " : " HKCU ") +
                       (step.rebuilt ? "rebuild " : "open ") + step.keyPath + " |";
    for (const NamedValue& value : step.values) line += " " + value.name + "=" + value.data + ";";
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Lines(const std::vector<ProfileEntry>& entries) {
  std::vector<std::string> lines;
  for (const ProfileEntry& entry : entries) {
    lines.push_back(entry.fileName + " [" + entry.section + "] " + entry.key + "=" + entry.value);
  }
  return lines;
}

std::vector<std::string> Lines(const std::vector<NamedValue>& values) {
  std::vector<std::string> lines;
  for (const NamedValue& value : values) lines.push_back(value.name + "=" + value.data);
  return lines;
}

}  // namespace

TEST(RegistrationPlan, Generation250WritesItsRecordsInOrder) {
  const RegistrationPlan plan = PlanRegistration(MySqlDriver250, Fields(), kSysDir);
  const std::string record = " Server=db.example; User=admin; Password=pw; Option=3; Port=3307;";
  const std::string driver =
      " Driver=C:\\WINDOWS\\system32\\myodbc.dll; Setup=C:\\WINDOWS\\system32\\myodbc.dll;"
      " APILevel=2; ConnectFunctions=YYN; DriverODBCVer=02.50; FileUsage=0; FileExtns=*.txt;"
      " SQLLevel=1;";
  EXPECT_EQ(
      Lines(plan.registry),
      (std::vector<std::string>{
          "2 HKLM open \\Software\\ODBC\\ODBCINST.INI\\ODBC Drivers | MySQL=Installed;",
          "3 HKLM open \\Software\\ODBC\\ODBC.INI\\ODBC Data Sources | LtSales=MySQL;",
          "4 HKCU open \\Software\\ODBC\\ODBC.INI\\ODBC Data Sources | LtSales=MySQL;",
          "5 HKLM open \\Software\\ODBC\\ODBC.INI\\ODBC Data Sources | mysql=MySQL;",
          "6 HKCU open \\Software\\ODBC\\ODBC.INI\\ODBC Data Sources | mysql=MySQL;",
          "7 HKCU open \\Software\\ODBC\\ODBCINST.INI\\ODBC Drivers | MySQL=Installed;",
          "8 HKLM rebuild \\Software\\ODBC\\ODBC.INI\\mysql | Driver=C:\\WINDOWS\\system32\\"
          "myodbc.dll; Description=This Is MySql Odbc; DataBase=mysql;" +
              record,
          "9 HKCU rebuild \\Software\\ODBC\\ODBC.INI\\mysql | Driver=C:\\WINDOWS\\system32\\"
          "myodbc.dll; Description=This Is MySql Odbc; DataBase=mysql;" +
              record,
          "10 HKLM open \\Software\\ODBC\\ODBCINST.INI\\MySQL |" + driver,
          "11 HKLM rebuild \\Software\\ODBC\\ODBC.INI\\LtSales | Driver=C:\\WINDOWS\\system32\\"
          "myodbc.dll; Description=This Is MySql Odbc; DataBase=LtSales;" +
              record,
          "12 HKCU rebuild \\Software\\ODBC\\ODBC.INI\\LtSales | Driver=C:\\WINDOWS\\system32\\"
          "myodbc.dll; Description=This Is MySql Odbc; DataBase=LtSales;" +
              record,
          "13 HKCU open \\Software\\ODBC\\ODBCINST.INI\\MySQL |" + driver,
      }));
}

TEST(RegistrationPlan, Generation53HasItsOwnNamesAndThePerUserCharset) {
  const RegistrationPlan plan = PlanRegistration(MySqlDriver53, Fields(), kSysDir);
  const std::string record = " Server=db.example; User=admin; Password=pw; Option=3; Port=3307;";
  const std::string driver =
      " Driver=C:\\WINDOWS\\system32\\myodbc5a.dll; Setup=C:\\WINDOWS\\system32\\myodbc5S.dll;";
  EXPECT_EQ(
      Lines(plan.registry),
      (std::vector<std::string>{
          "2 HKLM open \\Software\\ODBC\\ODBCINST.INI\\ODBC Drivers | MySQL ODBC 5.3 "
          "Driver=Installed;",
          "3 HKLM open \\Software\\ODBC\\ODBC.INI\\ODBC Data Sources | LtSales=MySQL ODBC 5.3 "
          "Driver;",
          "4 HKCU open \\Software\\ODBC\\ODBC.INI\\ODBC Data Sources | LtSales=MySQL ODBC 5.3 "
          "Driver;",
          "5 HKLM open \\Software\\ODBC\\ODBC.INI\\ODBC Data Sources | mysql=MySQL ODBC 5.3 "
          "Driver;",
          "6 HKCU open \\Software\\ODBC\\ODBC.INI\\ODBC Data Sources | mysql=MySQL ODBC 5.3 "
          "Driver;",
          "7 HKCU open \\Software\\ODBC\\ODBCINST.INI\\ODBC Drivers | MySQL ODBC 5.3 "
          "Driver=Installed;",
          "8 HKLM rebuild \\Software\\ODBC\\ODBC.INI\\MySQL | Driver=C:\\WINDOWS\\system32\\"
          "myodbc5a.dll; Description=This Is MySql Odbc; DataBase=mysql;" +
              record,
          "9 HKCU rebuild \\Software\\ODBC\\ODBC.INI\\MySQL | Driver=C:\\WINDOWS\\system32\\"
          "myodbc5a.dll; Description=This Is MySql Odbc 5.3; DataBase=mysql;" +
              record,
          "10 HKLM open \\Software\\ODBC\\ODBCINST.INI\\MySQL ODBC 5.3 Driver |" + driver,
          "11 HKLM rebuild \\Software\\ODBC\\ODBC.INI\\LtSales | Driver=C:\\WINDOWS\\system32\\"
          "myodbc5a.dll; Description=This Is MySql Odbc; DataBase=LtSales;" +
              record,
          "12 HKCU rebuild \\Software\\ODBC\\ODBC.INI\\LtSales | Driver=C:\\WINDOWS\\system32\\"
          "myodbc5a.dll; Description=This Is MySql Odbc; DataBase=LtSales; CHARSET=big5;" +
              record,
          "13 HKCU open \\Software\\ODBC\\ODBCINST.INI\\MySQL ODBC 5.3 Driver |" + driver,
      }));
}

TEST(RegistrationPlan, EmptyPasswordLeavesItOutOfEveryRecord) {
  TSetupFields fields = Fields();
  fields.Password.clear();
  for (const DriverGeneration* generation : {&MySqlDriver250, &MySqlDriver53}) {
    const RegistrationPlan plan = PlanRegistration(*generation, fields, kSysDir);
    int records = 0;
    for (const RegistryStep& step : plan.registry) {
      if (!step.rebuilt) continue;
      ++records;
      for (const NamedValue& value : step.values) EXPECT_NE(value.name, "Password");
      EXPECT_EQ(step.values[step.values.size() - 3].name, "User");  // User, Option, Port
    }
    EXPECT_EQ(records, 4);
  }
}

TEST(RegistrationPlan, ProfileEntriesNameThe250DriverFileAndSectionForBothGenerations) {
  EXPECT_EQ(Lines(PlanRegistration(MySqlDriver250, Fields(), kSysDir).profiles),
            (std::vector<std::string>{
                "ODBC.INI [ODBC 32 bit Data Sources] LtSales=MySQL (32 \xa6\xec\xa4\xb8)",
                "ODBC.INI [LtSales] Driver32=C:\\WINDOWS\\system32\\myodbc.dll",
                "ODBCINST.INI [ODBC 32 bit Drivers] MySQL (32 bit)=Installed",
                "ODBCINST.INI [MySQL (32 bit)] Driver=C:\\WINDOWS\\system32\\myodbc.dll",
                "ODBCINST.INI [MySQL (32 bit)] Setup=C:\\WINDOWS\\system32\\myodbc.dll",
                "ODBCINST.INI [MySQL (32 bit)] 32Bit=1",
            }));
  EXPECT_EQ(
      Lines(PlanRegistration(MySqlDriver53, Fields(), kSysDir).profiles),
      (std::vector<std::string>{
          "ODBC.INI [ODBC 32 bit Data Sources] LtSales=MySQL ODBC 5.3 Driver (32 \xa6\xec\xa4\xb8)",
          "ODBC.INI [LtSales] Driver32=C:\\WINDOWS\\system32\\myodbc.dll",
          "ODBCINST.INI [ODBC 32 bit Drivers] MySQL ODBC 5.3 Driver (32 bit)=Installed",
          "ODBCINST.INI [MySQL (32 bit)] Driver=C:\\WINDOWS\\system32\\myodbc5a.dll",
          "ODBCINST.INI [MySQL (32 bit)] Setup=C:\\WINDOWS\\system32\\myodbc5S.dll",
          "ODBCINST.INI [MySQL (32 bit)] 32Bit=1",
      }));
}

TEST(RegistrationPlan, AliasGetsTheBlobFieldsThatAreNotEmpty) {
  TSetupFields fields = Fields("\xbe\x50\xb0\xe2");  // 銷售
  RegistrationPlan plan = PlanRegistration(MySqlDriver53, fields, kSysDir);
  EXPECT_EQ(plan.aliasName, "\xbe\x50\xb0\xe2");
  EXPECT_EQ(Lines(plan.aliasParameters),
            (std::vector<std::string>{"BLOB SIZE=8192", "BLOBS TO CACHE=128"}));
  fields.BlobSize.clear();
  plan = PlanRegistration(MySqlDriver53, fields, kSysDir);
  EXPECT_EQ(Lines(plan.aliasParameters), (std::vector<std::string>{"BLOBS TO CACHE=128"}));
  fields.BlobsToCache.clear();
  EXPECT_TRUE(PlanRegistration(MySqlDriver53, fields, kSysDir).aliasParameters.empty());
}

// A name of 32 double-byte characters is 32 characters long; the backslash-looking trail byte of
// 許 (B3 5C) is no backslash.
TEST(RegistrationPlan, NamesOfTheRuleArePlanned) {
  std::string chinese;
  for (int i = 0; i < 32; ++i) chinese += "\xb3\x5c";  // 許
  for (const std::string& name :
       {chinese, std::string(32, 'x'), std::string("mysql"), std::string("ODBC Data Sources2")}) {
    EXPECT_EQ(PlanRegistration(MySqlDriver250, Fields(name), kSysDir).registry.size(), 12u);
  }
}

TEST(RegistrationPlan, RefusedNamesGetNoPlanAndTheirMessage) {
  const std::string longName(33, 'x');
  for (const std::string& name : {std::string(), std::string("a\\b"), std::string("x(y)"), longName,
                                  std::string("ODBC Data Sources"), std::string("odbc file dsn")}) {
    const DataSourceNameFault fault = CheckNewDataSourceName(name);
    ASSERT_NE(fault, DataSourceNameFault::None) << name;
    for (const DriverGeneration* generation : {&MySqlDriver250, &MySqlDriver53}) {
      try {
        PlanRegistration(*generation, Fields(name), kSysDir);
        ADD_FAILURE() << "planned \"" << name << "\"";
      } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), DataSourceNameMessage(fault, name));
      }
    }
  }
}
