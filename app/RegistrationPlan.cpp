#include "app/RegistrationPlan.h"

#include "app/DataSourceNameMessages.h"
#include "app/SetupFields.h"
#include "dbengine/DataSourceName.h"
#include "framework/CodePages.h"
#include "framework/Exceptions.h"

const char* const DefaultDataSource = "mysql";
const NamedValue DriverForcesTls = {"FORCETLS", "1"};

namespace {

const char* const kDriverListKey = "\\Software\\ODBC\\ODBCINST.INI\\ODBC Drivers";
const char* const kDriverKeyFolder = "\\Software\\ODBC\\ODBCINST.INI\\";
const char* const kDataSourceDescription = "This Is MySql Odbc";
const char* const kInstalled = "Installed";

const char* const kOdbcIni = "ODBC.INI";
const char* const kOdbcInstIni = "ODBCINST.INI";
const char* const kDataSourcesSection = "ODBC 32 bit Data Sources";
const char* const kDriversSection = "ODBC 32 bit Drivers";
// Both generations write the 2.50 names here: ODBC.INI's "Driver32" and ODBCINST.INI's section.
const char* const kProfileDriverFile = "myodbc.dll";
const char* const kProfileDriverSection = "MySQL (32 bit)";

using Values = std::vector<NamedValue>;

// Records 3 and 4: a data source record. "Password" is left out when empty, so that a record
// rebuilt from nothing loses a password an earlier run stored.
Values DataSourceRecord(const std::string& driverPath, const std::string& description,
                        const std::string& database, bool withCharset, const TSetupFields& fields) {
  Values values = {{"Driver", driverPath}, {"Description", description}, {"DataBase", database}};
  if (withCharset) values.push_back({"CHARSET", fields.Charset});
  values.push_back({"Server", fields.Server});
  values.push_back({"User", fields.User});
  if (!fields.Password.empty()) values.push_back({"Password", fields.Password});
  values.push_back({"Option", fields.Option});
  values.push_back({"Port", fields.Port});
  return values;
}

// Record 5.
Values DriverRecord(const DriverGeneration& generation, const std::string& sysDir) {
  Values values = {{"Driver", sysDir + generation.driverFile},
                   {"Setup", sysDir + generation.setupFile}};
  values.insert(values.end(), generation.driverDetails.begin(), generation.driverDetails.end());
  return values;
}

std::vector<RegistryStep> RegistrySteps(const DriverGeneration& generation,
                                        const TSetupFields& fields, const std::string& sysDir) {
  const RegistryRoot machine = RegistryRoot::LocalMachine;
  const RegistryRoot user = RegistryRoot::CurrentUser;
  const std::string& name = fields.DataSource;
  const std::string driverPath = sysDir + generation.driverFile;
  const std::string driverKey = kDriverKeyFolder + std::string(generation.driverName);
  const std::string dataSourceKey = OdbcIniKeyPath + name;
  const Values driverListEntry = {{generation.driverName, kInstalled}};
  const Values dataSourceEntry = {{name, generation.driverName}};
  const Values defaultEntry = {{DefaultDataSource, generation.driverName}};
  const Values driverRecord = DriverRecord(generation, sysDir);
  const auto defaultRecord = [&](const char* description) {
    return DataSourceRecord(driverPath, description, DefaultDataSource, false, fields);
  };
  const auto userRecord = [&](bool withCharset) {
    return DataSourceRecord(driverPath, kDataSourceDescription, name, withCharset, fields);
  };
  return {
      {2, machine, kDriverListKey, false, driverListEntry},
      {3, machine, DataSourceListKeyPath, false, dataSourceEntry},
      {4, user, DataSourceListKeyPath, false, dataSourceEntry},
      {5, machine, DataSourceListKeyPath, false, defaultEntry},
      {6, user, DataSourceListKeyPath, false, defaultEntry},
      {7, user, kDriverListKey, false, driverListEntry},
      {8, machine, generation.defaultDataSourceKey, true,
       defaultRecord(generation.machineDefaultDescription)},
      {9, user, generation.defaultDataSourceKey, true,
       defaultRecord(generation.userDefaultDescription)},
      {10, machine, driverKey, false, driverRecord},
      {11, machine, dataSourceKey, true, userRecord(false)},
      {12, user, dataSourceKey, true, userRecord(generation.userRecordHasCharset)},
      {13, user, driverKey, false, driverRecord},
  };
}

std::vector<ProfileEntry> ProfileEntries(const DriverGeneration& generation,
                                         const TSetupFields& fields, const std::string& sysDir) {
  const std::string& name = fields.DataSource;
  return {
      {kOdbcIni, kDataSourcesSection, name, generation.dataSourceEntry},
      {kOdbcIni, name, "Driver32", sysDir + kProfileDriverFile},
      {kOdbcInstIni, kDriversSection, generation.driverEntry, kInstalled},
      {kOdbcInstIni, kProfileDriverSection, "Driver", sysDir + generation.driverFile},
      {kOdbcInstIni, kProfileDriverSection, "Setup", sysDir + generation.setupFile},
      {kOdbcInstIni, kProfileDriverSection, "32Bit", "1"},
  };
}

std::vector<NamedValue> AliasParameters(const TSetupFields& fields) {
  std::vector<NamedValue> parameters;
  if (!fields.BlobSize.empty()) parameters.push_back({"BLOB SIZE", fields.BlobSize});
  if (!fields.BlobsToCache.empty()) parameters.push_back({"BLOBS TO CACHE", fields.BlobsToCache});
  return parameters;
}

}  // namespace

const DriverGeneration MySqlDriver250 = {
    "MySQL",
    "myodbc.dll",
    "myodbc.dll",
    "\\Software\\ODBC\\ODBC.INI\\mysql",
    "This Is MySql Odbc",
    "This Is MySql Odbc",
    false,
    {{"APILevel", "2"},
     {"ConnectFunctions", "YYN"},
     {"DriverODBCVer", "02.50"},
     {"FileUsage", "0"},
     {"FileExtns", "*.txt"},
     {"SQLLevel", "1"}},
    "MySQL (32 \xa6\xec\xa4\xb8)",  // MySQL (32 位元)
    "MySQL (32 bit)",
};

const DriverGeneration MySqlDriver53 = {
    "MySQL ODBC 5.3 Driver",
    "myodbc5a.dll",
    "myodbc5S.dll",
    "\\Software\\ODBC\\ODBC.INI\\MySQL",
    "This Is MySql Odbc",
    "This Is MySql Odbc 5.3",
    true,
    {},
    "MySQL ODBC 5.3 Driver (32 \xa6\xec\xa4\xb8)",  // MySQL ODBC 5.3 Driver (32 位元)
    "MySQL ODBC 5.3 Driver (32 bit)",
};

const DriverGeneration* ChosenGeneration(const TSetupFields& fields) {
  if (fields.DbType == DriverGeneration25) return &MySqlDriver250;
  if (fields.DbType == DriverGeneration53) return &MySqlDriver53;
  return nullptr;
}

RegistrationPlan PlanRegistration(const DriverGeneration& generation, const TSetupFields& fields,
                                  const std::string& sysDir) {
  const DataSourceNameFault fault = CheckNewDataSourceName(fields.DataSource);
  if (fault != DataSourceNameFault::None) {
    throw Exception(DataSourceNameMessage(fault, fields.DataSource), kBig5CodePage);
  }
  RegistrationPlan plan;
  plan.registry = RegistrySteps(generation, fields, sysDir);
  plan.profiles = ProfileEntries(generation, fields, sysDir);
  plan.aliasName = fields.DataSource;
  plan.aliasParameters = AliasParameters(fields);
  return plan;
}

std::vector<RecordKey> DataSourceRecordKeys(const std::string& dataSource) {
  const std::string own = OdbcIniKeyPath + dataSource;
  const std::string byDefault = OdbcIniKeyPath + std::string(DefaultDataSource);
  return {{RegistryRoot::LocalMachine, own},
          {RegistryRoot::LocalMachine, byDefault},
          {RegistryRoot::CurrentUser, own},
          {RegistryRoot::CurrentUser, byDefault}};
}
