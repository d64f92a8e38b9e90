#include "app/win32/Registration.h"

#include <windows.h>

#include "app/RegistrationPlan.h"
#include "app/SetupFields.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/SystemPrograms.h"
#include "dbengine/AliasEd.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/win32/IniFile.h"
#include "framework/win32/Registry.h"
#include "framework/win32/SystemError.h"
#include "framework/win32/SystemPaths.h"

namespace {

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Selecting the root releases the previous step's key.
bool OpenStepKey(TRegistry& registry, const RegistryStep& step) {
  registry.SetRootKey(RootKey(step.root));
  if (step.rebuilt) return DeleteAndOpenKey(registry, step.keyPath, true);
  return registry.OpenKey(step.keyPath, true);
}

// With no key open the first write raises "Failed to set data for '%s'".
void WriteStepValues(TRegistry& registry, const RegistryStep& step) {
  for (const NamedValue& value : step.values) registry.WriteString(value.name, value.data);
}

// Why a machine-wide step could not be written: the system's reason the key did not open, or the
// write's error; empty when it was written.
std::string WriteMachineWideStep(TRegistry& registry, const RegistryStep& step) {
  if (!OpenStepKey(registry, step)) return SystemErrorText(registry.OpenError());
  try {
    WriteStepValues(registry, step);
  } catch (const Exception& error) {
    return error.Message();
  }
  return "";
}

// The outcome's name of a machine-wide record, with the view it is in when that is not the
// program's own.
std::string MachineWideRecordName(const std::string& keyPath, const std::string& viewName) {
  const std::string name = "machine-wide record HKEY_LOCAL_MACHINE" + keyPath;
  return viewName.empty() ? name : viewName + " " + name;
}

// A list's steps write one entry each into the same key ("ODBC Data Sources" gets the data source
// and "mysql"): the entry tells them apart.
std::string MachineWideStepName(const RegistryStep& step, const std::string& viewName) {
  const std::string name = MachineWideRecordName(step.keyPath, viewName);
  if (step.rebuilt || step.values.size() != 1) return name;
  return name + ", entry " + step.values.front().name;
}

// Steps 2 to 14. The machine-wide records need administrator rights; without them the
// registration still makes the per-user ones, so a failure there abandons only that step.
std::vector<TRunStep> WriteRegistry(const std::vector<RegistryStep>& steps) {
  std::vector<TRunStep> abandoned;
  TRegistry registry;
  for (const RegistryStep& step : steps) {
    if (step.root == RegistryRoot::CurrentUser) {
      OpenStepKey(registry, step);
      WriteStepValues(registry, step);
      continue;
    }
    const std::string why = WriteMachineWideStep(registry, step);
    if (!why.empty()) {
      abandoned.push_back({MachineWideStepName(step, ""), TStepState::Abandoned, why});
    }
  }
  registry.CloseKey();
  return abandoned;
}

// Steps 15 and 16, through the profile calls: they create file, section and key as needed and
// leave every other entry alone.
void WriteProfiles(const std::vector<ProfileEntry>& entries) {
  const std::string winDir = WindowsDirectory();
  for (const ProfileEntry& entry : entries) {
    TIniFile(winDir + entry.fileName).WriteString(entry.section, entry.key, entry.value);
  }
}

// Step 17: the alias starts again from what the engine derives from the new record, with the
// BLOB parameters set.
void WriteAlias(const RegistrationPlan& plan, TAliasEditor& aliasEditor) {
  aliasEditor.RemoveAlias(plan.aliasName);
  TStringList params;
  aliasEditor.ReadAliasParams(plan.aliasName, params);
  for (const NamedValue& parameter : plan.aliasParameters) {
    params.SetValue(parameter.name, parameter.data);
  }
  aliasEditor.WriteAliasParams(plan.aliasName, params);
}

}  // namespace

bool DeleteAndOpenKey(TRegistry& registry, const std::string& path, bool canCreate) {
  if (registry.KeyExists(path)) registry.DeleteKey(path);
  return registry.OpenKey(path, canCreate);
}

std::vector<TRunStep> RegisterDriverGeneration(const DriverGeneration& generation,
                                               const TSetupFields& fields,
                                               TAliasEditor& aliasEditor) {
  const RegistrationPlan plan = PlanRegistration(generation, fields, SysDir());
  std::vector<TRunStep> abandoned = WriteRegistry(plan.registry);
  WriteProfiles(plan.profiles);
  WriteAlias(plan, aliasEditor);
  return abandoned;
}

std::vector<TRunStep> WriteMachineWideSteps(const std::vector<RegistryStep>& steps, REGSAM view,
                                            const std::string& viewName) {
  std::vector<TRunStep> written;
  TRegistry registry(HKEY_LOCAL_MACHINE, view);
  for (const RegistryStep& step : steps) {
    if (step.root != RegistryRoot::LocalMachine) continue;
    const std::string why = WriteMachineWideStep(registry, step);
    written.push_back({MachineWideStepName(step, viewName),
                       why.empty() ? TStepState::Done : TStepState::Abandoned, why});
  }
  registry.CloseKey();
  return written;
}

std::vector<TRunStep> RequireTlsInRecords(const std::string& dataSource, REGSAM view,
                                          const std::string& viewName) {
  std::vector<TRunStep> abandoned;
  TRegistry registry(HKEY_CURRENT_USER, view);
  for (const RecordKey& record : DataSourceRecordKeys(dataSource)) {
    const bool machineWide = record.root == RegistryRoot::LocalMachine;
    if (view != 0 && !machineWide) continue;
    registry.SetRootKey(RootKey(record.root));
    std::string why;
    if (!registry.OpenKey(record.keyPath, false)) {
      // A missing record is one the registration did not make (or already reported abandoned).
      if (registry.OpenError() != ERROR_FILE_NOT_FOUND) why = SystemErrorText(registry.OpenError());
    } else {
      try {
        registry.WriteString(DriverForcesTls.name, DriverForcesTls.data);
      } catch (const Exception& error) {
        if (!machineWide) throw;
        why = error.Message();
      }
    }
    if (machineWide && !why.empty()) {
      abandoned.push_back({"TLS switch in the " + MachineWideRecordName(record.keyPath, viewName),
                           TStepState::Abandoned, why});
    }
  }
  registry.CloseKey();
  return abandoned;
}

void TLintoraForm::BtnAddParams25Click(TComponent*) {
  RegisterDriverGeneration(MySqlDriver250, EnteredFields(), *AliasEditor1);
}

void TLintoraForm::BtnAddParams53Click(TComponent*) {
  RegisterDriverGeneration(MySqlDriver53, EnteredFields(), *AliasEditor1);
}
