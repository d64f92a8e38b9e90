#include "app/win32/LintoraMain.h"

#include <windows.h>

#include "app/SetupFields.h"
#include "app/StartupCommandLine.h"
#include "app/win32/ErrorHandling.h"
#include "app/win32/FormResource.h"
#include "app/win32/SettingsStore.h"
#include "app/win32/SystemPrograms.h"
#include "components/BinStream.h"
#include "components/Memos.h"
#include "controls/win32/Application.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/ControlClasses.h"
#include "controls/win32/Edits.h"
#include "controls/win32/Image.h"
#include "controls/win32/Label.h"
#include "controls/win32/Notebook.h"
#include "controls/win32/Panel.h"
#include "controls/win32/WinXP.h"
#include "dbengine/AliasEd.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/DbEngineClasses.h"
#include "dbengine/win32/Query.h"
#include "framework/ClassRegistry.h"
#include "framework/Exceptions.h"
#include "framework/FormStream.h"
#include "framework/FormatSettings.h"

namespace {
const char* const InputPage = "0";
}  // namespace

const TClassInfo& TLintoraForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TLintoraForm>("TLintoraForm", TForm::StaticClassInfo());
  return info;
}

TLintoraForm::TLintoraForm(TComponent* owner) : TForm(owner), commandLine_(GetCommandLineA()) {
  PublishMethod("FormCreate", &TLintoraForm::FormCreate);
  PublishMethod("BtnInitClick", &TLintoraForm::BtnInitClick);
  PublishMethod("BtnAddParams25Click", &TLintoraForm::BtnAddParams25Click);
  PublishMethod("BtnAddParams53Click", &TLintoraForm::BtnAddParams53Click);
  PublishMethod("CBox0Change", &TLintoraForm::CBox0Change);
  PublishMethod("Button1Click", &TLintoraForm::Button1Click);
  PublishMethod("BtnExitClick", &TLintoraForm::BtnExitClick);
  PublishMethod("BtnPriorClick", &TLintoraForm::BtnPriorClick);
  PublishMethod("BtnStartSetClick", &TLintoraForm::BtnStartSetClick);
  PublishMethod("CBox1DropDown", &TLintoraForm::CBox1DropDown);
  PublishMethod("CBox1Click", &TLintoraForm::CBox1Click);
  PublishMethod("CBox1Exit", &TLintoraForm::CBox1Exit);
  PublishMethod("BtnDeleteClick", &TLintoraForm::BtnDeleteClick);
}

void TLintoraForm::Loaded() {
  BindComponents();
  TForm::Loaded();
}

template <typename T>
void TLintoraForm::Bind(T*& field, const char* name) {
  field = dynamic_cast<T*>(FindComponent(name));
  if (!field) throw EReadError(std::string("Component ") + name + " not found");
}

void TLintoraForm::BindComponents() {
  Bind(ANotebook1, "ANotebook1");
  Bind(Panel1, "Panel1");
  Bind(Panel2, "Panel2");
  Bind(BtnInit, "BtnInit");
  Bind(BtnDelete, "BtnDelete");
  Bind(BtnAddParams25, "BtnAddParams25");
  Bind(BtnAddParams53, "BtnAddParams53");
  Bind(Label1, "Label1");
  Bind(Label2, "Label2");
  Bind(Label3, "Label3");
  Bind(Label4, "Label4");
  Bind(Label5, "Label5");
  Bind(Label6, "Label6");
  Bind(Label7, "Label7");
  Bind(Label8, "Label8");
  Bind(Label9, "Label9");
  Bind(Label10, "Label10");
  Bind(Label11, "Label11");
  Bind(Label12, "Label12");
  Bind(Label13, "Label13");
  Bind(LabelA, "LabelA");
  Bind(LabelMsg, "LabelMsg");
  Bind(CBox0, "CBox0");
  Bind(CBox1, "CBox1");
  Bind(CBox2, "CBox2");
  Bind(CBox5, "CBox5");
  Bind(Edit3, "Edit3");
  Bind(Edit4, "Edit4");
  Bind(Edit5, "Edit5");
  Bind(Edit6, "Edit6");
  Bind(Edit7, "Edit7");
  Bind(Edit8, "Edit8");
  Bind(CheckBox1, "CheckBox1");
  Bind(Image1, "Image1");
  Bind(Image2, "Image2");
  Bind(Image3, "Image3");
  Bind(Image4, "Image4");
  Bind(Image5, "Image5");
  Bind(Image6, "Image6");
  Bind(ImageA, "ImageA");
  Bind(Memo1, "Memo1");
  Bind(BtnStartSet, "BtnStartSet");
  Bind(BtnExit, "BtnExit");
  Bind(Button1, "Button1");
  Bind(BtnPrior, "BtnPrior");
  Bind(BtnClose, "BtnClose");
  Bind(Memos1, "Memos1");
  Bind(WinXP1, "WinXP1");
  Bind(Database1, "Database1");
  Bind(Query1, "Query1");
  Bind(AliasEditor1, "AliasEditor1");
}

// Start-up, while the dialog is still invisible. The language steps come before the title, so
// that it takes the caption in the user's language. Once the handler is installed, an error goes
// to ApplicationException and skips the remaining steps, and the dialog still opens.
void TLintoraForm::FormCreate(TComponent*) {
  userDataFolder_ = GetUserDataFolder();
  UseLanguageFiles();
  Application->OnException = ApplicationException;
  ConvertForSimplifiedChinese();
  Application->SetTitle(Caption(), FormCodePage());
  FormatSettings().DateSeparator = '/';
  BtnInit->Click();
  ANotebook1->SetActivePage(InputPage);
  LoadNameList(HostListName, CBox2->Items());
  ApplyStartupPresets(StartupPresetsFrom(commandLine_));
}

// The presets replace the loaded values without running CBox1's click action, so server and
// password are not reloaded from the data source.
void TLintoraForm::ApplyStartupPresets(const TStartupPresets& presets) {
  TSetupFields fields = EnteredFields();
  presets.ApplyTo(fields);
  ShowFields(fields);
  if (presets.autoRun) {
    BtnStartSet->Click();
    autoRunFinished_ = true;
  }
}

// The character set only applies to the 5.3 driver; the test on the text is exact.
void TLintoraForm::CBox0Change(TComponent*) {
  LabelA->SetVisible(CBox0->Text() == DriverGeneration53);
  CBox5->SetVisible(LabelA->Visible());
}

void TLintoraForm::Button1Click(TComponent*) {
  RunSystemProgram("odbcad32.exe");
}

void TLintoraForm::BtnExitClick(TComponent*) {
  Close();
}

void TLintoraForm::BtnPriorClick(TComponent*) {
  ANotebook1->SetActivePage(InputPage);
}

void RegisterLintoraFormClasses() {
  RegisterControlClasses();
  RegisterMemosClass();
  RegisterBinStreamClass();
  RegisterDbEngineClasses();
}

std::unique_ptr<TLintoraForm> ReadLintoraForm() {
  const ProgramResource stored = ReadFormResource("LINTORAFORM");
  auto form = std::make_unique<TLintoraForm>(nullptr);
  // The driver files stay in the program's image and are written to disk from there.
  FormReader(stored.Data(), stored.Size(), TFormBytes::Permanent).ReadRootComponent(*form);
  return form;
}
