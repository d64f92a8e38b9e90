#pragma once
// The driver and data source registration of one generation (the hidden buttons BtnAddParams25
// and BtnAddParams53): the plan of app/RegistrationPlan.h written into the registry under both
// roots, the profile files of the Windows directory and the engine's alias.
#include <windows.h>

#include <string>
#include <vector>

#include "app/InstallationOutcome.h"

class TAliasEditor;
class TRegistry;
struct DriverGeneration;
struct RegistryStep;
struct TSetupFields;

// Refuses an unusable data source name before anything is written; then writes every step in
// order. A machine-wide step that fails is abandoned and the registration goes on: the abandoned
// steps are returned, each with its reason. A per-user value, a profile entry or the alias change
// that fails raises its layer's error and ends the registration there.
std::vector<TRunStep> RegisterDriverGeneration(const DriverGeneration& generation,
                                               const TSetupFields& fields,
                                               TAliasEditor& aliasEditor);

// The machine-wide steps among steps (the ones writing HKEY_LOCAL_MACHINE\Software\ODBC), written
// into another registry view (KEY_WOW64_64KEY or KEY_WOW64_32KEY) with the same failure rule: one
// that fails is abandoned alone. Every step is returned, done or abandoned with its reason, named
// with viewName ("64-bit").
std::vector<TRunStep> WriteMachineWideSteps(const std::vector<RegistryStep>& steps, REGSAM view,
                                            const std::string& viewName);

// Adds DriverForcesTls to the records of the data source and the default data source that the
// registration made; a record that is not there is not made. A machine-wide record that cannot
// be opened or written is left as it is and returned as abandoned, with its reason; a per-user
// one raises. In another registry view (view not 0, named viewName) only the machine-wide
// records are touched: the per-user ones are shared by both views.
std::vector<TRunStep> RequireTlsInRecords(const std::string& dataSource, REGSAM view = 0,
                                          const std::string& viewName = std::string());

// Deletes the key of that path (with everything below it) when it exists under the registry
// object's root, then opens it, creating it when canCreate; a key that cannot be opened with full
// access counts as absent. Whether the open succeeded is returned, though the registration does
// not look: its first write then fails.
bool DeleteAndOpenKey(TRegistry& registry, const std::string& path, bool canCreate);
