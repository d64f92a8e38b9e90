// The registration of both driver generations, clicked on the hidden buttons of the dialog read
// from the program's stored form, read back from the real registry, profile files and alias
// configuration of the test prefix: the exact record set of each generation, what runs change
// over earlier runs, machine-wide keys that cannot be used, failures that end the registration,
// and the names it refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/DataSourceNameMessages.h"
#include "app/SetupFields.h"
#include "app/win32/ErrorHandling.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/Registration.h"
#include "controls/win32/Application.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/MessageBox.h"
#include "dbengine/AliasConfig.h"
#include "dbengine/AliasEd.h"
#include "dbengine/Session.h"
#include "dbengine/win32/RegistrySessionStorage.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/TextCompare.h"
#include "framework/win32/Registry.h"
#include "tests/unit/app/RegistrationFields.h"
#include "tests/unit/app/win32/OdbcState.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {

using Record = std::map<std::string, std::string>;

const char* const kName = "LtSales";
const char* const kDriver53 = "MySQL ODBC 5.3 Driver";
const std::string kBits = "(32 \xa6\xec\xa4\xb8)";  // (32 位元), Big5 bytes whatever the code page

// The system directory as the program sees it (syswow64 for a 32-bit program of a 64-bit
// prefix), asked here without the program's helpers.
std::string Sys(const std::string& file) {
  char buffer[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
  return std::string(buffer, length) + "\\" + file;
}

std::string WindowsFile(const std::string& file) {
  char buffer[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
  return std::string(buffer, length) + "\\" + file;
}

TSetupFields Fields(const std::string& dataSource = kName) {
  return RegistrationFields(dataSource);
}

Record DataSourceRecord(const std::string& driverFile, const std::string& description,
                        const std::string& database) {
  return {{"Driver", Sys(driverFile)},
          {"Description", description},
          {"DataBase", database},
          {"Server", "db.example"},
          {"User", "admin"},
          {"Password", "pw"},
          {"Option", "3"},
          {"Port", "3307"}};
}

Record Driver250Record() {
  return {{"Driver", Sys("myodbc.dll")},
          {"Setup", Sys("myodbc.dll")},
          {"APILevel", "2"},
          {"ConnectFunctions", "YYN"},
          {"DriverODBCVer", "02.50"},
          {"FileUsage", "0"},
          {"FileExtns", "*.txt"},
          {"SQLLevel", "1"}};
}

// What a 2.50 run from nothing leaves under either root.
Records Expected250() {
  return {
      {"ODBC.INI", {}},
      {"ODBC.INI\\ODBC Data Sources", {{kName, "MySQL"}, {"mysql", "MySQL"}}},
      {"ODBC.INI\\mysql", DataSourceRecord("myodbc.dll", "This Is MySql Odbc", "mysql")},
      {"ODBC.INI\\LtSales", DataSourceRecord("myodbc.dll", "This Is MySql Odbc", kName)},
      {"ODBCINST.INI", {}},
      {"ODBCINST.INI\\ODBC Drivers", {{"MySQL", "Installed"}}},
      {"ODBCINST.INI\\MySQL", Driver250Record()},
  };
}

// What a 5.3 run from nothing leaves: the per-user default record says "5.3" and the per-user
// record of the data source has the character set.
Records Expected53(HKEY root) {
  const bool user = root == HKEY_CURRENT_USER;
  Records records = {
      {"ODBC.INI", {}},
      {"ODBC.INI\\ODBC Data Sources", {{kName, kDriver53}, {"mysql", kDriver53}}},
      {"ODBC.INI\\MySQL",
       DataSourceRecord("myodbc5a.dll", user ? "This Is MySql Odbc 5.3" : "This Is MySql Odbc",
                        "mysql")},
      {"ODBC.INI\\LtSales", DataSourceRecord("myodbc5a.dll", "This Is MySql Odbc", kName)},
      {"ODBCINST.INI", {}},
      {"ODBCINST.INI\\ODBC Drivers", {{kDriver53, "Installed"}}},
      {"ODBCINST.INI\\MySQL ODBC 5.3 Driver",
       {{"Driver", Sys("myodbc5a.dll")}, {"Setup", Sys("myodbc5S.dll")}}},
  };
  if (user) records["ODBC.INI\\LtSales"]["CHARSET"] = "big5";
  return records;
}

Records Machine() {
  return StringRecords(ReadTree(HKEY_LOCAL_MACHINE, OdbcTree));
}

Records User() {
  return StringRecords(ReadTree(HKEY_CURRENT_USER, OdbcTree));
}

std::vector<std::string> OdbcIni250() {
  return {"[ODBC 32 bit Data Sources] LtSales=MySQL " + kBits,
          "[LtSales] Driver32=" + Sys("myodbc.dll")};
}

std::vector<std::string> OdbcIni53() {
  return {"[ODBC 32 bit Data Sources] LtSales=MySQL ODBC 5.3 Driver " + kBits,
          "[LtSales] Driver32=" + Sys("myodbc.dll")};
}

std::vector<std::string> OdbcInstIni250() {
  return {"[ODBC 32 bit Drivers] MySQL (32 bit)=Installed",
          "[MySQL (32 bit)] Driver=" + Sys("myodbc.dll"),
          "[MySQL (32 bit)] Setup=" + Sys("myodbc.dll"), "[MySQL (32 bit)] 32Bit=1"};
}

std::vector<std::string> OdbcInstIni53() {
  return {"[ODBC 32 bit Drivers] MySQL ODBC 5.3 Driver (32 bit)=Installed",
          "[MySQL (32 bit)] Driver=" + Sys("myodbc5a.dll"),
          "[MySQL (32 bit)] Setup=" + Sys("myodbc5S.dll"), "[MySQL (32 bit)] 32Bit=1"};
}

// The alias's parameters as the engine reports them now.
std::vector<std::string> AliasParams(const std::string& name) {
  TAliasEditor editor(nullptr);
  TStringList params;
  editor.ReadAliasParams(name, params);
  return params.Lines();
}

// The parameters the engine derives from the data source's record, with the BLOB ones set.
std::vector<std::string> DerivedAliasParams(const std::string& name, bool withCharset,
                                            const std::string& blobSize,
                                            const std::string& blobsToCache) {
  TStringList record;
  record.Add("DataBase=" + name);
  record.Add("Server=db.example");
  record.Add("Port=3307");
  record.Add("User=admin");
  if (withCharset) record.Add("CHARSET=big5");
  TStringList params;
  DataSourceAliasParams(name, record, params);
  if (!blobSize.empty()) params.SetValue("BLOB SIZE", blobSize);
  if (!blobsToCache.empty()) params.SetValue("BLOBS TO CACHE", blobsToCache);
  return params.Lines();
}

// The persistent parameters the configuration file holds for the alias.
std::vector<std::string> StoredAliasChanges(const std::string& name) {
  const FileCopy file = ReadFileCopy(DefaultConfigFilePath());
  const AliasConfig config = AliasConfig::Parse(file.bytes);
  const AliasEntry* entry = config.Find(name);
  return entry ? entry->params.Lines() : std::vector<std::string>{"<no alias " + name + ">"};
}

class Registration : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterLintoraFormClasses(); }

  // Every test starts with no ODBC keys, no profile files and no engine aliases, and leaves the
  // prefix as it found it.
  void SetUp() override {
    saved_ = OdbcState::Read();
    OdbcState().Restore();
    form_ = ReadLintoraForm();
    form_->SetCommandLine("Lintora.exe");
    form_->DoCreate();
    Application->OnException = [this](TComponent*, const Exception& error) {
      errors_.push_back(error.Message());
    };
  }
  void TearDown() override {
    form_.reset();
    Application->OnException = nullptr;
    saved_.Restore();
  }

  // Clicks the hidden button the way its window does: the notification goes through the window
  // procedure of its parent, which hands an error to the application object.
  void Click(TSpeedButton* button) {
    HWND window = button->Handle();
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
  }
  void Register250(const TSetupFields& fields = Fields()) {
    form_->ShowFields(fields);
    Click(form_->BtnAddParams25);
  }
  void Register53(const TSetupFields& fields = Fields()) {
    form_->ShowFields(fields);
    Click(form_->BtnAddParams53);
  }

  OdbcState saved_;
  std::unique_ptr<TLintoraForm> form_;
  std::vector<std::string> errors_;
};

}  // namespace

// --- the record set of each generation --------------------------------------------------------

TEST_F(Registration, Generation53WritesExactlyItsRecords) {
  Register53();
  EXPECT_EQ(errors_, std::vector<std::string>{});
  EXPECT_EQ(Machine(), Expected53(HKEY_LOCAL_MACHINE));
  EXPECT_EQ(User(), Expected53(HKEY_CURRENT_USER));
  EXPECT_EQ(ProfileLines(WindowsFile("ODBC.INI")), OdbcIni53());
  EXPECT_EQ(ProfileLines(WindowsFile("ODBCINST.INI")), OdbcInstIni53());
  // The two Big5 bytes pairs of 位元 are in the file as such.
  EXPECT_NE(ReadFileCopy(WindowsFile("ODBC.INI"))
                .bytes.find("=MySQL ODBC 5.3 Driver (32 \xa6\xec\xa4\xb8)\r\n"),
            std::string::npos);
  EXPECT_EQ(AliasParams(kName), DerivedAliasParams(kName, true, "8192", "128"));
  EXPECT_EQ(StoredAliasChanges(kName),
            (std::vector<std::string>{"BLOB SIZE=8192", "BLOBS TO CACHE=128"}));
}

TEST_F(Registration, Generation250WritesExactlyItsRecords) {
  Register250();
  EXPECT_EQ(errors_, std::vector<std::string>{});
  EXPECT_EQ(Machine(), Expected250());
  EXPECT_EQ(User(), Expected250());
  EXPECT_EQ(ProfileLines(WindowsFile("ODBC.INI")), OdbcIni250());
  EXPECT_EQ(ProfileLines(WindowsFile("ODBCINST.INI")), OdbcInstIni250());
  EXPECT_NE(ReadFileCopy(WindowsFile("ODBC.INI")).bytes.find("=MySQL (32 \xa6\xec\xa4\xb8)\r\n"),
            std::string::npos);
  EXPECT_EQ(AliasParams(kName), DerivedAliasParams(kName, false, "8192", "128"));
}

// Every value is a plain string, under both roots.
TEST_F(Registration, EveryValueIsAString) {
  Register250();
  Register53();
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    const RegistryTree tree = ReadTree(root, OdbcTree);
    EXPECT_EQ(tree.size(), 9u);  // the top and the eight keys of both generations
    for (const auto& key : tree) {
      for (const auto& value : key.second) {
        EXPECT_EQ(value.second.type, static_cast<DWORD>(REG_SZ)) << key.first << " " << value.first;
      }
    }
  }
}

// Existing entries of the profile files stay; the registration's own are written over.
TEST_F(Registration, ProfileFilesKeepTheirOtherEntries) {
  WriteFileCopy(WindowsFile("ODBC.INI"),
                {true,
                 "[ODBC 32 bit Data Sources]\r\nOther=Other Driver\r\nLtSales=old\r\n"
                 "[Other]\r\nDriver32=C:\\other.dll\r\n"});
  Register53();
  EXPECT_EQ(ProfileLines(WindowsFile("ODBC.INI")),
            (std::vector<std::string>{
                "[ODBC 32 bit Data Sources] Other=Other Driver",
                "[ODBC 32 bit Data Sources] LtSales=MySQL ODBC 5.3 Driver " + kBits,
                "[Other] Driver32=C:\\other.dll", "[LtSales] Driver32=" + Sys("myodbc.dll")}));
}

// --- runs over earlier runs -------------------------------------------------------------------

TEST_F(Registration, Generation53After250) {
  Register250();
  Register53();
  EXPECT_EQ(errors_, std::vector<std::string>{});
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    Records expected = Expected53(root);
    expected["ODBCINST.INI\\ODBC Drivers"]["MySQL"] = "Installed";
    expected["ODBCINST.INI\\MySQL"] = Driver250Record();  // keeps its eight values
    EXPECT_EQ(root == HKEY_LOCAL_MACHINE ? Machine() : User(), expected);
  }
  EXPECT_EQ(ProfileLines(WindowsFile("ODBC.INI")), OdbcIni53());
  EXPECT_EQ(ProfileLines(WindowsFile("ODBCINST.INI")),
            (std::vector<std::string>{
                "[ODBC 32 bit Drivers] MySQL (32 bit)=Installed",
                "[ODBC 32 bit Drivers] MySQL ODBC 5.3 Driver (32 bit)=Installed",
                "[MySQL (32 bit)] Driver=" + Sys("myodbc5a.dll"),
                "[MySQL (32 bit)] Setup=" + Sys("myodbc5S.dll"), "[MySQL (32 bit)] 32Bit=1"}));
}

TEST_F(Registration, Generation250After53RemovesTheCharset) {
  Register53();
  Register250();
  EXPECT_EQ(errors_, std::vector<std::string>{});
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    Records expected = Expected250();
    expected["ODBCINST.INI\\ODBC Drivers"][kDriver53] = "Installed";
    expected["ODBCINST.INI\\MySQL ODBC 5.3 Driver"] =
        Expected53(root)["ODBCINST.INI\\MySQL ODBC 5.3 Driver"];
    EXPECT_EQ(root == HKEY_LOCAL_MACHINE ? Machine() : User(), expected);
  }
  EXPECT_EQ(AliasParams(kName), DerivedAliasParams(kName, false, "8192", "128"));
}

TEST_F(Registration, EmptyPasswordRemovesAnEarlierOne) {
  Register53();
  TSetupFields fields = Fields();
  fields.Password.clear();
  Register53(fields);
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    Records expected = Expected53(root);
    expected["ODBC.INI\\MySQL"].erase("Password");
    expected["ODBC.INI\\LtSales"].erase("Password");
    EXPECT_EQ(root == HKEY_LOCAL_MACHINE ? Machine() : User(), expected);
  }
}

// Records are rebuilt from nothing: values and subkeys of another tool's record go.
TEST_F(Registration, DataSourceRecordsAreRebuiltFromNothing) {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    TRegistry registry(root);
    ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\LtSales\\Sub", true));
    registry.WriteString("X", "1");
    ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\LtSales", true));
    registry.WriteString("Stale", "1");
    ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\mysql", true));
    registry.WriteString("Stale", "1");
    ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBCINST.INI\\MySQL ODBC 5.3 Driver", true));
    registry.WriteString("UsageCount", "2");  // a driver record keeps its other values
  }
  Register53();
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    Records expected = Expected53(root);
    expected["ODBCINST.INI\\MySQL ODBC 5.3 Driver"]["UsageCount"] = "2";
    EXPECT_EQ(root == HKEY_LOCAL_MACHINE ? Machine() : User(), expected);
  }
}

// The user's record goes into the default data source key after the default record, so that key
// ends with the user record's values.
TEST_F(Registration, DataSourceNamedMysqlEndsWithTheUserRecord) {
  Register53(Fields("MYSQL"));
  EXPECT_EQ(errors_, std::vector<std::string>{});
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    const Records records = root == HKEY_LOCAL_MACHINE ? Machine() : User();
    Record expected = DataSourceRecord("myodbc5a.dll", "This Is MySql Odbc", "MYSQL");
    if (root == HKEY_CURRENT_USER) expected["CHARSET"] = "big5";
    ASSERT_EQ(records.count("ODBC.INI\\MYSQL"), 1u);
    EXPECT_EQ(records.at("ODBC.INI\\MYSQL"), expected);
    EXPECT_EQ(records.size(), 6u);  // no second data source record
    const Record& list = records.at("ODBC.INI\\ODBC Data Sources");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(SameText(list.begin()->first, "mysql"));
    EXPECT_EQ(list.begin()->second, kDriver53);
  }

  Register250(Fields("mysql"));
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    const Records records = root == HKEY_LOCAL_MACHINE ? Machine() : User();
    ASSERT_EQ(records.count("ODBC.INI\\mysql"), 1u);
    EXPECT_EQ(records.at("ODBC.INI\\mysql"),
              DataSourceRecord("myodbc.dll", "This Is MySql Odbc", "mysql"));
  }
}

// --- the alias --------------------------------------------------------------------------------

TEST_F(Registration, AliasStartsFromTheDataSourceWithTheBlobParameters) {
  Register53();
  TAliasEditor editor(nullptr);
  TStringList changed;
  changed.Add("BLOB SIZE=1");
  changed.Add("ROWSET SIZE=99");
  editor.WriteAliasParams(kName, changed);
  ASSERT_EQ(StoredAliasChanges(kName),
            (std::vector<std::string>{"BLOB SIZE=1", "BLOBS TO CACHE=128", "ROWSET SIZE=99"}));

  TSetupFields fields = Fields();
  fields.BlobSize.clear();  // an empty field leaves the engine's value
  fields.BlobsToCache = "16";
  Register53(fields);
  EXPECT_EQ(errors_, std::vector<std::string>{});
  EXPECT_EQ(AliasParams(kName), DerivedAliasParams(kName, true, "", "16"));
  EXPECT_EQ(StoredAliasChanges(kName), std::vector<std::string>{"BLOBS TO CACHE=16"});
}

TEST_F(Registration, OtherAliasesStay) {
  Register53(Fields("LtOther"));
  Register53();
  EXPECT_EQ(StoredAliasChanges("LtOther"),
            (std::vector<std::string>{"BLOB SIZE=8192", "BLOBS TO CACHE=128"}));
  EXPECT_EQ(StoredAliasChanges(kName),
            (std::vector<std::string>{"BLOB SIZE=8192", "BLOBS TO CACHE=128"}));
}

// --- machine-wide keys that cannot be used ----------------------------------------------------

// As for an account without administrator rights: no machine-wide key can be opened. Every
// per-user record is still written, and the profile files and the alias as usual.
TEST_F(Registration, NoMachineWideKeyAtAllStillGivesEveryPerUserRecord) {
  {
    DanglingLink odbc(HKEY_LOCAL_MACHINE, OdbcTree);
    Register53();
    EXPECT_FALSE(odbc.TargetExists());
    EXPECT_EQ(Machine(), Records{});
  }
  EXPECT_EQ(errors_, std::vector<std::string>{});
  EXPECT_EQ(User(), Expected53(HKEY_CURRENT_USER));
  EXPECT_EQ(ProfileLines(WindowsFile("ODBC.INI")), OdbcIni53());
  EXPECT_EQ(ProfileLines(WindowsFile("ODBCINST.INI")), OdbcInstIni53());
  EXPECT_EQ(AliasParams(kName), DerivedAliasParams(kName, true, "8192", "128"));
}

// One machine-wide key that cannot be opened with full access, and one that is a link to
// nowhere: their two steps write nothing, into no other key; every other step is done.
TEST_F(Registration, AMachineWideStepThatCannotOpenItsKeyIsAbandonedAlone) {
  {
    ReadOnlyKey drivers(HKEY_LOCAL_MACHINE, "Software\\ODBC\\ODBCINST.INI\\ODBC Drivers",
                        {{"Marker", "kept"}});
    DanglingLink record(HKEY_LOCAL_MACHINE, "Software\\ODBC\\ODBC.INI\\LtSales");
    Register53();
    EXPECT_FALSE(record.TargetExists());
    Records expected = Expected53(HKEY_LOCAL_MACHINE);
    expected["ODBCINST.INI\\ODBC Drivers"] = {{"Marker", "kept"}};
    expected.erase("ODBC.INI\\LtSales");
    EXPECT_EQ(Machine(), expected);
  }
  EXPECT_EQ(errors_, std::vector<std::string>{});
  EXPECT_EQ(User(), Expected53(HKEY_CURRENT_USER));
  EXPECT_EQ(ProfileLines(WindowsFile("ODBCINST.INI")), OdbcInstIni53());
}

// After a connection test that found TLS required, every record the registration made gets the
// driver's TLS switch. A machine-wide record that cannot be opened with full access is returned
// abandoned with the system's reason, not passed over; a record that is not there is not made,
// in the program's own registry view or another.
TEST_F(Registration, TheTlsSwitchNamesTheMachineWideRecordItCouldNotWrite) {
  Register53();
  const std::string record = "Software\\ODBC\\ODBC.INI\\LtSales";
  std::vector<TRunStep> abandoned;
  {
    ReadOnlyKey blocked(HKEY_LOCAL_MACHINE, record, {{"Marker", "kept"}});
    abandoned = RequireTlsInRecords(kName);
  }
  ASSERT_EQ(abandoned.size(), 1u);
  EXPECT_EQ(abandoned[0].name,
            "TLS switch in the machine-wide record HKEY_LOCAL_MACHINE\\" + record);
  EXPECT_EQ(abandoned[0].state, TStepState::Abandoned);
  EXPECT_FALSE(abandoned[0].message.empty());
  EXPECT_EQ(Machine()["ODBC.INI\\MySQL"]["FORCETLS"], "1");
  EXPECT_EQ(User()["ODBC.INI\\LtSales"]["FORCETLS"], "1");
  EXPECT_EQ(User()["ODBC.INI\\MySQL"]["FORCETLS"], "1");

  const REGSAM otherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  EXPECT_TRUE(RequireTlsInRecords("LtNowhere", otherView, "other").empty());
}

// --- failures that end the registration -------------------------------------------------------

TEST_F(Registration, APerUserRecordThatCannotBeWrittenEndsTheRegistration) {
  {
    ReadOnlyKey record(HKEY_CURRENT_USER, "Software\\ODBC\\ODBC.INI\\LtSales",
                       {{"Marker", "kept"}});
    Register53();
    EXPECT_EQ(errors_, std::vector<std::string>{"Failed to set data for 'Driver'"});
    EXPECT_EQ(Machine(), Expected53(HKEY_LOCAL_MACHINE));  // steps 2 to 11 ran
    Records expected = Expected53(HKEY_CURRENT_USER);
    expected["ODBC.INI\\LtSales"] = {{"Marker", "kept"}};
    expected.erase("ODBCINST.INI\\MySQL ODBC 5.3 Driver");  // step 13 did not run
    EXPECT_EQ(User(), expected);
  }
  EXPECT_FALSE(ReadFileCopy(WindowsFile("ODBC.INI")).exists);
  EXPECT_FALSE(ReadFileCopy(WindowsFile("ODBCINST.INI")).exists);
  EXPECT_FALSE(ReadFileCopy(DefaultConfigFilePath()).exists);
}

TEST_F(Registration, AProfileEntryThatCannotBeWrittenEndsTheRegistration) {
  {
    const FolderInTheWay folder(WindowsFile("ODBCINST.INI"));
    Register250();
  }
  EXPECT_EQ(errors_, std::vector<std::string>{"Unable to write to " + WindowsFile("ODBCINST.INI")});
  EXPECT_EQ(Machine(), Expected250());
  EXPECT_EQ(User(), Expected250());
  EXPECT_EQ(ProfileLines(WindowsFile("ODBC.INI")), OdbcIni250());
  EXPECT_FALSE(ReadFileCopy(DefaultConfigFilePath()).exists);
}

TEST_F(Registration, AnAliasChangeTheEngineRefusesEndsTheRegistration) {
  {
    const FolderInTheWay folder(DefaultConfigFilePath() + ".new");
    Register53();
  }
  EXPECT_EQ(errors_, std::vector<std::string>{"Cannot write the engine configuration file " +
                                              DefaultConfigFilePath()});
  EXPECT_EQ(User(), Expected53(HKEY_CURRENT_USER));
  EXPECT_EQ(ProfileLines(WindowsFile("ODBCINST.INI")), OdbcInstIni53());
}

// --- refused names ----------------------------------------------------------------------------

TEST_F(Registration, RefusedNamesChangeNothingAnywhere) {
  Register53();
  Register250(Fields("LtOther"));
  ASSERT_EQ(errors_, std::vector<std::string>{});
  const std::string longName(33, 'n');
  for (const std::string& name : {std::string(), std::string("a\\b"), std::string("x(y)"), longName,
                                  std::string("ODBC Data Sources"), std::string("odbc file dsn")}) {
    for (TSpeedButton* button : {form_->BtnAddParams25, form_->BtnAddParams53}) {
      const OdbcState before = OdbcState::Read();
      errors_.clear();
      form_->ShowFields(Fields(name));
      Click(button);
      EXPECT_EQ(errors_,
                std::vector<std::string>{DataSourceNameMessage(CheckNewDataSourceName(name), name)})
          << "\"" << name << "\"";
      EXPECT_TRUE(OdbcState::Read() == before) << "\"" << name << "\" changed something";
    }
  }
  EXPECT_EQ(AliasParams(kName), DerivedAliasParams(kName, true, "8192", "128"));
}

TEST_F(Registration, ARefusedNameIsShownInTheErrorBox) {
  Application->OnException = ApplicationException;
  form_->ShowFields(Fields("x(y)"));
  std::string shown;
  const bool boxShown = AnswerMessageBox(
      "x(y)", [this] { Click(form_->BtnAddParams53); }, shown);
  ASSERT_TRUE(boxShown);
  EXPECT_EQ(shown,
            ErrorBoxText(DataSourceNameMessage(DataSourceNameFault::ForbiddenCharacter, "x(y)")));
}
