// The dialog's start-up language steps with the real language files of the user data folder, on
// a Traditional-Chinese system (the default run) and on a Simplified-Chinese one (the zh_CN run
// of these tests): which files are filled, which texts the dialog then shows, and whether the
// GB2312 walk ran.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/LintoraMain.h"
#include "app/win32/SettingsStore.h"
#include "components/Memos.h"
#include "controls/win32/Application.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Label.h"
#include "controls/win32/Panel.h"
#include "framework/Strings.h"
#include "framework/win32/FileHandle.h"
#include "framework/win32/IniFile.h"
#include "framework/win32/Registry.h"
#include "i18n/GBBIGTRS.h"
#include "i18n/LanguagePaths.h"
#include "i18n/win32/Win32ConverterPlatform.h"

namespace {

const std::string kCaption = "\xa6\x77\xb8\xcbMySQL\xb3\x73\xb5\xb2";          // 安裝MySQL連結
const std::string kCaptionGb = "\xb0\xb2\xd7\xb0MySQL\xc1\xac\xbd\xe1";        // 安装MySQL连结
const std::string kHostName = "\xa5\x44\xbe\xf7\xa6\x57\xba\xd9";              // 主機名稱
const std::string kHostNameGb = "\xd6\xf7\xbb\xfa\xc3\xfb\xb3\xc6";            // 主机名称
const std::string kDatabaseName = "\xb8\xea\xae\xc6\xae\x77\xa6\x57\xba\xd9";  // 資料庫名稱
const std::string kDatabase = "\xb8\xea\xae\xc6\xae\x77";                      // 資料庫
const std::string kInstallGb = "\xb0\xb2\xd7\xb0";                             // 安装
const std::string kSuccess = "\xa6\xa8\xa5\x5c";                               // 成功
const std::string kSuccessGb = "\xb3\xc9\xb9\xa6";                             // 成功
const std::string kLinkGb = "\xc1\xac\xbd\xe1";                                // 连结
const std::string kTraditionalName = "\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5(TAIWAN,HK)";  // 繁體中文
const std::string kSimplifiedName = "\xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4(CHINA)";       // 简体中文
// Step D's fixed GB2312 captions.
const std::string kFixedLabel10 = "\xca\xfd\xbe\xdd\xbf\xe2\xcb\xb5\xc3\xf7";  // 数据库说明
const std::string kFixedLabel1 = "\xca\xfd\xbe\xdd\xbf\xe2\xc3\xfb\xb3\xc6";   // 数据库名称
const std::string kFixedLabel11 =
    "\xd7\xca\xc1\xcf\xbf\xe2\xc3\xfb\xb3\xc6\xb0\xb2\xd7\xb0\xcd\xea\xb3\xc9";  // 资料库名称安装完成

bool SimplifiedChineseRun() {
  const char* locale = std::getenv("LINTORA_LC_ALL");
  return locale && std::string(locale).rfind("zh_CN", 0) == 0;
}

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class LanguageStartup : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterLintoraFormClasses(); }
  void SetUp() override {
    UseWin32ConverterPlatform();
    folder_ = GetUserDataFolder();
    ForgetEverything();
  }
  void TearDown() override {
    form_.reset();
    Application->OnException = nullptr;
    ForgetEverything();
    ClearLanguagePaths();
    ReleaseSharedConverter();
    SetConverterPlatform(nullptr);
  }
  void ForgetEverything() {
    TRegistry().DeleteKey(SettingsKeyPath);
    RemoveFile(Traditional());
    RemoveFile(Simplified());
  }
  std::string Traditional() const { return folder_ + "Taiwan.Prop"; }
  std::string Simplified() const { return folder_ + "China.Prop"; }

  // Start-up as the program runs it; the program's start has set the language folder to its own
  // folder before.
  TLintoraForm& Start() {
    form_.reset();
    SetLanguageFolder("C:\\nowhere\\");
    form_ = ReadLintoraForm();
    form_->SetCommandLine("Lintora.exe");
    form_->DoCreate();
    return *form_;
  }

  std::string folder_;
  std::unique_ptr<TLintoraForm> form_;
};

// What the walk gives on every Simplified-Chinese start without a Simplified language file.
void ExpectConvertedDialog(const TLintoraForm& form) {
  EXPECT_EQ(form.Caption(), kCaptionGb);
  EXPECT_EQ(Application->Title(), kCaptionGb);
  EXPECT_EQ(form.Label2->Caption(), kHostNameGb);
  EXPECT_EQ(form.BtnStartSet->Caption(), kInstallGb);
  EXPECT_EQ(form.CBox0->Items().Lines(), (std::vector<std::string>{"MySQL", "MySQL5.3+"}));
  EXPECT_EQ(form.CBox5->Items().Lines(),
            (std::vector<std::string>{"latin1", "big5", "gb2312", "utf8"}));
  EXPECT_EQ(form.Memos1->Lookup("S_Succ"), kSuccessGb);
  EXPECT_EQ(form.Label13->Caption(), "V 5.6");
}

void ExpectFixedCaptions(const TLintoraForm& form) {
  EXPECT_EQ(form.Label10->Caption(), kFixedLabel10);
  EXPECT_EQ(form.Label1->Caption(), kFixedLabel1);
  EXPECT_EQ(form.Label11->Caption(), kFixedLabel11);
}

}  // namespace

TEST_F(LanguageStartup, TraditionalWithoutFilesChangesNothingAndWritesNothing) {
  if (SimplifiedChineseRun()) GTEST_SKIP() << "a Traditional-Chinese system's case";
  TLintoraForm& form = Start();
  EXPECT_EQ(CurrentLanguageFile(), Traditional());
  EXPECT_EQ(form.Caption(), kCaption);
  EXPECT_EQ(form.Label2->Caption(), kHostName);
  EXPECT_EQ(form.Label1->Caption(), kDatabaseName);
  EXPECT_EQ(form.Memos1->Lookup("S_Succ"), kSuccess);
  EXPECT_FALSE(FileExists(Traditional()));
  EXPECT_FALSE(FileExists(Simplified()));
}

TEST_F(LanguageStartup, TraditionalFileRewordsTheDialog) {
  if (SimplifiedChineseRun()) GTEST_SKIP() << "a Traditional-Chinese system's case";
  WriteFile(Traditional(), "[TLintoraForm]\r\nLabel1.Caption = '" + kDatabase + "'\r\n");
  TLintoraForm& form = Start();
  EXPECT_EQ(form.Label1->Caption(), kDatabase);
  EXPECT_EQ(form.Label2->Caption(), kHostName);
  // The file had the dialog's section: only its empty name was filled in.
  TIniFile file(Traditional());
  EXPECT_EQ(file.ReadString("FileInfo", "Language", ""), kTraditionalName);
  EXPECT_EQ(file.ReadString("TLintoraForm", "Label2.Caption", "none"), "none");
  EXPECT_FALSE(FileExists(Simplified()));
}

TEST_F(LanguageStartup, AnEmptyTraditionalFileIsFilledOnceWithTheBuiltInTexts) {
  if (SimplifiedChineseRun()) GTEST_SKIP() << "a Traditional-Chinese system's case";
  WriteFile(Traditional(), "");
  Start();
  TStringList keys;
  TIniFile(Traditional()).ReadSection("TLintoraForm", keys);
  ASSERT_GT(keys.Count(), 3);
  EXPECT_EQ(keys[0], "LintoraForm.Caption");
  EXPECT_EQ(keys[1], "BtnAddParams25.Caption");
  EXPECT_EQ(keys[2], "BtnAddParams53.Caption");
  EXPECT_EQ(keys.IndexOf("Panel1.Caption"), -1);  // one space
  EXPECT_EQ(keys.IndexOf("Label2.Hint"), -1);     // empty
  EXPECT_EQ(keys.IndexOf("CBox0.Items"), -1);     // a general string list
  TIniFile file(Traditional());
  EXPECT_EQ(file.ReadString("TLintoraForm", "LintoraForm.Caption", ""), kCaption);
  EXPECT_EQ(file.ReadString("TLintoraForm", "Label2.Caption", ""), kHostName);
  EXPECT_EQ(file.ReadString("FileInfo", "Language", ""), kTraditionalName);

  const std::string filled = FileText(Traditional());
  Start();
  EXPECT_EQ(FileText(Traditional()), filled);
  EXPECT_EQ(form_->Label2->Caption(), kHostName);
}

TEST_F(LanguageStartup, AnEmptySimplifiedFileIsFilledOnceAndAppliedInsteadOfTheWalk) {
  if (!SimplifiedChineseRun()) GTEST_SKIP() << "a Simplified-Chinese system's case";
  WriteFile(Simplified(), "");
  TLintoraForm& first = Start();
  EXPECT_EQ(CurrentLanguageFile(), Simplified());
  TIniFile file(Simplified());
  EXPECT_EQ(file.ReadString("FileInfo", "Language", ""), kSimplifiedName);
  EXPECT_EQ(file.ReadString("TLintoraForm", "LintoraForm.Caption", ""), kCaptionGb);
  EXPECT_EQ(file.ReadString("TLintoraForm", "Label2.Caption", ""), kHostNameGb);
  const std::string table = file.ReadString("TLintoraForm", "Memos1.Lines", "");
  EXPECT_EQ(table.rfind("S_Link=" + kLinkGb + "|S_Fail=", 0), 0u) << table;
  EXPECT_NE(table.find("|S_Succ=" + kSuccessGb + "|"), std::string::npos) << table;
  EXPECT_EQ(first.Label2->Caption(), kHostNameGb);
  EXPECT_EQ(first.Caption(), kCaptionGb);
  ExpectFixedCaptions(first);
  EXPECT_FALSE(FileExists(Traditional()));

  // A site re-words a text: the next start writes nothing new and shows the file's text as it
  // stands; a walk after it would have turned these GB2312 bytes into others.
  file.WriteString("TLintoraForm", "Label2.Caption", kHostNameGb + "(IP)");
  file.WriteString("TLintoraForm", "Label1.Caption", "ignored");
  const std::string edited = FileText(Simplified());
  TLintoraForm& second = Start();
  EXPECT_EQ(FileText(Simplified()), edited);
  EXPECT_EQ(second.Label2->Caption(), kHostNameGb + "(IP)");
  EXPECT_EQ(second.Caption(), kCaptionGb);
  ExpectFixedCaptions(second);
}

TEST_F(LanguageStartup, SimplifiedWithoutItsFileRunsTheWalk) {
  if (!SimplifiedChineseRun()) GTEST_SKIP() << "a Simplified-Chinese system's case";
  WriteFile(Traditional(), "");
  TLintoraForm& form = Start();
  ExpectConvertedDialog(form);
  ExpectFixedCaptions(form);
  // The Traditional file there takes the built-in Big5 texts; no Simplified file is made.
  TIniFile traditional(Traditional());
  EXPECT_EQ(traditional.ReadString("TLintoraForm", "Label2.Caption", ""), kHostName);
  EXPECT_EQ(traditional.ReadString("FileInfo", "Language", ""), kTraditionalName);
  EXPECT_FALSE(FileExists(Simplified()));
}

TEST_F(LanguageStartup, SimplifiedWithoutAnyFileRunsTheWalk) {
  if (!SimplifiedChineseRun()) GTEST_SKIP() << "a Simplified-Chinese system's case";
  TLintoraForm& form = Start();
  ExpectConvertedDialog(form);
  ExpectFixedCaptions(form);
  EXPECT_FALSE(FileExists(Traditional()));
  EXPECT_FALSE(FileExists(Simplified()));
}
