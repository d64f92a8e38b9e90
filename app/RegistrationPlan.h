#pragma once
// Registering a driver generation with the ODBC driver manager: the two generations' constants,
// one table row each so that both registrations are the same steps, and what one registration
// writes, in the order it writes it. Portable; the dialog's registration
// (app/win32/Registration.cpp) writes the plan. The registration's steps, by number:
//    1      the system and Windows directories;
//    2-13   the registry records, machine-wide (guarded) and per user, in a fixed interleaving;
//   14      the registry released;
//   15-16   the entries of ODBC.INI and ODBCINST.INI in the Windows directory;
//   17      the engine alias of the data source, with the two BLOB parameters.
//
//   const RegistrationPlan plan = PlanRegistration(MySqlDriver53, fields, SysDir());
//   for (const RegistryStep& step : plan.registry) ...  // machine-wide steps guarded
#include <string>
#include <vector>

struct TSetupFields;

struct NamedValue {
  std::string name;
  std::string data;
};

// The constants of one driver generation.
struct DriverGeneration {
  const char* driverName;  // the driver's name in "ODBC Drivers"; its key is named so too
  const char* driverFile;  // in the system directory
  const char* setupFile;
  const char* defaultDataSourceKey;  // the default data source "mysql"'s key, from the root
  const char* machineDefaultDescription;
  const char* userDefaultDescription;
  bool userRecordHasCharset;              // the per-user record of the user's data source only
  std::vector<NamedValue> driverDetails;  // the driver record's values after "Driver", "Setup"
  const char* dataSourceEntry;            // ODBC.INI's entry, Big5
  const char* driverEntry;                // ODBCINST.INI's entry
};

// The default data source both generations register; the connection test creates the database
// through it.
extern const char* const DefaultDataSource;  // "mysql"

extern const DriverGeneration MySqlDriver250;  // the choice "MySQL"
extern const DriverGeneration MySqlDriver53;   // the choice "MySQL5.3+"

// The generation the fields' driver type chooses, exactly DriverGeneration25 or
// DriverGeneration53; nullptr for any other text, with which a run registers nothing.
const DriverGeneration* ChosenGeneration(const TSetupFields& fields);

enum class RegistryRoot { LocalMachine, CurrentUser };

// One registry step: one key under one root and the values written into it. A machine-wide step
// is guarded (its first failure silently abandons it and the registration goes on); a failure
// in a per-user step ends the registration.
struct RegistryStep {
  int number;  // 2 to 13, as numbered above
  RegistryRoot root;
  std::string keyPath;  // from the root
  bool rebuilt;         // deleted with everything below it and made afresh; else opened or made
  std::vector<NamedValue> values;  // written in this order, and only these
};

// One entry of a profile file in the Windows directory.
struct ProfileEntry {
  std::string fileName;  // "ODBC.INI" or "ODBCINST.INI"
  std::string section;
  std::string key;
  std::string value;
};

struct RegistrationPlan {
  std::vector<RegistryStep> registry;       // steps 2 to 13
  std::vector<ProfileEntry> profiles;       // steps 15 and 16
  std::string aliasName;                    // step 17: the engine alias named like the data source
  std::vector<NamedValue> aliasParameters;  // set in the alias's list: the BLOB fields not empty
};

// The value a data source record gains when the connection test found that the server refuses
// connections without TLS: the carried driver asks for TLS only when its record says so.
extern const NamedValue DriverForcesTls;  // FORCETLS=1

// The data source records such a value goes into: the data source's and the default data
// source's (one key for both generations, as the registry ignores case), machine-wide first.
struct RecordKey {
  RegistryRoot root;
  std::string keyPath;  // from the root
};
std::vector<RecordKey> DataSourceRecordKeys(const std::string& dataSource);

// The registration of that generation with the dialog's fields; sysDir ends in "\". Raises
// Exception with the DataSourceNameMessage when the data source name is one that registration
// refuses (dbengine/DataSourceName.h): such a name gets no plan, so nothing is registered.
RegistrationPlan PlanRegistration(const DriverGeneration& generation, const TSetupFields& fields,
                                  const std::string& sysDir);
