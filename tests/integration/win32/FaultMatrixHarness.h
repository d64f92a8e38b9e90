// What every case of the fault matrix shares: the registration it starts from (LtOther, made by
// the real program), the registration it makes, and the check that a failure lost nothing it
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

// How far the registration got before its failure ended it; everything up to there is done,
// nothing after it.
enum class Reach {
  kNothing,       // the name was refused, so nothing changed at all
  kProfiles,      // the registry records and profile files written; the alias not
  kRegistration,  // the whole registration, the alias too
};

struct Outcome {
  std::string errorBox;  // empty when none was shown
  DWORD exitCode = 0;
};

// Client position of the dialog's hidden 5.3 registration button, on the panel at 28,14.
constexpr int kRegistration53Left = 28 + 234, kRegistration53Top = 14 + 138;

// The real program started with the run's command line, its hidden 5.3 registration button
// clicked, the error box answered when one comes, the dialog closed, the exit code read.
Outcome Register(const InstallRun& run);

// The real program registers LtOther, once per test program, after the prefix's own state was
// read; Baseline() is the state it leaves. PutBackWhatWasThere restores
// the prefix as it was before.
void InstallBaseline();
const PrefixState& Baseline();
void PutBackWhatWasThere();

void ExpectNothingElseLost(const PrefixState& before, const PrefixState& after, Reach reach,
                           const InstallRun& run);
