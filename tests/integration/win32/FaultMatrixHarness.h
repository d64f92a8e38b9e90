// What every case of the fault matrix shares: the installation it starts from (LtOther, put in
// place by the real program), the run it makes, and the check that a failure lost nothing it
// should not have touched.
#pragma once

#include <windows.h>

#include <string>

#include "tests/integration/win32/PrefixState.h"

extern const char* const kName;     // the data source the cases install: "LtFault"
extern const char* const kOther;    // the one installed before them: "LtOther"
extern const char* const kOdbcIni;  // "Software\\ODBC\\ODBC.INI\\"

// What the program is given: the command line's data source, server and password, and the
// server port of the saved settings.
struct InstallRun {
  std::string dataSource;
  std::string server;
  std::string password;
  std::string port;
};
// The real server's, for the data source LtFault.
InstallRun DefaultRun();

// How far the run got before its failure ended it; everything up to there is done, nothing
// after it.
enum class Reach {
  kNothing,         // the settings could not be saved, so nothing changed at all
  kSettings,        // settings saved; the registration refused the name
  kProfiles,        // and the registry records and profile files written; the alias not
  kRegistration,    // and the whole registration, the alias too; not every driver file
  kConnectionTest,  // to the end: driver files in place and the connection test made
};

struct Outcome {
  std::string errorBox;  // empty when none was shown
  DWORD exitCode = 0;
};

// The real program with AUTO: the error box answered when one comes, the dialog it then opens
// closed, the exit code read.
Outcome RunAuto(const InstallRun& run);

// The real program installs LtOther against the real server, once per test program, after the
// prefix's own state was read; Baseline() is the state it leaves. PutBackWhatWasThere restores
// the prefix as it was before.
void InstallBaseline();
const PrefixState& Baseline();
void PutBackWhatWasThere();

// The run's server port in the saved settings, as a site would have saved it.
void SaveRunSettings(const InstallRun& run);

void ExpectNothingElseLost(const PrefixState& before, const PrefixState& after, Reach reach,
                           const InstallRun& run);
