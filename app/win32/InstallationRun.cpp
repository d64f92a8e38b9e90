// BtnStartSetClick: the installation run, and what the last run tells the process's exit code.
#include "app/SetupFields.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/Registration.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Notebook.h"
#include "dbengine/win32/Database.h"

namespace {
const char* const kResultPage = "1";
}  // namespace

// Values are saved before anything else, so a run that fails later still leaves them for the
// next start. Both generation tests are made and are exact: any other text registers nothing and
// the run goes on. An error ends the run where it happens and leaves the outcome "failed".
void TLintoraForm::BtnStartSetClick(TComponent*) {
  lastRun_ = TRunOutcome::Failed;
  SaveSettings();
  if (CBox0->Text() == DriverGeneration25) BtnAddParams25->Click();
  if (CBox0->Text() == DriverGeneration53) BtnAddParams53->Click();
  WriteDriverFiles();
  const bool connected = TestConnection(CheckBox1->Checked());
  // The engine found its way in with TLS; the driver, which does not ask for TLS by itself, must
  // be told to when the server lets nothing else in.
  if (connected && Database1->ServerRequiresTls()) RequireTlsInRecords(CBox1->Text());
  ANotebook1->SetActivePage(kResultPage);
  lastRun_ = connected ? TRunOutcome::Connected : TRunOutcome::ConnectionFailed;
}

int TLintoraForm::ExitCode() const {
  switch (lastRun_) {
    case TRunOutcome::ConnectionFailed:
      return 1;
    case TRunOutcome::Failed:
      return 2;
    default:
      return 0;
  }
}
