#include "app/win32/LintoraMain.h"

#include <windows.h>

#include "app/SetupFields.h"
#include "app/StartupCommandLine.h"
#include "app/win32/DataSourceListStore.h"
#include "app/win32/ErrorHandling.h"
#include "app/win32/FormResource.h"
#include "app/win32/PreparedDataSourceList.h"
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
const char* const kInputPage = "0";
}  // namespace

const TClassInfo& TLintoraForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TLintoraForm>("TLintoraForm", TForm::StaticClassInfo());
  return info;
}

TLintoraForm::TLintoraForm(TComponent* owner)
    : TForm(owner),
      commandLine_(GetCommandLineA()),
      dataSources_(std::make_unique<PreparedDataSourceList>(MySqlDriverFilter)) {
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

TLintoraForm::~TLintoraForm() = default;

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
#define LINTORA_BIND_COMPONENT(Class, Name) Bind(Name, #Name);
  FORM_COMPONENTS(LINTORA_BIND_COMPONENT)
#undef LINTORA_BIND_COMPONENT
}

// Start-up, while the dialog is still invisible. The language steps come before the title, so
// that it takes the caption in the user's language. Once the handler is installed, an error goes
// to ApplicationException and skips the remaining steps, and the dialog still opens.
void TLintoraForm::FormCreate(TComponent*) {
  const TStartupPresets presets = StartupPresetsFrom(commandLine_);
  autoRunRequested_ = presets.autoRun;
  userDataFolder_ = GetUserDataFolder();
  UseLanguageFiles();
  // A SILENT start keeps the handler the program start gave it, which logs instead of showing.
  if (!presets.silentRun) Application->OnException = ApplicationException;
  ConvertForSimplifiedChinese();
  Application->SetTitle(Caption(), FormCodePage());
  FormatSettings().DateSeparator = '/';
  const TSetupFields loaded = LoadSettings();  // what BtnInit does
  ANotebook1->SetActivePage(kInputPage);
  LoadNameList(HostListName, CBox2->Items());
  ApplyStartupPresets(loaded, presets);
}

// The presets replace the loaded values without running CBox1's click action, so server and
// password are not reloaded from the data source. The run takes the values themselves; the
// controls show the same, so that the dialog opened after an error shows what was run.
void TLintoraForm::ApplyStartupPresets(const TSetupFields& loaded, const TStartupPresets& presets) {
  TSetupFields fields = loaded;
  presets.ApplyTo(fields);
  ShowFields(fields);
  if (presets.autoRun || presets.silentRun) {
    silentRun_ = presets.silentRun;
    RunAndShow(fields);
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
  ANotebook1->SetActivePage(kInputPage);
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
