// Language files against real INI files in the prefix's temporary folder, through the profile
// calls: what filling writes and in which order, what it skips, what applying a section does
// with each kind of line, and that no language file is ever made.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/Memos.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/Forms.h"
#include "controls/win32/Label.h"
#include "controls/win32/Panel.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/IniFile.h"
#include "i18n/GBBIGTRS.h"
#include "i18n/LanguagePaths.h"
#include "i18n/win32/LanguageFiles.h"
#include "i18n/win32/Win32ConverterPlatform.h"
#include "tests/unit/framework/win32/RaisedMessage.h"

namespace {

const std::string kDatabaseName = "\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9";    // 資料庫名稱
const std::string kDatabaseNameGb = "\xd7\xca\xc1\xcf\xbf\xe2\xc3\xfb\xb3\xc6";  // 资料库名称
const std::string kClose = "\xc3\xf6\xb3\xac";                                   // 關閉
const std::string kLink = "\xb3\x73\xb5\xb2";                                    // 連結
const std::string kLinkGb = "\xc1\xac\xbd\xe1";                                  // 连结
const std::string kDatabase = "\xb8\xea\xae\xc6\xae\x77";                        // 資料庫
const std::string kTraditionalName = "\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5(TAIWAN,HK)";  // 繁體中文
const std::string kSimplifiedName = "\xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4(CHINA)";       // 简体中文

bool SimplifiedChineseRun() {
  const char* locale = std::getenv("LINTORA_LC_ALL");
  return locale && std::string(locale).rfind("zh_CN", 0) == 0;
}

// Classes the export rules name, with the properties the rules look at.
class TNewBtn : public TComponent {
  LINTORA_PUBLISHED(TNewBtn)
 public:
  using TComponent::TComponent;
  std::string caption, hint;
  bool autoShowCaption = false;
};

const TClassInfo& TNewBtn::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TNewBtn>("TNewBtn", TComponent::StaticClassInfo())
          .String("Caption", &TNewBtn::caption, &TNewBtn::caption)
          .String("Hint", &TNewBtn::hint, &TNewBtn::hint)
          .Boolean("AutoShowCaption", &TNewBtn::autoShowCaption, &TNewBtn::autoShowCaption);
  return info;
}

class TDataListPanel : public TPanel {
  LINTORA_PUBLISHED(TDataListPanel)
 public:
  using TPanel::TPanel;
};

const TClassInfo& TDataListPanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TDataListPanel>("TDataListPanel", TPanel::StaticClassInfo());
  return info;
}

class TSetupTestForm : public TForm {
  LINTORA_PUBLISHED(TSetupTestForm)
 public:
  TSetupTestForm() : TForm(nullptr) {
    SetName("LintoraForm");
    SetCaption("Setup");
    label1 = Add<TLabel>("Label1", kDatabaseName);
    label2 = Add<TLabel>("Label2", "(IP)");
    label2->SetHint(kLink);
    Add<TPanel>("Panel1", " ");
    Add<TSpeedButton>("BtnAddParams25", "Install");
    Add<TButton>("BtnClose", kClose);
    Add<TButton>("Button1", "ODBC");
    combo = Add<TComboBox>("CBox0", "");
    combo->Items().Add("MySQL");
    combo->Items().Add("MySQL5.3+");
    combo->SetText("MySQL5.3+");
    memo = Add<TMemo>("Memo1", "");
    memo->Lines().Add("memo");
    Add<TEdit>("Edit3", "root");
    Add<TLabel>("", "unnamed");
    Add<TDataListPanel>("DataList1", "data");
    memos = new TMemos(this);
    memos->SetName("Memos1");
    memos->Lines()->Add("S_Link=" + kLink);
    memos->Lines()->Add("S_Succ=ok");
    (new TMemos(this))->SetName("Memos2");
    auto* shown = new TNewBtn(this);
    shown->SetName("NewBtn1");
    shown->caption = "shows itself";
    shown->hint = "hint";
    shown->autoShowCaption = true;
    auto* plain = new TNewBtn(this);
    plain->SetName("NewBtn2");
    plain->caption = "plain";
  }

  TLabel* label1;
  TLabel* label2;
  TComboBox* combo;
  TMemo* memo;
  TMemos* memos;

 private:
  template <typename T>
  T* Add(const char* name, const std::string& caption) {
    T* control = new T(this);
    control->SetName(name);
    control->SetParent(this);
    if (!caption.empty()) control->SetCaption(caption);
    return control;
  }
};

const TClassInfo& TSetupTestForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSetupTestForm>("TSetupTestForm", TForm::StaticClassInfo());
  return info;
}

class LanguageFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseWin32ConverterPlatform();
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "lintora-language\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    SetLanguageFolder(folder_);
    RemoveFiles();
    form_ = std::make_unique<TSetupTestForm>();
  }
  void TearDown() override {
    form_.reset();
    RemoveFiles();
    RemoveDirectoryA(folder_.c_str());
    ClearLanguagePaths();
    ReleaseSharedConverter();
    SetConverterPlatform(nullptr);
  }
  void RemoveFiles() {
    for (const std::string& path : {TraditionalLanguageFile(), SimplifiedLanguageFile()}) {
      RemoveFile(path);
    }
  }
  // Writes the file byte for byte, as an editor would leave it.
  static void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::vector<std::string> SectionLines(const std::string& path,
                                               const std::string& section) {
    TStringList lines;
    TIniFile(path).ReadSectionValues(section, lines);
    return lines.Lines();
  }
  static std::vector<std::string> SectionKeys(const std::string& path, const std::string& section) {
    TStringList keys;
    TIniFile(path).ReadSection(section, keys);
    return keys.Lines();
  }

  std::string folder_;
  std::unique_ptr<TSetupTestForm> form_;
};

}  // namespace

TEST_F(LanguageFilesTest, ExportWritesTheFormThenItsComponentsByNameInPropertyOrder) {
  const std::string path = TraditionalLanguageFile();
  WriteFile(path, "");
  ExportFormTexts(*form_, path, false);
  EXPECT_EQ(SectionKeys(path, "TSetupTestForm"),
            (std::vector<std::string>{"LintoraForm.Caption", "BtnAddParams25.Caption",
                                      "BtnClose.Caption", "Button1.Caption", "Label1.Caption",
                                      "Label2.Caption", "Label2.Hint", "Memos1.Lines",
                                      "Memos2.Lines", "NewBtn1.Hint", "NewBtn2.Caption"}));
  EXPECT_EQ(SectionLines(path, "TSetupTestForm"),
            (std::vector<std::string>{"LintoraForm.Caption=Setup", "BtnAddParams25.Caption=Install",
                                      "BtnClose.Caption=" + kClose, "Button1.Caption=ODBC",
                                      "Label1.Caption=" + kDatabaseName, "Label2.Caption=(IP)",
                                      "Label2.Hint=" + kLink,
                                      "Memos1.Lines=S_Link=" + kLink + "|S_Succ=ok|",
                                      "NewBtn1.Hint=hint", "NewBtn2.Caption=plain"}));
}

TEST_F(LanguageFilesTest, ExportConvertsEveryValueWhenAsked) {
  const std::string path = SimplifiedLanguageFile();
  WriteFile(path, "");
  ExportFormTexts(*form_, path, true);
  TIniFile file(path);
  EXPECT_EQ(file.ReadString("TSetupTestForm", "Label1.Caption", ""), kDatabaseNameGb);
  EXPECT_EQ(file.ReadString("TSetupTestForm", "Memos1.Lines", ""),
            "S_Link=" + kLinkGb + "|S_Succ=ok|");
  EXPECT_EQ(file.ReadString("TSetupTestForm", "Button1.Caption", ""), "ODBC");
  // The form's own texts are left as they are.
  EXPECT_EQ(form_->label1->Caption(), kDatabaseName);
}

TEST_F(LanguageFilesTest, NothingIsWrittenWhereNoFileIs) {
  ExportFormTexts(*form_, TraditionalLanguageFile(), false);
  ApplyLanguageFiles(*form_, true);
  TIniFile file(SimplifiedLanguageFile());
  WriteIniIfExists(file, "FileInfo", "Language", kSimplifiedName);
  EXPECT_FALSE(FileExists(TraditionalLanguageFile()));
  EXPECT_FALSE(FileExists(SimplifiedLanguageFile()));
  EXPECT_EQ(form_->label1->Caption(), kDatabaseName);
}

TEST_F(LanguageFilesTest, AFileThatCannotBeWrittenIsLeftAsItIs) {
  const std::string path = TraditionalLanguageFile();
  WriteFile(path, "[FileInfo]\r\nLanguage=\r\n");
  {
    // Another program holds the file open without sharing it: every write fails.
    FileHandle held = FileHandle::OpenExclusive(path);
    ASSERT_TRUE(held.IsOpen());
    TIniFile file(path);
    ASSERT_THROW(file.WriteString("FileInfo", "Language", "x"), EProfileError);
    EXPECT_NO_THROW(WriteIniIfExists(file, "FileInfo", "Language", "x"));
    EXPECT_NO_THROW(ApplyLanguageFiles(*form_, false));
  }
  TIniFile file(path);
  EXPECT_EQ(file.ReadString("FileInfo", "Language", ""), "");
  EXPECT_FALSE(file.SectionExists("TSetupTestForm"));
}

TEST_F(LanguageFilesTest, BothFilesAreFilledOnceAndTheUsersOneApplied) {
  WriteFile(TraditionalLanguageFile(), "");
  WriteFile(SimplifiedLanguageFile(), "");
  ApplyLanguageFiles(*form_, false);
  TIniFile traditional(TraditionalLanguageFile());
  TIniFile simplified(SimplifiedLanguageFile());
  EXPECT_EQ(traditional.ReadString("FileInfo", "Language", ""), kTraditionalName);
  EXPECT_EQ(simplified.ReadString("FileInfo", "Language", ""), kSimplifiedName);
  EXPECT_EQ(traditional.ReadString("TSetupTestForm", "Label1.Caption", ""), kDatabaseName);
  EXPECT_EQ(simplified.ReadString("TSetupTestForm", "Label1.Caption", ""), kDatabaseNameGb);
  EXPECT_EQ(form_->label1->Caption(), SimplifiedChineseRun() ? kDatabaseNameGb : kDatabaseName);

  // Filled files keep what a site changed: no second export, no second name.
  traditional.WriteString("FileInfo", "Language", "Site");
  traditional.WriteString("TSetupTestForm", "Label1.Caption", "Edited");
  traditional.WriteString("TSetupTestForm", "Label2.Caption", "");
  ApplyLanguageFiles(*form_, false);
  EXPECT_EQ(traditional.ReadString("FileInfo", "Language", ""), "Site");
  EXPECT_EQ(traditional.ReadString("TSetupTestForm", "Label1.Caption", ""), "Edited");
  EXPECT_EQ(traditional.ReadString("TSetupTestForm", "Label2.Caption", ""), "");
  if (!SimplifiedChineseRun()) {
    EXPECT_EQ(form_->label1->Caption(), "Edited");
  }

  // Forced, both are filled again from what the form shows now.
  ApplyLanguageFiles(*form_, true);
  EXPECT_EQ(traditional.ReadString("TSetupTestForm", "Label2.Caption", ""), "(IP)");
  EXPECT_EQ(traditional.ReadString("FileInfo", "Language", ""), "Site");
}

// Each case: the section's lines as someone wrote them, and what the form then shows.
TEST_F(LanguageFilesTest, ImportFollowsTheLineRules) {
  struct Case {
    const char* name;
    std::string lines;
    std::function<void(TSetupTestForm&)> check;
  };
  const std::vector<Case> cases = {
      {"quotes and spaces", "Label1.Caption = '" + kDatabase + "'",
       [](TSetupTestForm& f) { EXPECT_EQ(f.label1->Caption(), kDatabase); }},
      {"no dot: the form", "Caption=abc", [](TSetupTestForm& f) { EXPECT_EQ(f.Caption(), "abc"); }},
      {"the form's own name", "LintoraForm.Caption=abc",
       [](TSetupTestForm& f) { EXPECT_EQ(f.Caption(), "abc"); }},
      {"a dot in the form's value", "Caption=V 5.6",
       [](TSetupTestForm& f) { EXPECT_EQ(f.Caption(), "Setup"); }},
      {"names ignore case", "label1.CAPTION=abc",
       [](TSetupTestForm& f) { EXPECT_EQ(f.label1->Caption(), "abc"); }},
      {"the message table", "Memos1.Lines=S_Link=A|S_Fail=B|",
       [](TSetupTestForm& f) {
         EXPECT_EQ(f.memos->Lines()->Lines(), (std::vector<std::string>{"S_Link=A", "S_Fail=B"}));
       }},
      {"an empty list value",
       "Memos1.Lines=", [](TSetupTestForm& f) { EXPECT_EQ(f.memos->Lines()->Count(), 2); }},
      {"a general string list", "CBox0.Items=a|b|\r\nMemo1.Lines=x|",
       [](TSetupTestForm& f) {
         EXPECT_EQ(f.combo->Items().Count(), 2);
         EXPECT_EQ(f.memo->Lines().Lines(), (std::vector<std::string>{"memo"}));
       }},
      {"Boolean", "Label1.Visible=False",
       [](TSetupTestForm& f) { EXPECT_FALSE(f.label1->Visible()); }},
      {"integer", "Label1.Left=17\r\nLabel2.Left=abc",
       [](TSetupTestForm& f) {
         EXPECT_EQ(f.label1->Left(), 17);
         EXPECT_EQ(f.label2->Left(), 0);
       }},
      {"first key wins", "Label1.Caption=first\r\nLABEL1.caption=second",
       [](TSetupTestForm& f) { EXPECT_EQ(f.label1->Caption(), "first"); }},
      {"nothing of that name",
       "Nobody.Caption=x\r\nLabel1.Nothing=x\r\nLabel1.Font=x\r\nLabel1.OnClick=FormCreate\r\n"
       "just words",
       [](TSetupTestForm& f) {
         EXPECT_EQ(f.label1->Caption(), kDatabaseName);
         EXPECT_EQ(f.label1->OnClick.Name(), "");
       }},
  };
  const std::string path = CurrentLanguageFile();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSetupTestForm form;
    WriteFile(path, "[TSetupTestForm]\r\n" + c.lines + "\r\n");
    ImportFormTexts("TSetupTestForm", form);
    c.check(form);
  }
}

TEST_F(LanguageFilesTest, AnUnknownEnumerationValueEndsTheImportThere) {
  WriteFile(CurrentLanguageFile(),
            "[TSetupTestForm]\r\nLabel1.Caption=before\r\nLabel1.Visible=no\r\n"
            "Label2.Caption=after\r\n");
  EXPECT_EQ(RaisedMessage<EReadError>([&] { ImportFormTexts("TSetupTestForm", *form_); }),
            "Invalid property element: no");
  EXPECT_EQ(form_->label1->Caption(), "before");
  EXPECT_TRUE(form_->label1->Visible());
  EXPECT_EQ(form_->label2->Caption(), "(IP)");
}

TEST_F(LanguageFilesTest, ImportNeedsTheFileAndItsSection) {
  ImportFormTexts("TSetupTestForm", *form_);
  WriteFile(CurrentLanguageFile(), "[Other]\r\nLabel1.Caption=x\r\n[TSetupTestForm]\r\n");
  ImportFormTexts("TSetupTestForm", *form_);
  EXPECT_EQ(form_->label1->Caption(), kDatabaseName);
  ImportFormTexts("Other", *form_);
  EXPECT_EQ(form_->label1->Caption(), "x");
}
