// The dialog read from the program's stored form, with its real controls, registry and files:
// start-up, saved settings, the driver-generation rule, command-line presets and page changes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/SetupFields.h"
#include "app/win32/LintoraMain.h"
#include "app/win32/SettingsStore.h"
#include "components/BinStream.h"
#include "controls/win32/Application.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/Label.h"
#include "controls/win32/MessageBox.h"
#include "controls/win32/Notebook.h"
#include "framework/Strings.h"
#include "framework/win32/Registry.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {
const std::string HostListKey = std::string(NameListKeyPath) + HostListName;

class Dialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterLintoraFormClasses(); }
  void SetUp() override { ForgetEverything(); }
  void TearDown() override {
    form_.reset();
    Application->OnException = nullptr;
    ForgetEverything();
  }

  static void ForgetEverything() {
    TRegistry().DeleteKey(SettingsKeyPath);
    TRegistry().DeleteKey(HostListKey);
    DeleteFileA(SettingsFilePath().c_str());
  }

  // Start-up as the program runs it, with the given command line.
  TLintoraForm& Start(const std::string& commandLine = "Lintora.exe") {
    form_ = ReadLintoraForm();
    form_->SetCommandLine(commandLine);
    form_->DoCreate();
    return *form_;
  }

  static void Store(const char* name, const std::string& value) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(SettingsKeyPath, true));
    registry.WriteString(name, value);
  }
  static void WriteSettingsFile(const std::string& text) {
    std::FILE* file = std::fopen(SettingsFilePath().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }

  std::unique_ptr<TLintoraForm> form_;
};
}  // namespace

TEST_F(Dialog, FirstStartShowsTheDefaultsAndMakesTheKeys) {
  TLintoraForm& form = Start();
  EXPECT_EQ(form.CBox0->Text(), "MySQL");  // the layout's "MySQL5.3+" is overwritten
  EXPECT_EQ(form.CBox1->Text(), "");
  EXPECT_EQ(form.CBox2->Text(), "");
  EXPECT_EQ(form.CBox5->Text(), "latin1");
  EXPECT_EQ(form.Edit3->Text(), "root");
  EXPECT_EQ(form.Edit4->Text(), "");
  EXPECT_EQ(form.Edit5->Text(), "27");
  EXPECT_EQ(form.Edit6->Text(), "3306");
  EXPECT_EQ(form.Edit7->Text(), "640");
  EXPECT_EQ(form.Edit8->Text(), "1024");
  EXPECT_FALSE(form.LabelA->Visible());
  EXPECT_FALSE(form.CBox5->Visible());
  EXPECT_EQ(form.ANotebook1->ActivePage(), "0");
  EXPECT_EQ(Application->Title(), form.Caption());
  EXPECT_FALSE(form.AutoRunFinished());

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(SettingsKeyPath, false));
  TStringList names;
  registry.GetValueNames(names);
  EXPECT_EQ(names.Count(), 0);
  EXPECT_TRUE(registry.KeyExists(HostListKey));
}

TEST_F(Dialog, SavedFieldsComeBackUnderTheirReadSpellings) {
  TLintoraForm& first = Start();
  first.CBox0->SetText("MySQL5.3+");
  first.CBox1->SetText("sales");
  first.CBox2->SetText("db1");
  first.CBox5->SetText("big5");
  first.Edit3->SetText("");  // a stored empty user stays empty, not "root"
  first.Edit4->SetText("s3cret");
  first.Edit5->SetText("3");
  first.Edit6->SetText("3307");
  first.Edit7->SetText("8192");
  first.Edit8->SetText("64");
  first.SaveSettings();

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(SettingsKeyPath, false));
  TStringList names;
  registry.GetValueNames(names);
  for (const char* written : {"DbTYPE", "Db", "Server", "CHARSET", "User", "Password", "Option",
                              "Port", "BLOB SIZE", "BLOBS TO CACHE"}) {
    EXPECT_NE(std::find(names.Lines().begin(), names.Lines().end(), written), names.Lines().end())
        << written;
  }

  TLintoraForm& second = Start();
  EXPECT_EQ(second.CBox0->Text(), "MySQL5.3+");
  EXPECT_EQ(second.CBox1->Text(), "sales");
  EXPECT_EQ(second.CBox2->Text(), "db1");
  EXPECT_EQ(second.CBox5->Text(), "big5");
  EXPECT_EQ(second.Edit3->Text(), "");
  EXPECT_EQ(second.Edit4->Text(), "s3cret");
  EXPECT_EQ(second.Edit5->Text(), "3");
  EXPECT_EQ(second.Edit6->Text(), "3307");
  EXPECT_EQ(second.Edit7->Text(), "8192");
  EXPECT_EQ(second.Edit8->Text(), "64");
  EXPECT_TRUE(second.LabelA->Visible());
  EXPECT_TRUE(second.CBox5->Visible());
  // The server box's items went to the host list.
  EXPECT_EQ(second.CBox2->Items().Count(), 0);
}

TEST_F(Dialog, SettingsFileWinsForItsFiveFields) {
  Store("DbTYPE", "MySQL5.3+");
  Store("Db", "keyed");
  Store("Server", "keyhost");
  Store("User", "keyuser");
  Store("Password", "keypw");
  Store("Port", "3310");
  WriteSettingsFile("[MDB]\r\nDB=sales\r\n");
  TLintoraForm& form = Start();
  EXPECT_EQ(form.CBox1->Text(), "sales");
  EXPECT_EQ(form.CBox0->Text(), "");
  EXPECT_EQ(form.CBox2->Text(), "");
  EXPECT_EQ(form.Edit3->Text(), "");
  EXPECT_EQ(form.Edit4->Text(), "");
  EXPECT_EQ(form.Edit6->Text(), "3310");  // not a field of the file
  EXPECT_FALSE(form.LabelA->Visible());

  WriteSettingsFile("[Other]\r\nDB=ignored\r\nServer=ignored\r\n");
  TLintoraForm& without = Start();
  EXPECT_EQ(without.CBox0->Text(), "");
  EXPECT_EQ(without.CBox1->Text(), "");
  EXPECT_EQ(without.CBox2->Text(), "");
  EXPECT_EQ(without.Edit3->Text(), "");
  EXPECT_EQ(without.Edit4->Text(), "");

  WriteSettingsFile("[mdb]\r\ndbtype=MySQL5.3+\r\nserver=filehost\r\nuser=fileuser\r\n");
  TLintoraForm& lowerCase = Start();
  EXPECT_EQ(lowerCase.CBox0->Text(), "MySQL5.3+");
  EXPECT_EQ(lowerCase.CBox2->Text(), "filehost");
  EXPECT_EQ(lowerCase.Edit3->Text(), "fileuser");
  EXPECT_TRUE(lowerCase.CBox5->Visible());
}

TEST_F(Dialog, CharacterSetShowsForTheExact53GenerationOnly) {
  TLintoraForm& form = Start();
  const auto choose = [&form](const char* generation) {
    form.CBox0->SetText(generation);
    form.CBox0Change(form.CBox0);
    EXPECT_EQ(form.LabelA->Visible(), form.CBox5->Visible()) << generation;
    return form.LabelA->Visible();
  };
  EXPECT_TRUE(choose("MySQL5.3+"));
  EXPECT_FALSE(choose("mysql5.3+"));
  EXPECT_TRUE(choose("MySQL5.3+"));
  EXPECT_FALSE(choose("MySQL"));
  EXPECT_FALSE(form.Edit5->Visible());  // nothing else changes
}

TEST_F(Dialog, HostListFillsTheServerItemsAndKeepsTheServerText) {
  Store("Server", "chosen");
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(HostListKey, true));
    registry.WriteString("Value1", "zeta");
    registry.WriteString("Value2", "alpha");
  }
  TLintoraForm& form = Start();
  EXPECT_EQ(form.CBox2->Items().Lines(), (std::vector<std::string>{"alpha", "zeta"}));
  EXPECT_EQ(form.CBox2->Text(), "chosen");
}

TEST_F(Dialog, CommandLinePresetsReplaceOnlyWhatTheyGive) {
  Store("Db", "keyed");
  Store("Server", "keyhost");
  Store("Password", "keypw");
  TLintoraForm& one = Start("Lintora.exe sales");
  EXPECT_EQ(one.CBox1->Text(), "sales");
  EXPECT_EQ(one.CBox2->Text(), "keyhost");
  EXPECT_EQ(one.Edit4->Text(), "keypw");

  TLintoraForm& all = Start("Lintora.exe sales \"db host\" s3cret auto");
  EXPECT_EQ(all.CBox1->Text(), "sales");
  EXPECT_EQ(all.CBox2->Text(), "db host");
  EXPECT_EQ(all.Edit4->Text(), "s3cret");
  EXPECT_FALSE(all.AutoRunFinished());  // lower case "auto" opens the dialog

  // The run itself is InstallationRunTest's: here the data source cannot be opened.
  TLintoraForm& automatic = Start("Lintora.exe sales 127.0.0.1 pw AUTO");
  EXPECT_TRUE(automatic.AutoRunFinished());
  EXPECT_EQ(automatic.ExitCode(), 1);
}

// A value that is no string stops the loading where it stands: the fields read before it are
// shown, it and the later ones keep the stored form's texts, the rest of start-up (the presets,
// the AUTO run) is skipped, and the process would end with 2 since AUTO got no run.
TEST_F(Dialog, StartupErrorKeepsTheFieldsReadBeforeItAndTheDialogStillOpens) {
  const TSetupFields formTexts = ReadLintoraForm()->EnteredFields();
  const auto& fields = TSetupFields::Fields;
  for (size_t bad = 0; bad < fields.size(); ++bad) {
    ForgetEverything();
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i != bad) Store(fields[i].writtenName, "v" + std::to_string(i));
    }
    {
      TRegistry registry;
      ASSERT_TRUE(registry.OpenKey(SettingsKeyPath, true));
      const DWORD number = 5;
      ASSERT_EQ(RegSetValueExA(registry.CurrentKey(), fields[bad].readName, 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&number), sizeof number),
                ERROR_SUCCESS);
    }
    const std::string message = std::string("Invalid data type for '") + fields[bad].readName + "'";
    std::string boxText;
    const bool shown = AnswerMessageBox(
        message, [this] { Start("Lintora.exe sales 127.0.0.1 pw AUTO"); }, boxText);
    ASSERT_TRUE(shown) << message;
    EXPECT_NE(boxText.find(message), std::string::npos) << boxText;
    const TSetupFields shownFields = form_->EnteredFields();
    for (size_t i = 0; i < fields.size(); ++i) {
      const std::string expected = i < bad ? "v" + std::to_string(i) : formTexts.*fields[i].value;
      EXPECT_EQ(shownFields.*fields[i].value, expected) << fields[i].readName << ", bad " << bad;
    }
    EXPECT_FALSE(form_->AutoRunFinished());
    EXPECT_EQ(form_->ExitCode(), 2);
  }
  form_->Show();
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  form_->Hide();
}

TEST_F(Dialog, PagesChangeOnlyThroughTheirActions) {
  TLintoraForm& form = Start();
  form.ANotebook1->SetActivePage("1");
  EXPECT_TRUE(form.BtnClose->Visible());
  EXPECT_FALSE(form.BtnPrior->Visible());
  form.BtnPrior->Click();
  EXPECT_EQ(form.ANotebook1->ActivePage(), "0");
}

// The driver files are held once: each component's bytes lie in the program's own image, where
// the stored form is, not in a copy on the heap.
TEST_F(Dialog, DriverFilesStayInTheProgramImage) {
  TLintoraForm& form = Start();
  const auto* image = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
  MEMORY_BASIC_INFORMATION region = {};
  for (const char* name : {"BinStream1", "BinStream2", "BinStream3", "BinStream4"}) {
    auto* component = dynamic_cast<TBinStream*>(form.FindComponent(name));
    ASSERT_NE(component, nullptr) << name;
    ASSERT_GT(component->Data().Size(), 0u) << name;
    ASSERT_TRUE(VirtualQuery(component->Data().Memory(), &region, sizeof region)) << name;
    EXPECT_EQ(region.AllocationBase, image) << name << " is not in the program's image";
  }
}

// Also the screenshot scenario's result page: with LINTORA_HOLD_DIALOG set it stays on the
// screen until it is closed from outside.
TEST_F(Dialog, ResultPageOnScreen) {
  TLintoraForm& form = Start();
  form.ANotebook1->SetActivePage("1");
  form.Show();
  HWND window = form.Handle();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(IsWindowVisible(form.LabelMsg->Handle()));
  EXPECT_FALSE(IsWindowVisible(form.CBox1->Handle()));
  if (std::getenv("LINTORA_HOLD_DIALOG")) {
    Application->Run();
  } else {
    form.BtnClose->Click();  // BtnExitClick closes the dialog
    // Closing the main form asked the message loop to end; later tests run loops of their own.
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  EXPECT_FALSE(IsWindowVisible(window));
}
