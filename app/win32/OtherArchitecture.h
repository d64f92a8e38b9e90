#pragma once
// The other architecture of 64-bit Windows: for the 32-bit program the 64-bit one, for the 64-bit
// build the 32-bit one. Its ODBC programs see their own system directory and their own view of
// HKEY_LOCAL_MACHINE\Software, so an installation run writes the driver files and the machine-wide
// records there a second time; per-user records, profile files and the alias are shared.
//
//   if (const auto other = OtherArchitecture()) ServeOtherArchitecture(*other, ...);
#include <windows.h>

#include <optional>
#include <string>

#include "app/InstallationOutcome.h"

struct DriverGeneration;
struct TSetupFields;

struct TOtherArchitecture {
  std::string name;             // "64-bit" or "32-bit", as the outcome names its steps
  std::string systemDirectory;  // ending in "\"; reached from this process
  REGSAM registryView;          // KEY_WOW64_64KEY or KEY_WOW64_32KEY
};

// None on 32-bit Windows (or a 64-bit one without 32-bit support).
std::optional<TOtherArchitecture> OtherArchitecture();

// After the described steps of a run: the other architecture's four driver files (the program's
// resource OTHERDRIVERS) into its system directory, each with the "existing file left alone" rule,
// its stored date and the atomic write; the machine-wide records of the generation's registration
// (none for a driver type that names no generation) in its registry view; and with requireTls the
// TLS switch in those records. Every step lands in the outcome, done, skipped or abandoned with
// the system's reason; nothing here raises or ends the run.
void ServeOtherArchitecture(const TOtherArchitecture& other, const DriverGeneration* generation,
                            const TSetupFields& fields, bool requireTls,
                            TInstallationOutcome& outcome);
