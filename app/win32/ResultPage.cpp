// The dialog's side of an installation run: the start button runs it on what the controls show,
// the run is logged, and the result page, the error box and the exit code show its outcome.
#include <string>

#include "app/RunLog.h"
#include "app/SetupFields.h"
#include "app/win32/InstallationRun.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/RunLogFile.h"
#include "components/Memos.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/Image.h"
#include "controls/win32/Label.h"
#include "controls/win32/Notebook.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/Query.h"
#include "framework/CodePages.h"
#include "framework/win32/WideText.h"

namespace {
const char* const kResultPage = "1";
}  // namespace

// "AUTO" promises a run; when start-up failed before it (the error box was shown and the dialog
// closed without a run), a deployment script must not read that as success.
int TLintoraForm::ExitCode() const {
  if (lastExitCode_) return *lastExitCode_;
  return autoRunRequested_ ? kExitRunFailed : 0;
}

void TLintoraForm::BtnStartSetClick(TComponent*) {
  RunAndShow(EnteredFields());
}

TInstallationOptions TLintoraForm::RunOptions() {
  TInstallationOptions options;
  options.createDatabase = CheckBox1->Checked();
  options.hostList = &CBox2->Items();
  options.driverFiles = DriverFiles();
  options.aliasEditor = AliasEditor1;
  options.database = Database1;
  options.query = Query1;
  return options;
}

// The log is written before anything is shown: the error box waits for a person. A SILENT run
// shows nothing; the log holds what the error box or the result page would say.
void TLintoraForm::RunAndShow(const TSetupFields& fields) {
  const TInstallationOutcome outcome = RunInstallation(fields, RunOptions());
  lastExitCode_ = outcome.ExitCode();
  AppendRunLog(userDataFolder_, RunLogBlock(RunLogTime(), fields, outcome));
  if (silentRun_) return;
  if (outcome.Ended()) std::rethrow_exception(outcome.errorObject);
  ShowConnectionResult(outcome.connection);
  ANotebook1->SetActivePage(kResultPage);
}

// The data source's name is what the user typed, in the system's code page; the line around it is
// the form's own text.
std::string TLintoraForm::ConnectionOutcome(const std::string& dataSource,
                                            const char* verdictKey) const {
  const std::string name = TextInCodePage(dataSource, kSystemCodePage, FormCodePage());
  return Memos1->Lookup("S_LINK") + name + Memos1->Lookup(verdictKey);
}

void TLintoraForm::ShowConnectionResult(const TConnectionResult& result) {
  const bool opened = result.state == TConnectionState::Opened;
  ImageA->Picture().Assign((opened ? Image3 : Image4)->Picture());
  LabelMsg->SetCaption(ConnectionOutcome(result.dataSource, opened ? "S_Succ" : "S_FAIL"));
  if (!opened) Memo1->Lines().SetText(result.message);
  Memo1->SetVisible(!opened);
  BtnPrior->SetVisible(!opened);
}

// A failure to create the database raises before the result page is touched.
bool TLintoraForm::TestConnection(bool createDatabase) {
  const TConnectionResult result =
      TestDataSource(*Database1, *Query1, CBox1->Text(), createDatabase);
  ShowConnectionResult(result);
  return result.state == TConnectionState::Opened;
}
