#include "app/win32/InstallationRun.h"

#include "app/InstallationSteps.h"
#include "app/RegistrationPlan.h"
#include "app/SetupFields.h"
#include "app/win32/DriverFiles.h"
#include "app/win32/OtherArchitecture.h"
#include "app/win32/Registration.h"
#include "app/win32/SettingsStore.h"
#include "app/win32/SystemPrograms.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/Query.h"
#include "framework/Exceptions.h"

namespace {

void SaveSettings(const TSetupFields& fields, const TStrings* hostList) {
  fields.Save();
  if (hostList) SaveNameList(HostListName, *hostList);
}

void Register(const TSetupFields& fields, const TInstallationOptions& options,
              TInstallationOutcome& outcome) {
  const std::string step = "register the driver type \"" + fields.DbType + "\"";
  const DriverGeneration* generation = ChosenGeneration(fields);
  if (!generation) {
    outcome.Skipped(step, "not a driver generation");
    return;
  }
  outcome.Add(RegisterDriverGeneration(*generation, fields, *options.aliasEditor));
  outcome.Done("register " + std::string(generation->driverName) + " and data source " +
               fields.DataSource);
}

void CreateDatabase(TDatabase& database, TQuery& query, const std::string& dataSource) {
  database.SetDatabaseName(DefaultDataSource);
  query.SetDatabaseName(database.DatabaseName());
  query.SQL().SetText(CreateDatabaseStatement(dataSource, query.CharacterSet()));
  query.ExecSQL();
}

}  // namespace

TConnectionResult TestDataSource(TDatabase& database, TQuery& query, const std::string& dataSource,
                                 bool createDatabase) {
  database.Close();
  database.SetDatabaseName(dataSource);
  if (createDatabase) CreateDatabase(database, query, dataSource);
  TConnectionResult result;
  result.dataSource = database.DatabaseName();
  try {
    database.Open();
    result.state = TConnectionState::Opened;
  } catch (const Exception& error) {
    result.state = TConnectionState::Failed;
    result.message = error.Message();
  }
  return result;
}

TInstallationOutcome RunInstallation(const TSetupFields& fields,
                                     const TInstallationOptions& options) {
  TInstallationOutcome outcome;
  std::string step;
  bool requireTls = false;
  try {
    step = "check driver file names";
    CheckDriverFileNames(options.driverFiles);
    step = "save settings";
    SaveSettings(fields, options.hostList);
    outcome.Done(step);
    step = "register data source " + fields.DataSource;
    Register(fields, options, outcome);
    step = "write driver files";
    WriteDriverFiles(options.driverFiles, SysDir());
    outcome.Done(step);
    step = options.createDatabase ? "create database " + fields.DataSource : "connection test";
    outcome.connection = TestDataSource(*options.database, *options.query, fields.DataSource,
                                        options.createDatabase);
    if (options.createDatabase) outcome.Done(step);
    // The engine found its way in with TLS; the driver, which does not ask for TLS by itself, must
    // be told to when the server lets nothing else in.
    requireTls = outcome.connection.state == TConnectionState::Opened &&
                 options.database->ServerRequiresTls();
    if (requireTls) {
      step = "tell the driver to use TLS";
      outcome.DoneUnlessAbandoned(step, RequireTlsInRecords(fields.DataSource));
    }
  } catch (...) {
    outcome.EndedBy(step, std::current_exception());
    return outcome;
  }
  // On 64-bit Windows the other architecture's programs get the same data source, after the
  // described steps and without ever changing how the run ended.
  if (const auto other = OtherArchitecture()) {
    ServeOtherArchitecture(*other, ChosenGeneration(fields), fields, requireTls, outcome);
  }
  return outcome;
}
