#pragma once
// TLintoraForm: the setup dialog. Its controls and components come from the stored form in the
// program's resources; its members are the form's components as the form compiler lists them
// (a component renamed or given another class in the form no longer builds where the code uses
// it), pointed at by name once the form is read; its handlers are published under the names the
// stored form's events give.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "LintoraFormComponents.h"  // made by formc from the stored form
#include "controls/win32/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TImage;
class TLabel;
class TMemo;
class TMemos;
class TNotebook;
class TPage;
class TPanel;
class TSpeedButton;
class TWinXP;
class TDatabase;
class TQuery;
class TAliasEditor;
class TBinStream;
class PreparedDataSourceList;
struct TConnectionResult;
struct TInstallationOptions;
struct TInstallationOutcome;
struct TSetupFields;
struct TStartupPresets;

class TLintoraForm : public TForm {
  LINTORA_PUBLISHED(TLintoraForm)
 public:
  explicit TLintoraForm(TComponent* owner);
  ~TLintoraForm() override;

  // The stored form's components, one member each, named and typed as the form describes them
  // (formc's list of the form); bound after reading (EReadError when one is missing).
#define LINTORA_FORM_MEMBER(Class, Name) Class* Name = nullptr;
  FORM_COMPONENTS(LINTORA_FORM_MEMBER)
#undef LINTORA_FORM_MEMBER

  // Handlers named by the stored form.
  void FormCreate(TComponent* sender);
  void BtnInitClick(TComponent* sender);  // LoadSettings
  // The driver and data source registration of each generation (Registration.cpp).
  void BtnAddParams25Click(TComponent* sender);
  void BtnAddParams53Click(TComponent* sender);
  void CBox0Change(TComponent* sender);
  void Button1Click(TComponent* sender);
  void BtnExitClick(TComponent* sender);  // BtnExit and BtnClose
  void BtnPriorClick(TComponent* sender);
  void BtnStartSetClick(TComponent* sender);
  // The data source list (DataSourceList.cpp); CBox1Exit serves CBox1 and CBox2.
  void CBox1DropDown(TComponent* sender);
  void CBox1Click(TComponent* sender);
  void CBox1Exit(TComponent* sender);
  void BtnDeleteClick(TComponent* sender);
  // Shown, the dialog starts reading the data source list ahead (DataSourceList.cpp).
  void SetVisible(bool visible) override;
  // Removes the data source's entries under both roots and its engine alias; refuses (raises) a
  // name that would reach beyond its own record.
  void DeleteDataSource(const std::string& name);

  // The saved fields as the controls show them, and shown in the controls (Settings.cpp).
  TSetupFields EnteredFields() const;
  void ShowFields(const TSetupFields& fields);
  // Saved settings: the fields from the settings key and file, shown and returned; and back to
  // the key together with the host list (Settings.cpp).
  TSetupFields LoadSettings();
  void SaveSettings();

  // The command line start-up reads; the process's own unless set before FormCreate runs.
  void SetCommandLine(const std::string& commandLine) {
    commandLine_ = commandLine;
  }
  // The loaded fields with the presets over them are shown; with "AUTO" or "SILENT" they are
  // installed.
  void ApplyStartupPresets(const TSetupFields& loaded, const TStartupPresets& presets);
  // Set when start-up ran the installation for "AUTO" or "SILENT" to its end: the program then
  // ends with ExitCode instead of showing the dialog.
  bool AutoRunFinished() const {
    return autoRunFinished_;
  }

  // The installation run on these fields with the dialog's components, logged and shown: the
  // result page when the connection test was reached; the error that ended the run is raised
  // again, for the error box (ResultPage.cpp). A SILENT run is logged only.
  void RunAndShow(const TSetupFields& fields);
  TInstallationOptions RunOptions();
  // Two steps of the run on their own, with the dialog's components: the driver files
  // (DriverFiles.cpp), and the connection test of the data source CBox1 names, which fills the
  // result page and tells whether the connection opened (ResultPage.cpp).
  std::vector<TBinStream*> DriverFiles() const;
  void WriteDriverFiles();
  bool TestConnection(bool createDatabase);

  // What the process's last installation run did, for deployment scripts: 0 the connection
  // opened (or no run happened without "AUTO"), 1 the connection test failed, 2 an error ended
  // the run or "AUTO" was given and no run happened.
  int ExitCode() const;

  // The user data folder start-up made (with its trailing backslash).
  const std::string& UserDataFolder() const {
    return userDataFolder_;
  }

  // Start-up language steps (LanguageSteps.cpp): the language folder becomes the user data
  // folder and its language files are filled and applied; then, on a Simplified-Chinese system,
  // the dialog without a language file of its own is converted to GB2312 and three captions get
  // their fixed GB2312 texts.
  void UseLanguageFiles();
  void ConvertForSimplifiedChinese();

  void Loaded() override;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BindComponents();
  void DataSourcesRead();
  void ShowConnectionResult(const TConnectionResult& result);
  // "連結" + the data source's name + the verdict looked up under verdictKey.
  std::string ConnectionOutcome(const std::string& dataSource, const char* verdictKey) const;
  template <typename T>
  void Bind(T*& field, const char* name);

  std::string commandLine_;
  std::string userDataFolder_;
  bool autoRunRequested_ = false;  // start-up's command line asked for "AUTO"
  bool autoRunFinished_ = false;
  bool silentRun_ = false;
  std::optional<int> lastExitCode_;  // none until an installation run has ended
  std::unique_ptr<PreparedDataSourceList> dataSources_;
};

// The exit code of a run that an error ended, and of a process that could not even read its form.
constexpr int kExitRunFailed = 2;

// Makes every class the stored form names known to the class registry (once).
void RegisterLintoraFormClasses();
// A new dialog read from the stored form in the program's resources; FormCreate has not run.
std::unique_ptr<TLintoraForm> ReadLintoraForm();
