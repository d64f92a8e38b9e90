// The data source box of the dialog read from the stored form, driven through its real windows
// (drop-down, choosing with keyboard and mouse, leaving the box, the delete button and its
// confirmation box) against the real registry, profile files and engine configuration of the
// test prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/DataSourceDeletionRefusal.h"
#include "app/win32/ErrorHandling.h"
#include "app/win32/LintoraMain.h"
#include "components/Memos.h"
#include "controls/win32/Application.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/MessageBox.h"
#include "dbengine/AliasEd.h"
#include "dbengine/DataSourceName.h"
#include "dbengine/win32/RegistrySessionStorage.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/TextCompare.h"
#include "framework/win32/LocaleCompare.h"
#include "framework/win32/Registry.h"
#include "framework/win32/SystemPaths.h"
#include "tests/unit/app/win32/OdbcState.h"
#include "tests/unit/controls/win32/TestForm.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {
const char* const kMySql = "MySQL";
const char* const kMySql53 = "MySQL ODBC 5.3 Driver";
const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
// "Software\ODBC\ODBC.INI", as the registry's own calls take it.
const std::string kOdbcIni =
    std::string(OdbcIniKeyPath).substr(1, std::string(OdbcIniKeyPath).size() - 2);
// The data source list's key below it.
const char* const kDataSourceList = "ODBC Data Sources";
using Values = std::vector<std::pair<std::string, std::string>>;

// One line per key and per value, so that two states can be compared exactly.
void AppendLines(const std::string& top, const RegistryTree& tree,
                 std::vector<std::string>& lines) {
  for (const auto& key : tree) {
    const std::string path = key.first.empty() ? top : top + "\\" + key.first;
    lines.push_back(path);
    for (const auto& value : key.second) {
      lines.push_back(path + "|" + value.first + "|" + std::to_string(value.second.type) + "|" +
                      value.second.data);
    }
  }
}

// Everything the driver manager keeps in the registry, per user and per machine.
std::vector<std::string> OdbcRegistry() {
  std::vector<std::string> lines;
  for (HKEY root : kRoots) {
    lines.push_back(root == HKEY_CURRENT_USER ? "[user]" : "[machine]");
    AppendLines(OdbcTree, ReadTree(root, OdbcTree), lines);
  }
  return lines;
}

// The lines of a dump that belong to the data source: its list value and its record.
// Key and value names as the registry compares them.
bool BelongsTo(const std::string& line, const std::string& name) {
  const std::string upper = UpperCaseAscii(line);
  const std::string list =
      UpperCaseAscii(std::string(DataSourceListKeyPath).substr(1) + "|" + name + "|");
  const std::string record = UpperCaseAscii(std::string(OdbcIniKeyPath).substr(1) + name);
  return upper.compare(0, list.size(), list) == 0 ||
         (upper.compare(0, record.size(), record) == 0 &&
          (upper.size() == record.size() || upper[record.size()] == '|' ||
           upper[record.size()] == '\\'));
}

std::vector<std::string> Without(std::vector<std::string> lines, const std::string& name) {
  lines.erase(std::remove_if(lines.begin(), lines.end(),
                             [&name](const std::string& line) { return BelongsTo(line, name); }),
              lines.end());
  return lines;
}

const char* const kAbsent = "<absent>";

// A whole file's bytes, or a mark that it is not there.
std::string FileState(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kAbsent;
  std::string bytes;
  char buffer[4096];
  DWORD count = 0;
  while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0) {
    bytes.append(buffer, count);
  }
  CloseHandle(file);
  return bytes;
}

void PutFile(const std::string& path, const std::string& state) {
  if (state == kAbsent) {
    DeleteFileA(path.c_str());
    return;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, state.data(), static_cast<DWORD>(state.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ConfigText() {
  return RegistrySessionStorage(DefaultConfigFilePath()).ReadConfigFile();
}

struct SeenBox {
  std::string caption;
  std::vector<std::string> texts;    // the static texts
  std::vector<std::string> buttons;  // button captions
  bool icon = false;
};

SeenBox Look(HWND box) {
  SeenBox seen;
  seen.caption = WindowText(box);
  for (HWND child : ChildWindows(box)) {
    if (ClassNameOf(child) == "Button") {
      seen.buttons.push_back(WindowText(child));
    } else if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      seen.icon = true;
    } else {
      seen.texts.push_back(WindowText(child));
    }
  }
  return seen;
}

class DataSourceBox : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterLintoraFormClasses();
    UseLocaleCompare();  // the order the program's sorted boxes keep
  }
  static void TearDownTestSuite() { SetStringListCompare(nullptr); }

  // Only the data sources a test writes are listed while it runs. The driver manager's keys, the
  // files and the aliases a test changes are put back as they were afterwards.
  void SetUp() override {
    for (HKEY root : kRoots) {
      savedOdbcIni_.push_back(ReadTree(root, kOdbcIni));
      TRegistry registry(root);
      if (!registry.OpenKey(DataSourceListKeyPath, false)) continue;
      const auto list = savedOdbcIni_.back().find(kDataSourceList);
      if (list == savedOdbcIni_.back().end()) continue;
      for (const auto& value : list->second) registry.DeleteValue(value.first);
    }
    form_ = ReadLintoraForm();
    form_->SetCommandLine("Lintora.exe");
    form_->DoCreate();
    form_->Show();
    PumpMessages();
  }

  void TearDown() override {
    for (const std::string& alias : aliases_) form_->AliasEditor1->RemoveAlias(alias);
    form_->Hide();
    form_.reset();
    Application->OnException = nullptr;
    for (const auto& file : files_) PutFile(file.first, file.second);
    for (size_t i = 0; i < savedOdbcIni_.size(); ++i)
      WriteTree(kRoots[i], kOdbcIni, savedOdbcIni_[i]);
  }

  // A data source as the registration writes it: its list value and, with values, its record
  // (rebuilt from nothing).
  void Register(HKEY root, const std::string& name, const std::string& driver,
                const Values& record = {}) {
    TRegistry registry(root);
    ASSERT_TRUE(registry.OpenKey(DataSourceListKeyPath, true));
    registry.WriteString(name, driver);
    if (record.empty()) return;
    const std::string key = OdbcIniKeyPath + name;
    registry.DeleteKey(key);
    ASSERT_TRUE(registry.OpenKey(key, true));
    for (const auto& value : record) registry.WriteString(value.first, value.second);
  }
  static void WriteNumber(const std::string& key, const std::string& name) {
    TRegistry registry(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey(key, false));
    const DWORD number = 7;
    ASSERT_EQ(RegSetValueExA(registry.CurrentKey(), name.c_str(), 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&number), sizeof number),
              ERROR_SUCCESS);
  }
  // An engine alias with a changed parameter, in the configuration file until the test ends.
  void Alias(const std::string& name) {
    TStringList params;
    params.Add("BLOB SIZE=64");
    form_->AliasEditor1->WriteAliasParams(name, params);
    aliases_.push_back(name);
  }
  // The file as it is now comes back when the test ends.
  std::string KeepFile(const std::string& path) {
    files_.emplace_back(path, FileState(path));
    return files_.back().second;
  }

  void CatchErrors() {
    Application->OnException = [this](TComponent*, const Exception& error) {
      errors_.push_back(error.Message());
    };
  }

  HWND Box1() { return form_->CBox1->Handle(); }

  // A new dialog, given the idle time a user gives it before opening the box: it has read the
  // data sources ahead and filled the box with count of them (ten seconds at most).
  void ShowNewDialog() {
    form_.reset();
    form_ = ReadLintoraForm();
    form_->SetCommandLine("Lintora.exe");
    form_->DoCreate();
    form_->Show();
  }
  void ShowNewDialogAndIdle(int count) {
    ShowNewDialog();
    for (int waited = 0; waited < 10000; waited += 50) {
      PumpMessages();
      if (SendMessageA(Box1(), CB_GETCOUNT, 0, 0) == count) break;
    }
  }

  // What the opened list shows.
  std::vector<std::string> DropDown() {
    SendMessageA(Box1(), CB_SHOWDROPDOWN, TRUE, 0);
    std::vector<std::string> shown;
    const int count = static_cast<int>(SendMessageA(Box1(), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::string item(static_cast<size_t>(SendMessageA(Box1(), CB_GETLBTEXTLEN, i, 0)), '\0');
      SendMessageA(Box1(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0]));
      shown.push_back(item);
    }
    SendMessageA(Box1(), CB_SHOWDROPDOWN, FALSE, 0);
    PumpMessages();
    return shown;
  }

  int IndexOf(const std::string& item) {
    return static_cast<int>(SendMessageA(Box1(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(item.c_str())));
  }

  // The arrow keys on the closed box, as the user chooses without opening the list.
  void ChooseWithKeyboard(const std::string& item) {
    const int index = IndexOf(item);
    ASSERT_GE(index, 0) << item;
    const bool fromAbove = index > 0;
    SendMessageA(Box1(), CB_SETCURSEL, fromAbove ? index - 1 : index + 1, 0);
    SendMessageA(Box1(), WM_KEYDOWN, fromAbove ? VK_DOWN : VK_UP, 0);
    PumpMessages();
  }

  // A click on the item in the opened list.
  void ChooseWithMouse(const std::string& item) {
    SendMessageA(Box1(), CB_SHOWDROPDOWN, TRUE, 0);
    const int index = IndexOf(item);
    ASSERT_GE(index, 0) << item;
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(Box1(), &info));
    RECT rect = {};
    SendMessageA(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
    SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
    PumpMessages();
    SendMessageA(Box1(), CB_SHOWDROPDOWN, FALSE, 0);
    PumpMessages();
  }

  // Typed into the box's edit field, as the user types.
  void Type(TComboBox* box, const std::string& text) {
    box->SetFocus();
    PumpMessages();
    HWND edit = FindWindowExA(box->Handle(), nullptr, "Edit", nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PumpMessages();
  }
  void FocusElsewhere() {
    form_->Edit3->SetFocus();
    PumpMessages();
  }

  // Presses the delete button with the mouse and answers the box that comes up with answer;
  // what the box showed, empty when none came up.
  SeenBox PressDelete(const std::function<void(HWND)>& answer) {
    SeenBox seen;
    HWND button = form_->BtnDelete->Handle();
    WhileModalWindow(
        MessageFormClassName,
        [&](HWND box) {
          seen = Look(box);
          answer(box);
        },
        [&] {
          PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
          PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
          PumpMessages(200);
        });
    return seen;
  }
  static void Press(HWND box, int id) { PostMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0); }
  static void Key(UINT key) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 0); }

  std::unique_ptr<TLintoraForm> form_;
  std::vector<std::string> errors_;

 private:
  std::vector<RegistryTree> savedOdbcIni_;
  std::vector<std::pair<std::string, std::string>> files_;
  std::vector<std::string> aliases_;
};

const std::string kConfirmCaption = "\xbd\x54\xbb\x7b";                    // 確認
const std::vector<std::string> kYesNo = {"\xac\x4f(&Y)", "\xa7\x5f(&N)"};  // 是(&Y) 否(&N)
}  // namespace

TEST_F(DataSourceBox, DropDownListsTheFamilysDataSourcesOnceInOrder) {
  Register(HKEY_CURRENT_USER, "Lt17Zeta", kMySql53);
  Register(HKEY_CURRENT_USER, "Lt17Alpha", kMySql);
  Register(HKEY_CURRENT_USER, "Lt17Old", "mysql odbc 3.51 driver");
  Register(HKEY_CURRENT_USER, "mysql", kMySql53);
  Register(HKEY_CURRENT_USER, "Lt17Sql", "SQL Server");
  Register(HKEY_CURRENT_USER, "Lt17Both", kMySql);
  Register(HKEY_CURRENT_USER, "LT17ALPHA2", kMySql);
  Register(HKEY_LOCAL_MACHINE, "Lt17Machine25", "mysql");
  Register(HKEY_LOCAL_MACHINE, "Lt17Machine53", kMySql53);
  Register(HKEY_LOCAL_MACHINE, "MYSQL", kMySql);
  Register(HKEY_LOCAL_MACHINE, "LT17BOTH", kMySql);
  Register(HKEY_LOCAL_MACHINE, "lt17alpha2", kMySql);
  Register(HKEY_LOCAL_MACHINE, "Lt17MachineSql", "SQL Server");
  form_->CBox1->SetText("typed");

  const std::vector<std::string> expected = {"Lt17Alpha",     "LT17ALPHA2", "Lt17Both",
                                             "Lt17Machine25", "Lt17Old",    "Lt17Zeta"};
  EXPECT_EQ(DropDown(), expected);
  EXPECT_EQ(form_->CBox1->Items().Lines(), expected);
  EXPECT_EQ(form_->CBox1->Text(), "typed");  // the edit field keeps its text
  EXPECT_EQ(DropDown(), expected);           // rebuilt, not added to
}

TEST_F(DataSourceBox, ValueThatIsNoStringStopsTheListingWithItsMessage) {
  CatchErrors();
  Register(HKEY_CURRENT_USER, "Lt17First", kMySql);
  Register(HKEY_CURRENT_USER, "Lt17Second", kMySql53);
  WriteNumber(DataSourceListKeyPath, "Lt17Number");
  Register(HKEY_CURRENT_USER, "Lt17Last", kMySql);
  Register(HKEY_LOCAL_MACHINE, "Lt17Machine", kMySql);

  // The names before the faulty value, in the order the registry enumerates them.
  TRegistry registry(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey(DataSourceListKeyPath, false));
  TStringList enumerated;
  registry.GetValueNames(enumerated);
  std::vector<std::string> gathered;
  for (const std::string& name : enumerated.Lines()) {
    if (name == "Lt17Number") break;
    gathered.push_back(name);
  }
  std::sort(gathered.begin(), gathered.end());

  EXPECT_EQ(DropDown(), gathered);
  EXPECT_EQ(errors_, (std::vector<std::string>{"Invalid data type for 'Lt17Number'"}));
}

TEST_F(DataSourceBox, ChoosingTakesServerAndPasswordFromTheUsersOwnRecordOnly) {
  CatchErrors();
  Register(HKEY_CURRENT_USER, "Lt17WithPassword", kMySql53,
           {{"Driver", "myodbc5a.dll"}, {"Server", "db1"}, {"User", "u1"}, {"Password", "p1"}});
  Register(HKEY_CURRENT_USER, "Lt17NoPassword", kMySql, {{"Server", "db2"}, {"User", "u2"}});
  Register(HKEY_LOCAL_MACHINE, "Lt17MachineOnly", kMySql,
           {{"Server", "machinehost"}, {"Password", "machinepw"}});
  form_->CBox2->SetText("kept");
  form_->Edit4->SetText("keptpw");
  form_->Edit3->SetText("user");
  DropDown();

  ChooseWithKeyboard("Lt17MachineOnly");
  EXPECT_EQ(form_->CBox1->Text(), "Lt17MachineOnly");
  EXPECT_EQ(form_->CBox2->Text(), "kept");
  EXPECT_EQ(form_->Edit4->Text(), "keptpw");

  ChooseWithMouse("Lt17WithPassword");
  EXPECT_EQ(form_->CBox1->Text(), "Lt17WithPassword");
  EXPECT_EQ(form_->CBox2->Text(), "db1");
  EXPECT_EQ(form_->Edit4->Text(), "p1");

  ChooseWithKeyboard("Lt17NoPassword");
  EXPECT_EQ(form_->CBox2->Text(), "db2");
  EXPECT_EQ(form_->Edit4->Text(), "");  // a missing value clears the field
  EXPECT_EQ(form_->Edit3->Text(), "user");
  EXPECT_TRUE(errors_.empty());

  // A server that is not a string: the message, and neither field changes.
  WriteNumber(OdbcIniKeyPath + std::string("Lt17WithPassword"), "Server");
  ChooseWithKeyboard("Lt17WithPassword");
  EXPECT_EQ(errors_, (std::vector<std::string>{"Invalid data type for 'Server'"}));
  EXPECT_EQ(form_->CBox2->Text(), "db2");
  EXPECT_EQ(form_->Edit4->Text(), "");
}

TEST_F(DataSourceBox, LeavingABoxAddsItsTextOnceIgnoringCase) {
  const int hostsBefore = form_->CBox2->Items().Count();
  Type(form_->CBox2, "Lt17-Host");
  FocusElsewhere();
  Type(form_->CBox2, "LT17-HOST");
  FocusElsewhere();
  EXPECT_EQ(form_->CBox2->Items().Count(), hostsBefore + 1);
  EXPECT_GE(form_->CBox2->Items().IndexOf("Lt17-Host"), 0);

  Type(form_->CBox1, "Lt17Typed");
  FocusElsewhere();
  EXPECT_GE(form_->CBox1->Items().IndexOf("Lt17Typed"), 0);
  EXPECT_EQ(DropDown(), std::vector<std::string>{});  // only until the next drop-down
}

TEST_F(DataSourceBox, NoOrEscapeInTheConfirmationChangesNothing) {
  Register(HKEY_CURRENT_USER, "Lt17Keep", kMySql53, {{"Server", "db1"}});
  Register(HKEY_LOCAL_MACHINE, "Lt17Keep", kMySql, {{"Server", "db1"}});
  DropDown();
  Type(form_->CBox1, "Lt17Keep");
  const std::vector<std::string> registry = OdbcRegistry();
  const std::vector<std::string> items = form_->CBox1->Items().Lines();

  const SeenBox asked = PressDelete([](HWND box) { Press(box, IDNO); });
  EXPECT_EQ(asked.caption, kConfirmCaption);
  EXPECT_EQ(asked.texts, std::vector<std::string>{form_->Memos1->Lookup("S_DELETE")});
  EXPECT_EQ(asked.texts[0], "\xbd\x54\xa9\x77\xad\x6e\xa7\x52\xb0\xa3?");  // 確定要刪除?
  EXPECT_TRUE(asked.icon);
  EXPECT_EQ(asked.buttons, kYesNo);
  EXPECT_EQ(OdbcRegistry(), registry);

  EXPECT_EQ(PressDelete([](HWND) { Key(VK_ESCAPE); }).caption, kConfirmCaption);
  EXPECT_EQ(OdbcRegistry(), registry);
  // The button never took the focus from the box, whose exit would have added to its list.
  EXPECT_TRUE(form_->CBox1->Focused());
  EXPECT_EQ(form_->CBox1->Items().Lines(), items);
}

TEST_F(DataSourceBox, YesDeletesExactlyTheNamedDataSourceAndItsAlias) {
  const Values record = {{"Driver", "C:\\windows\\system32\\myodbc5a.dll"},
                         {"Description", "This Is MySql Odbc"},
                         {"DataBase", "Lt17Target"},
                         {"Server", "db1"},
                         {"User", "root"},
                         {"Option", "27"},
                         {"Port", "3306"}};
  for (HKEY root : kRoots) {
    Register(root, "Lt17Target", root == HKEY_CURRENT_USER ? kMySql53 : kMySql, record);
    Register(root, "Lt17Other", kMySql, record);
    Register(root, "mysql", kMySql, {{"DataBase", "mysql"}});
  }
  {
    TRegistry registry(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey(OdbcIniKeyPath + std::string("Lt17Target\\Below"), true));
    registry.WriteString("Deep", "value");
  }
  // The profile files and the driver files as an installation leaves them.
  const std::string odbcIni = WindowsDirectory() + "ODBC.INI";
  const std::string odbcInstIni = WindowsDirectory() + "ODBCINST.INI";
  std::vector<std::string> files = {odbcIni, odbcInstIni};
  for (const char* name : {"Myodbc.dll", "Myodbcd.dll", "myodbc5a.dll", "myodbc5S.dll"}) {
    files.push_back(SystemDirectory() + name);
  }
  for (const std::string& path : files) {
    if (KeepFile(path) == kAbsent) PutFile(path, "Lt17 stand-in for " + path);
  }
  WritePrivateProfileStringA("ODBC 32 bit Data Sources", "Lt17Target", "MySQL (32 bit)",
                             odbcIni.c_str());
  WritePrivateProfileStringA("Lt17Target", "Driver32", "C:\\windows\\system32\\myodbc.dll",
                             odbcIni.c_str());
  WritePrivateProfileStringA("ODBC 32 bit Drivers", "MySQL (32 bit)", "Installed",
                             odbcInstIni.c_str());
  Alias("Lt17Target");
  Alias("Lt17Other");
  std::vector<std::string> fileStates;
  for (const std::string& path : files) fileStates.push_back(FileState(path));
  const std::vector<std::string> registry = OdbcRegistry();

  ASSERT_EQ(DropDown(), (std::vector<std::string>{"Lt17Other", "Lt17Target"}));
  ChooseWithKeyboard("Lt17Target");
  const SeenBox asked = PressDelete([](HWND) { Key(VK_RETURN); });  // yes is the default
  EXPECT_EQ(asked.buttons, kYesNo);

  EXPECT_EQ(OdbcRegistry(), Without(registry, "Lt17Target"));
  EXPECT_NE(OdbcRegistry(), registry);
  std::vector<std::string> fileStatesAfter;
  for (const std::string& path : files) fileStatesAfter.push_back(FileState(path));
  EXPECT_EQ(fileStatesAfter, fileStates);
  const std::string config = ConfigText();
  EXPECT_EQ(config.find("[Lt17Target]"), std::string::npos) << config;
  EXPECT_NE(config.find("[Lt17Other]"), std::string::npos) << config;
  // The box keeps its text and its items until the next drop-down.
  EXPECT_EQ(form_->CBox1->Text(), "Lt17Target");
  EXPECT_EQ(form_->CBox1->Items().Lines(), (std::vector<std::string>{"Lt17Other", "Lt17Target"}));
  EXPECT_EQ(DropDown(), std::vector<std::string>{"Lt17Other"});
  EXPECT_EQ(form_->CBox1->Text(), "Lt17Target");
}

TEST_F(DataSourceBox, NamesOnlyRegistrationRefusesAreDeletedAndTheDefaultWhenNamed) {
  CatchErrors();
  for (HKEY root : kRoots) {
    Register(root, "Lt17 a(b)", kMySql, {{"Server", "db1"}});
    Register(root, "Lt17Other", kMySql, {{"Server", "db1"}});
    Register(root, "mysql", kMySql, {{"DataBase", "mysql"}});
  }
  const std::vector<std::string> registry = OdbcRegistry();
  form_->DeleteDataSource("Lt17 a(b)");
  EXPECT_EQ(OdbcRegistry(), Without(registry, "Lt17 a(b)"));
  form_->DeleteDataSource("MYSQL");  // letter case does not matter to the registry
  EXPECT_EQ(OdbcRegistry(), Without(Without(registry, "Lt17 a(b)"), "mysql"));
  EXPECT_TRUE(errors_.empty());
}

TEST_F(DataSourceBox, RefusedNamesAreToldAtOnceAndChangeNothing) {
  for (HKEY root : kRoots) Register(root, "Lt17Parent", kMySql, {{"Server", "db1"}});
  {
    TRegistry registry(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey(OdbcIniKeyPath + std::string("Lt17Parent\\Child"), true));
    registry.WriteString("Server", "db2");
    ASSERT_TRUE(registry.OpenKey(OdbcIniKeyPath + std::string("ODBC File DSN"), true));
    registry.WriteString("DefaultDSNDir", "C:\\dsn");
  }
  Alias("Lt17Parent");
  const std::vector<std::string> registry = OdbcRegistry();
  const std::string config = ConfigText();

  for (const std::string& name : {std::string(), std::string("Lt17Parent\\Child"),
                                  std::string("ODBC Data Sources"), std::string("odbc file dsn")}) {
    form_->CBox1->SetText(name);
    const SeenBox shown = PressDelete([](HWND box) { Press(box, IDOK); });
    EXPECT_EQ(shown.caption, Application->Title()) << name;  // the error box, not the question
    EXPECT_EQ(shown.texts, std::vector<std::string>{ErrorBoxText(DeletionRefusalMessage(name))})
        << name;
    EXPECT_EQ(shown.buttons.size(), 1u) << name;
    EXPECT_THROW(form_->DeleteDataSource(name), Exception) << name;
    EXPECT_EQ(OdbcRegistry(), registry) << name;
    EXPECT_EQ(ConfigText(), config) << name;
    EXPECT_EQ(form_->CBox1->Items().Count(), 0) << name;  // no exit ran: the box kept the focus
  }
}

namespace {

// What the box must list, by the definition spelt out: the user's data sources whose driver
// holds "MYSQL", then the machine's whose driver is "MYSQL", without "MYSQL" itself, each name
// once (upper-cased as the system's code page does), in the sorted box's order.
std::vector<std::string> ListByDefinition() {
  std::vector<std::string> names;
  for (HKEY root : kRoots) {
    TRegistry registry(root);
    if (!registry.OpenKeyReadOnly(DataSourceListKeyPath)) continue;
    TStringList valueNames;
    registry.GetValueNames(valueNames);
    for (const std::string& name : valueNames.Lines()) {
      const std::string driver = AnsiUpperCase(registry.ReadString(name));
      const bool offered =
          root == HKEY_CURRENT_USER ? driver.find("MYSQL") != std::string::npos : driver == "MYSQL";
      const bool listed = std::any_of(names.begin(), names.end(), [&](const std::string& kept) {
        return AnsiUpperCase(kept) == AnsiUpperCase(name);
      });
      if (offered && !listed && AnsiUpperCase(name) != "MYSQL") names.push_back(name);
    }
  }
  TStringList sorted;
  sorted.SetSorted(true);
  for (const std::string& name : names) sorted.Add(name);
  return sorted.Lines();
}

// Another program's change: Wine's own reg.exe, waited for (a minute at most).
void RegAdd(const std::string& name, const std::string& driver) {
  std::string command = "reg.exe add \"HKCU" + std::string(DataSourceListKeyPath) + "\" /v " +
                        name + " /d \"" + driver + "\" /f";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                             nullptr, nullptr, &startup, &process));
  const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_EQ(waited, WAIT_OBJECT_0);
  ASSERT_EQ(exitCode, 0u);
}

}  // namespace

// The list read ahead while the dialog shows is taken only while nothing changed: every change,
// by this program or another, before or after the reading ahead is done, shows at the next
// drop-down.
TEST_F(DataSourceBox, ListReadAheadFollowsEveryChangeOfTheRegistry) {
  CatchErrors();
  char name[16];
  for (int i = 0; i < 300; ++i) {
    std::snprintf(name, sizeof name, "Lt31Ds%03d", i);
    Register(HKEY_CURRENT_USER, name, i % 7 == 0 ? "SQL Server" : kMySql53);
    if (i % 10 == 0) Register(HKEY_LOCAL_MACHINE, AnsiUpperCase(name), kMySql);
  }
  Register(HKEY_LOCAL_MACHINE, "Lt31MachineOnly", kMySql);
  const std::vector<std::string> first = ListByDefinition();
  ASSERT_EQ(first.size(), 263u);  // 300 less 43 of other drivers, 5 of them per machine, 1 more

  ShowNewDialogAndIdle(static_cast<int>(first.size()));
  EXPECT_EQ(form_->CBox1->Items().Lines(), first);  // filled ahead, before any drop-down
  EXPECT_EQ(DropDown(), first);

  Register(HKEY_CURRENT_USER, "Lt31Added", kMySql);  // a direct write
  EXPECT_EQ(DropDown(), ListByDefinition());
  RegAdd("Lt31FromAnotherProgram", kMySql53);
  EXPECT_EQ(DropDown(), ListByDefinition());
  form_->DeleteDataSource("Lt31Ds001");  // this program's deletion
  form_->DeleteDataSource("LT31DS010");  // listed per user, and per machine too
  EXPECT_EQ(DropDown(), ListByDefinition());
  {
    TRegistry machine(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.OpenKey(DataSourceListKeyPath, false));
    machine.WriteString("Lt31MachineOnly", kMySql53);  // same names, another driver
  }
  EXPECT_EQ(DropDown(), ListByDefinition());

  // The whole list deleted, and made again.
  TRegistry(HKEY_CURRENT_USER).DeleteKey(DataSourceListKeyPath);
  EXPECT_EQ(DropDown(), ListByDefinition());
  Register(HKEY_CURRENT_USER, "Lt31Again", kMySql);
  const std::vector<std::string> last = ListByDefinition();
  EXPECT_EQ(DropDown(), last);
  EXPECT_EQ(std::count(last.begin(), last.end(), "Lt31Again"), 1);

  // A change while the new dialog is still reading ahead.
  ShowNewDialog();
  Register(HKEY_CURRENT_USER, "Lt31Meanwhile", kMySql);
  EXPECT_EQ(DropDown(), ListByDefinition());
  PumpMessages(200);
  EXPECT_EQ(DropDown(), ListByDefinition());
  EXPECT_TRUE(errors_.empty());
}
