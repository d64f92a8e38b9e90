// BtnStartSetClick: the installation run, and what the last run tells the process's exit code.
#include "app/SetupFields.h"
#include "app/StartupCommandLine.h"
#include "app/win32/DriverFiles.h"
#include "app/win32/LintoraMain.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Notebook.h"

namespace {
const char* const kResultPage = "1";
}  // namespace

// The driver files' names are checked before anything is written. Values are saved before
// anything else, so a run that fails later still leaves them for the next start. Both generation
// tests are made and are exact: any other text registers nothing and the run goes on. An error
// ends the run where it happens and leaves the outcome "failed".
void TLintoraForm::BtnStartSetClick(TComponent*) {
  lastRun_ = TRunOutcome::Failed;
  CheckDriverFileNames(*this);
  SaveSettings();
  if (CBox0->Text() == DriverGeneration25) BtnAddParams25->Click();
  if (CBox0->Text() == DriverGeneration53) BtnAddParams53->Click();
  WriteDriverFiles();
  const bool connected = TestConnection(CheckBox1->Checked());
  ANotebook1->SetActivePage(kResultPage);
  lastRun_ = connected ? TRunOutcome::Connected : TRunOutcome::ConnectionFailed;
}

// "AUTO" promises a run; when start-up failed before it (the error box was shown and the dialog
// closed without a run), a deployment script must not read that as success.
int TLintoraForm::ExitCode() const {
  switch (lastRun_) {
    case TRunOutcome::Connected:
      return 0;
    case TRunOutcome::ConnectionFailed:
      return 1;
    case TRunOutcome::Failed:
      return kExitRunFailed;
    default:
      return StartupPresetsFrom(commandLine_).autoRun ? kExitRunFailed : 0;
  }
}
