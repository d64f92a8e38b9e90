// The component walk on a form of real controls with their windows: which texts each class has
// converted (each exactly once, as the windows show them), which stay, and the menu walk's order.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "components/Memos.h"
#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/Forms.h"
#include "controls/win32/GroupBoxes.h"
#include "controls/win32/Label.h"
#include "controls/win32/ListView.h"
#include "controls/win32/Menus.h"
#include "controls/win32/Notebook.h"
#include "controls/win32/PageControl.h"
#include "controls/win32/Panel.h"
#include "i18n/GBBIGTRS.h"
#include "i18n/win32/Win32ConverterPlatform.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {

// Big5 texts and their GB2312 forms. Converting a GB2312 text again as Big5 gives other bytes, so
// a text converted twice shows up.
const std::string kInstall = "\xa6\x77\xb8\xcb";             // 安裝
const std::string kInstallGb = "\xb0\xb2\xd7\xb0";           // 安装
const std::string kLink = "\xb3\x73\xb5\xb2";                // 連結
const std::string kLinkGb = "\xc1\xac\xbd\xe1";              // 连结
const std::string kSuccess = "\xa6\xa8\xa5\x5c";             // 成功
const std::string kSuccessGb = "\xb3\xc9\xb9\xa6";           // 成功
const std::string kDatabase = "\xb8\xea\xae\xc6\xae\x77";    // 資料庫
const std::string kDatabaseGb = "\xd7\xca\xc1\xcf\xbf\xe2";  // 资料库
const std::string kTraditional = "\xc1\x63\xc5\xe9";         // 繁體
const std::string kTraditionalGb = "\xb7\xb1\xcc\xe5";       // 繁体

bool SimplifiedChineseRun() {
  const char* locale = std::getenv("LINTORA_LC_ALL");
  return locale && std::string(locale).rfind("zh_CN", 0) == 0;
}

// The custom speed-button class the walk names, which no control of ours is: a control with a
// caption (and the hint every control has), related to no other class the walk names.
class TNewButton : public TControl {
  LINTORA_PUBLISHED(TNewButton)
 public:
  using TControl::TControl;

 protected:
  TCreateParams CreateParams() const override {
    TCreateParams params;
    params.className = "BUTTON";
    return params;
  }
};

const TClassInfo& TNewButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TNewButton>("TNewButton", TControl::StaticClassInfo())
          .String("Caption", &TNewButton::Caption, &TNewButton::SetCaption)
          .TypeName("TCaption");
  return info;
}

// A menu item that notes the order its caption is set in.
std::vector<std::string> captionsSet;
class TNotingMenuItem : public TMenuItem {
  LINTORA_PUBLISHED(TNotingMenuItem)
 public:
  using TMenuItem::TMenuItem;
  void NoteCaption(const std::string& caption) {
    captionsSet.push_back(Name());
    SetCaption(caption);
  }
};

const TClassInfo& TNotingMenuItem::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TNotingMenuItem>("TNotingMenuItem", TMenuItem::StaticClassInfo())
          .String("Caption", &TNotingMenuItem::Caption, &TNotingMenuItem::NoteCaption)
          .TypeName("TCaption");
  return info;
}

template <typename T>
T* Make(TForm& form, TWinControl* parent, const char* name, const std::string& caption = "") {
  T* control = new T(&form);
  control->SetName(name);
  if (parent) control->SetParent(parent);
  if (!caption.empty()) control->SetCaption(caption);
  return control;
}

TNotingMenuItem* MenuItem(TForm& form, TMenuItem* parent, const char* name,
                          const std::string& caption) {
  auto* item = new TNotingMenuItem(&form);
  item->SetName(name);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

class FormConversionTest : public ::testing::Test {
 protected:
  // The converter loads its tables when it is made: after the platform is there.
  void SetUp() override {
    UseWin32ConverterPlatform();
    converter_ = std::make_unique<TGBtransfer>(nullptr);
    converter_->SetDirect(BIGtoGB);
    captionsSet.clear();
  }
  void TearDown() override {
    form_.reset();
    converter_.reset();
    ReleaseSharedConverter();
    SetConverterPlatform(nullptr);
  }
  TForm& NewForm() {
    form_ = std::make_unique<TForm>(nullptr);
    form_->SetName("Form1");
    form_->SetCaption(kInstall);
    return *form_;
  }

  std::unique_ptr<TForm> form_;
  std::unique_ptr<TGBtransfer> converter_;
};

}  // namespace

TEST_F(FormConversionTest, EachRowConvertsItsTextsOnce) {
  TForm& form = NewForm();
  auto* label = Make<TLabel>(form, &form, "Label1", kInstall);
  label->SetHint(kLink);
  label->Font().SetCharset(CHINESEBIG5_CHARSET);
  auto* group = Make<TGroupBox>(form, &form, "GroupBox1", kDatabase);
  auto* radio = Make<TRadioButton>(form, group, "RadioButton1", kSuccess);
  auto* button = Make<TButton>(form, &form, "Button1", kLink);
  button->SetHint(kInstall);  // hints of buttons stay
  auto* panel = Make<TPanel>(form, &form, "Panel1", kTraditional);
  auto* speed = Make<TSpeedButton>(form, panel, "SpeedButton1", kSuccess);
  speed->SetHint(kDatabase);
  auto* newButton = Make<TNewButton>(form, &form, "NewButton1", kInstall);
  newButton->SetHint(kTraditional);
  auto* check = Make<TCheckBox>(form, &form, "CheckBox1", kDatabase);
  auto* radioGroup = Make<TRadioGroup>(form, &form, "RadioGroup1", kLink);
  radioGroup->Items().Add(kInstall);
  radioGroup->Items().Add("latin1");
  auto* combo = Make<TComboBox>(form, &form, "CBox0");
  combo->Items().Add("MySQL");
  combo->Items().Add(kSuccess);
  combo->SetText(kSuccess);  // the text of a combo box stays
  auto* memo = Make<TMemo>(form, &form, "Memo1");
  memo->Lines().Add(kDatabase);
  memo->Lines().Add("");
  memo->Lines().Add("MySQL5.3+");
  auto* edit = Make<TEdit>(form, &form, "Edit1", kInstall);  // edit texts stay
  auto* list = Make<TListView>(form, &form, "ListView1");
  list->Columns().Add()->SetCaption(kLink);
  list->Columns().Add()->SetCaption(kSuccess);
  auto* pages = Make<TPageControl>(form, &form, "PageControl1");
  auto* sheet = Make<TTabSheet>(form, nullptr, "TabSheet1", kTraditional);
  sheet->SetPageControl(pages);
  auto* notebook = Make<TNotebook>(form, &form, "Notebook1");
  auto* page = Make<TPage>(form, notebook, "Page0", kInstall);  // page names stay
  auto* memos = new TMemos(&form);
  memos->SetName("Memos1");
  memos->Lines()->Add("S_Link=" + kLink);
  memos->Lines()->Add("S_Succ=" + kSuccess);
  form.HandleNeeded();

  converter_->ConvertForm(form);

  // With their windows made, the captions read are the windows' texts.
  EXPECT_EQ(form.Caption(), kInstallGb);
  EXPECT_EQ(label->Caption(), kInstallGb);
  EXPECT_EQ(label->Hint(), kLinkGb);
  EXPECT_EQ(label->Font().Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(group->Caption(), kDatabaseGb);
  EXPECT_EQ(radio->Caption(), kSuccessGb);
  EXPECT_EQ(button->Caption(), kLinkGb);
  EXPECT_EQ(button->Hint(), kInstall);
  EXPECT_EQ(panel->Caption(), kTraditionalGb);
  EXPECT_EQ(speed->Caption(), kSuccessGb);
  EXPECT_EQ(speed->Hint(), kDatabaseGb);
  EXPECT_EQ(newButton->Caption(), kInstallGb);
  EXPECT_EQ(newButton->Hint(), kTraditionalGb);
  EXPECT_EQ(check->Caption(), kDatabaseGb);
  EXPECT_EQ(radioGroup->Caption(), kLinkGb);
  EXPECT_EQ(radioGroup->Items().Lines(), (std::vector<std::string>{kInstallGb, "latin1"}));
  EXPECT_EQ(radioGroup->Button(0)->Caption(), kInstallGb);
  EXPECT_EQ(combo->Items().Lines(), (std::vector<std::string>{"MySQL", kSuccessGb}));
  EXPECT_EQ(combo->Text(), kSuccess);
  EXPECT_EQ(memo->Lines().Lines(), (std::vector<std::string>{kDatabaseGb, "", "MySQL5.3+"}));
  EXPECT_EQ(edit->Text(), kInstall);
  EXPECT_EQ(list->ColumnText(0), kLinkGb);
  EXPECT_EQ(list->ColumnText(1), kSuccessGb);
  EXPECT_EQ(pages->TabText(0), kTraditionalGb);
  EXPECT_EQ(page->Caption(), kInstall);
  EXPECT_EQ(memos->Lookup("S_LINK"), kLinkGb);
  EXPECT_EQ(memos->Lookup("S_Succ"), kSuccessGb);
  EXPECT_EQ(converter_->ErrorCount(), 0);
}

TEST_F(FormConversionTest, MenusConvertEveryCaptionOnceDeepestFirst) {
  TForm& form = NewForm();
  auto* bar = new TMainMenu(&form);
  bar->SetName("MainMenu1");
  TNotingMenuItem* file = MenuItem(form, bar->Items(), "File", kDatabase);
  TNotingMenuItem* open = MenuItem(form, file, "Open", kLink);
  TNotingMenuItem* recent = MenuItem(form, open, "Recent", kSuccess);
  TNotingMenuItem* help = MenuItem(form, bar->Items(), "Help", kInstall);
  form.SetMenu(bar);
  auto* popup = new TPopupMenu(&form);
  popup->SetName("PopupMenu1");
  TNotingMenuItem* copy = MenuItem(form, popup->Items(), "Copy", kTraditional);
  form.HandleNeeded();

  captionsSet.clear();
  converter_->ConvertForm(form);

  EXPECT_EQ(captionsSet, (std::vector<std::string>{"Recent", "Open", "File", "Help", "Copy"}));
  EXPECT_EQ(file->Caption(), kDatabaseGb);
  EXPECT_EQ(open->Caption(), kLinkGb);
  EXPECT_EQ(recent->Caption(), kSuccessGb);
  EXPECT_EQ(help->Caption(), kInstallGb);
  EXPECT_EQ(copy->Caption(), kTraditionalGb);
  EXPECT_EQ(bar->Items()->Caption(), "");  // the invisible root item is not touched
  // The form's menu bar shows the converted captions, to the deepest item.
  HMENU shown = GetMenu(form.Handle());
  ASSERT_NE(shown, nullptr);
  // They are read in GB2312 whatever the system's code page.
  EXPECT_EQ(MenuText(shown, 0, 936), kDatabaseGb);
  EXPECT_EQ(MenuText(shown, 1, 936), kInstallGb);
  HMENU fileMenu = GetSubMenu(shown, 0);
  EXPECT_EQ(MenuText(fileMenu, 0, 936), kLinkGb);
  EXPECT_EQ(MenuText(GetSubMenu(fileMenu, 0), 0, 936), kSuccessGb);
  EXPECT_EQ(MenuText(popup->Handle(), 0, 936), kTraditionalGb);
}

TEST_F(FormConversionTest, ConvertMenuAloneLeavesTheFormAlone) {
  TForm& form = NewForm();
  auto* popup = new TPopupMenu(&form);
  TNotingMenuItem* top = MenuItem(form, popup->Items(), "Top", kLink);
  MenuItem(form, top, "Sub", kSuccess);
  captionsSet.clear();
  converter_->ConvertMenu(*popup);
  EXPECT_EQ(captionsSet, (std::vector<std::string>{"Sub", "Top"}));
  EXPECT_EQ(form.Caption(), kInstall);
}

TEST_F(FormConversionTest, ConvertFormToGBOnlyOnASimplifiedChineseSystem) {
  TForm& form = NewForm();
  auto* label = Make<TLabel>(form, &form, "Label1", kDatabase);
  ConvertFormToGB(form);
  if (SimplifiedChineseRun()) {
    EXPECT_EQ(form.Caption(), kInstallGb);
    EXPECT_EQ(label->Caption(), kDatabaseGb);
  } else {
    EXPECT_EQ(form.Caption(), kInstall);
    EXPECT_EQ(label->Caption(), kDatabase);
  }
}
