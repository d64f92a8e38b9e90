// TestConnection: proves the data source by opening it through the engine, optionally creating
// its database on the server first through the default data source, and fills the result page
// with the outcome.
#include <string>

#include "app/InstallationSteps.h"
#include "app/RegistrationPlan.h"
#include "app/win32/LintoraMain.h"
#include "components/Memos.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/Image.h"
#include "controls/win32/Label.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/Query.h"
#include "framework/CodePages.h"
#include "framework/Exceptions.h"
#include "framework/win32/WideText.h"

// The data source's name is what the user typed, in the system's code page; the line around it is
// the form's own text.
std::string TLintoraForm::ConnectionOutcome(const char* verdictKey) const {
  const std::string name =
      TextInCodePage(Database1->DatabaseName(), kSystemCodePage, FormCodePage());
  return Memos1->Lookup("S_LINK") + name + Memos1->Lookup(verdictKey);
}

// The database is created before the outcome line and the icon are touched: a failure there
// ends the run with the engine's message, the result page untouched.
void TLintoraForm::CreateDatabaseOnServer() {
  Database1->Close();
  Database1->SetDatabaseName(DefaultDataSource);
  Query1->SetDatabaseName(Database1->DatabaseName());
  Query1->SQL().SetText(CreateDatabaseStatement(CBox1->Text()));
  Query1->ExecSQL();
}

// The success texts stand before the open starts and are replaced only when it fails. Only the
// program's own errors are caught, and only those of the open.
bool TLintoraForm::TestConnection(bool createDatabase) {
  BtnPrior->SetVisible(false);
  Memo1->SetVisible(false);
  Database1->Close();
  Database1->SetDatabaseName(CBox1->Text());
  if (createDatabase) CreateDatabaseOnServer();
  ImageA->Picture().Assign(Image3->Picture());
  LabelMsg->SetCaption(ConnectionOutcome("S_Succ"));
  try {
    Database1->Open();
  } catch (const Exception& error) {
    LabelMsg->SetCaption(ConnectionOutcome("S_FAIL"));
    Memo1->Lines().SetText(error.Message());
    Memo1->SetVisible(true);
    ImageA->Picture().Assign(Image4->Picture());
    BtnPrior->SetVisible(true);
    return false;
  }
  return true;
}
