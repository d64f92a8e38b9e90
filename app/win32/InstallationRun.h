#pragma once
// One installation run on the values it is given, without a dialog: the settings saved, the
// chosen driver generation and data source registered, the driver files written, and the data
// source proved by opening it (its database created first when asked). The dialog runs it with
// what its controls show; an unattended start with the saved settings and the command line.
//
//   TInstallationOptions options{createDatabase, &hostList, driverFiles, &aliases, &db, &query};
//   const TInstallationOutcome outcome = RunInstallation(fields, options);
//   return outcome.ExitCode();
#include <string>
#include <vector>

#include "app/InstallationOutcome.h"

class TAliasEditor;
class TBinStream;
class TDatabase;
class TQuery;
class TStrings;
struct TSetupFields;

// What the run works with besides the fields: the engine's components and the files it carries.
struct TInstallationOptions {
  bool createDatabase = false;         // the database is created through the default data source
  const TStrings* hostList = nullptr;  // saved with the fields when given
  std::vector<TBinStream*> driverFiles;
  TAliasEditor* aliasEditor = nullptr;
  TDatabase* database = nullptr;
  TQuery* query = nullptr;
};

// The steps in their order. The settings are saved before anything else, so that a run that
// fails later still leaves them for the next start. A driver type that names no generation
// registers nothing and the run goes on. A machine-wide registry step that cannot be written is
// abandoned and named in the outcome; any other error ends the run where it happens and is
// held in the outcome (exit code 2). A connection that does not open is the outcome's
// connection result (exit code 1), not an error.
TInstallationOutcome RunInstallation(const TSetupFields& fields,
                                     const TInstallationOptions& options);

// The connection test: closes the database, optionally creates the data source's database
// through the default data source (an error there raises), then opens the data source. Only the
// program's own errors of the open are caught; they make the result "failed" with their message.
TConnectionResult TestDataSource(TDatabase& database, TQuery& query, const std::string& dataSource,
                                 bool createDatabase);
