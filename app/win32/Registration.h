#pragma once
// The driver and data source registration of one generation (the hidden buttons BtnAddParams25
// and BtnAddParams53): the plan of app/RegistrationPlan.h written into the registry under both
// roots, the profile files of the Windows directory and the engine's alias.
#include <string>
#include <vector>

#include "app/InstallationOutcome.h"

class TAliasEditor;
class TRegistry;
struct DriverGeneration;
struct TSetupFields;

// Refuses an unusable data source name before anything is written; then writes every step in
// order. A machine-wide step that fails is abandoned and the registration goes on: the abandoned
// steps are returned, each with its reason. A per-user value, a profile entry or the alias change
// that fails raises its layer's error and ends the registration there.
std::vector<TRunStep> RegisterDriverGeneration(const DriverGeneration& generation,
                                               const TSetupFields& fields,
                                               TAliasEditor& aliasEditor);

// Adds DriverForcesTls to the records of the data source and the default data source that the
// registration made; a record that is not there is not made. A machine-wide record that cannot
// be written is left as it is, as in the registration; a per-user one raises.
void RequireTlsInRecords(const std::string& dataSource);

// Deletes the key of that path (with everything below it) when it exists under the registry
// object's root, then opens it, creating it when canCreate; a key that cannot be opened with full
// access counts as absent. Whether the open succeeded is returned, though the registration does
// not look: its first write then fails.
bool DeleteAndOpenKey(TRegistry& registry, const std::string& path, bool canCreate);
