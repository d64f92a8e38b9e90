#include "app/win32/OtherArchitecture.h"

#include <memory>
#include <vector>

#include "app/InstallationSteps.h"
#include "app/RegistrationPlan.h"
#include "app/SetupFields.h"
#include "app/win32/DriverFiles.h"
#include "app/win32/FormResource.h"
#include "app/win32/Registration.h"
#include "app/win32/SystemPrograms.h"
#include "components/BinStream.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/FormStream.h"
#include "framework/win32/SystemPaths.h"

namespace {

// The two builds differ only here: which architecture is the other one and its registry view.
constexpr bool kSixtyFourBitProgram = sizeof(void*) == 8;
const char* const kOtherName = kSixtyFourBitProgram ? "32-bit" : "64-bit";
const REGSAM kOtherView = kSixtyFourBitProgram ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

const char* const kOtherDriversResource = "OTHERDRIVERS";

void WriteOtherDriverFiles(const TOtherArchitecture& other, TInstallationOutcome& outcome) {
  const std::string step =
      "write the " + other.name + " driver files into " + other.systemDirectory;
  std::unique_ptr<TComponent> files;
  try {
    const ProgramResource stored = ReadFormResource(kOtherDriversResource);
    files = std::make_unique<TComponent>(nullptr);
    FormReader(stored.Data(), stored.Size(), TFormBytes::Permanent).ReadRootComponent(*files);
  } catch (const Exception& error) {
    outcome.Skipped(
        step, "this program carries no " + other.name + " driver files (" + error.Message() + ")");
    return;
  }
  for (int i = 0; i < files->ComponentCount(); ++i) {
    auto* file = dynamic_cast<TBinStream*>(files->Components(i));
    if (!file) continue;
    const std::string path = other.systemDirectory + DriverFileName(file->FileName());
    const std::string fileStep = "write the " + other.name + " driver file " + path;
    try {
      if (WriteDriverFile(*file, other.systemDirectory)) {
        outcome.Done(fileStep);
      } else {
        outcome.Skipped(fileStep, "a file of that name is there and is left alone");
      }
    } catch (const Exception& error) {
      outcome.Abandoned(fileStep, error.Message());
    }
  }
}

}  // namespace

std::optional<TOtherArchitecture> OtherArchitecture() {
  const std::string systemDirectory = OtherArchitectureSystemDirectory();
  if (systemDirectory.empty()) return std::nullopt;
  return TOtherArchitecture{kOtherName, systemDirectory, kOtherView};
}

void ServeOtherArchitecture(const TOtherArchitecture& other, const DriverGeneration* generation,
                            const TSetupFields& fields, bool requireTls,
                            TInstallationOutcome& outcome) {
  WriteOtherDriverFiles(other, outcome);
  if (!generation) return;
  // The same plan as the run's own registration: the records name SysDir, which each
  // architecture's programs read as their own system directory.
  const RegistrationPlan plan = PlanRegistration(*generation, fields, SysDir());
  outcome.Add(WriteMachineWideSteps(plan.registry, other.registryView, other.name));
  if (requireTls) {
    outcome.DoneUnlessAbandoned(
        "tell the " + other.name + " driver to use TLS",
        RequireTlsInRecords(fields.DataSource, other.registryView, other.name));
  }
}
