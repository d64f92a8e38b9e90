// Group boxes, radio groups, list views, page controls with tab sheets and menus as real windows
// and menus, made by code and read from a stored form.
#include <gtest/gtest.h>
#include <windows.h>
// The common controls header needs windows.h before it.
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/win32/ControlClasses.h"
#include "controls/win32/Forms.h"
#include "controls/win32/GroupBoxes.h"
#include "controls/win32/ListView.h"
#include "controls/win32/Menus.h"
#include "controls/win32/PageControl.h"
#include "framework/FormStream.h"
#include "framework/FormText.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {

class GroupsListsMenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterControlClasses();
    form = std::make_unique<TForm>(nullptr);
    form->SetName("Form1");
    form->SetClientWidth(300);
    form->SetClientHeight(200);
  }
  template <typename T>
  T* Make(const char* name, TWinControl* parent) {
    T* control = new T(form.get());
    control->SetName(name);
    if (parent) control->SetParent(parent);
    return control;
  }
  TMenuItem* Item(const char* name, TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(form.get());
    item->SetName(name);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(GroupsListsMenusTest, RadioGroupMakesOneButtonPerItemAndKeepsTheChoice) {
  auto* group = Make<TRadioGroup>("RadioGroup1", form.get());
  group->SetBounds(10, 10, 150, 100);
  group->SetCaption("Kind");
  int clicks = 0;
  group->OnClick.Bind([&clicks](TComponent*) { ++clicks; });
  group->Items().Add("MySQL");
  group->Items().Add("MySQL5.3+");
  group->SetItemIndex(1);
  form->HandleNeeded();
  EXPECT_EQ(WindowText(group->Handle()), "Kind");
  EXPECT_EQ(StyleOf(group->Handle()) & BS_TYPEMASK, BS_GROUPBOX);
  std::vector<HWND> buttons = DirectChildren(group->Handle());
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(WindowText(group->Button(0)->Handle()), "MySQL");
  EXPECT_EQ(SendMessageA(group->Button(1)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

  SendMessageA(group->Button(0)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_EQ(SendMessageA(group->Button(1)->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(clicks, 1);

  // New item texts: the buttons follow, the choice stays.
  TStringList renamed;
  renamed.Add("A");
  renamed.Add("B");
  renamed.Add("C");
  group->Items().Assign(renamed);
  EXPECT_EQ(DirectChildren(group->Handle()).size(), 3u);
  EXPECT_EQ(WindowText(group->Button(2)->Handle()), "C");
  EXPECT_EQ(group->ItemIndex(), 0);
  group->Items().Clear();
  EXPECT_EQ(DirectChildren(group->Handle()).size(), 0u);
  EXPECT_EQ(group->ItemIndex(), -1);
}

TEST_F(GroupsListsMenusTest, RadioButtonsOfOneParentExcludeEachOther) {
  auto* box = Make<TGroupBox>("GroupBox1", form.get());
  auto* first = Make<TRadioButton>("RadioButton1", box);
  auto* second = Make<TRadioButton>("RadioButton2", box);
  auto* elsewhere = Make<TRadioButton>("RadioButton3", form.get());
  first->SetChecked(true);
  elsewhere->SetChecked(true);
  form->HandleNeeded();
  second->SetChecked(true);
  EXPECT_FALSE(first->Checked());
  EXPECT_TRUE(second->Checked());
  EXPECT_TRUE(elsewhere->Checked());
  EXPECT_EQ(GetParent(first->Handle()), box->Handle());
}

TEST_F(GroupsListsMenusTest, ListViewHeaderFollowsItsColumns) {
  auto* list = Make<TListView>("ListView1", form.get());
  list->Columns().Add()->SetCaption("Name");
  form->HandleNeeded();
  EXPECT_EQ(ClassNameOf(list->Handle()), "SysListView32");
  EXPECT_EQ(list->ColumnText(0), "Name");
  TListColumn* server = list->Columns().Add();
  server->SetCaption("Server");
  server->SetWidth(80);
  EXPECT_EQ(list->ColumnText(1), "Server");
  EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETCOLUMNWIDTH, 1, 0), 80);
  list->Columns().Items(0)->SetCaption(std::string(300, 'x'));  // longer than a first buffer
  EXPECT_EQ(list->ColumnText(0), std::string(300, 'x'));
  list->Columns().Delete(0);
  EXPECT_EQ(list->ColumnText(0), "Server");
}

TEST_F(GroupsListsMenusTest, PageControlShowsOneTabPerSheetAndOnlyTheChosenSheet) {
  auto* pages = Make<TPageControl>("PageControl1", form.get());
  pages->SetBounds(0, 0, 300, 200);
  auto* first = Make<TTabSheet>("TabSheet1", nullptr);
  first->SetPageControl(pages);
  first->SetCaption("First");
  auto* second = Make<TTabSheet>("TabSheet2", nullptr);
  second->SetPageControl(pages);
  second->SetCaption("Second");
  form->HandleNeeded();
  EXPECT_EQ(ClassNameOf(pages->Handle()), "SysTabControl32");
  EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(pages->TabText(1), "Second");
  EXPECT_TRUE(first->Visible());
  EXPECT_FALSE(second->Visible());
  pages->SetActivePageIndex(1);
  EXPECT_FALSE(first->Visible());
  EXPECT_TRUE(second->Visible());
  EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
  second->SetCaption("Renamed");
  EXPECT_EQ(pages->TabText(1), "Renamed");
  // The sheets lie below the tabs, inside the control.
  const RECT sheet = ChildRect(second->Handle());
  EXPECT_GT(sheet.top, 0);
  EXPECT_LE(sheet.bottom, 200);
  delete first;
  EXPECT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->TabText(0), "Renamed");
}

TEST_F(GroupsListsMenusTest, MainMenuIsTheFormsBarAndItsItemsRunTheirClicks) {
  auto* bar = new TMainMenu(form.get());
  TMenuItem* file = Item("File", bar->Items(), "File");
  TMenuItem* open = Item("Open", file, "Open");
  TMenuItem* recent = Item("Recent", open, "Recent");
  form->SetMenu(bar);
  form->HandleNeeded();
  HMENU shown = GetMenu(form->Handle());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(MenuText(shown, 0), "File");
  EXPECT_EQ(MenuText(GetSubMenu(GetSubMenu(shown, 0), 0), 0), "Recent");
  // The client size stays what was set, below the bar.
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.bottom, 200);

  std::vector<std::string> clicked;
  recent->OnClick.Bind([&clicked](TComponent* sender) { clicked.push_back(sender->Name()); });
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(recent->Command(), 0), 0);
  EXPECT_EQ(clicked, std::vector<std::string>{"Recent"});
  // Enter and Escape's commands are no item's.
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  EXPECT_EQ(clicked.size(), 1u);

  const UINT recentCommand = recent->Command();
  open->SetCaption("Open...");
  EXPECT_EQ(MenuText(GetSubMenu(GetMenu(form->Handle()), 0), 0), "Open...");
  delete open;  // its sub-item goes with it
  EXPECT_EQ(form->FindComponent("Recent"), nullptr);
  EXPECT_EQ(file->Count(), 0);
  EXPECT_EQ(TMenuItem::FromCommand(recentCommand), nullptr);
}

// The window destroys the bar it shows; a menu owned elsewhere must outlive its form intact, and
// a form must not reach a menu that has gone.
TEST_F(GroupsListsMenusTest, AMainMenuAndItsFormMayGoInEitherOrder) {
  auto bar = std::make_unique<TMainMenu>(nullptr);
  auto* file = new TMenuItem(nullptr);  // the menu's root item destroys it
  file->SetCaption("File");
  bar->Items()->Add(file);
  form->SetMenu(bar.get());
  form->HandleNeeded();
  EXPECT_EQ(GetMenu(form->Handle()), bar->Handle());

  form.reset();
  EXPECT_EQ(bar->Form(), nullptr);
  EXPECT_TRUE(IsMenu(bar->Handle()));
  EXPECT_EQ(MenuText(bar->Handle(), 0), "File");

  auto second = std::make_unique<TForm>(nullptr);
  second->SetMenu(bar.get());
  second->HandleNeeded();
  EXPECT_EQ(MenuText(GetMenu(second->Handle()), 0), "File");
  // One window shows a bar at a time: the next form takes it from the one before.
  auto third = std::make_unique<TForm>(nullptr);
  third->SetMenu(bar.get());
  EXPECT_EQ(second->Menu(), nullptr);
  EXPECT_EQ(GetMenu(second->Handle()), nullptr);
  EXPECT_EQ(bar->Form(), third.get());

  bar.reset();
  EXPECT_EQ(third->Menu(), nullptr);
  third->HandleNeeded();
  EXPECT_EQ(GetMenu(third->Handle()), nullptr);
}

TEST_F(GroupsListsMenusTest, MenusAndSheetsTravelThroughAStoredForm) {
  const std::string text = R"(object Form1: TForm
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = 'File'
      object Open1: TMenuItem
        Caption = 'Open'
        object Recent1: TMenuItem
          Caption = 'Recent'
          Enabled = False
        end
      end
    end
    object Help1: TMenuItem
      Caption = 'Help'
    end
  end
  object PopupMenu1: TPopupMenu
    object Copy1: TMenuItem
      Caption = 'Copy'
      Checked = True
    end
  end
  object PageControl1: TPageControl
    Width = 200
    Height = 100
    ActivePageIndex = 1
    object TabSheet1: TTabSheet
      Caption = 'One'
    end
    object TabSheet2: TTabSheet
      Caption = 'Two'
      object RadioGroup1: TRadioGroup
        Caption = 'Kind'
        Items.Strings = (
          'a'
          'b')
        ItemIndex = 1
      end
    end
  end
end
)";
  FormTextEnvironment env;
  env.ConvertText = [](const std::string& utf8) { return utf8; };
  TForm read(nullptr);
  FormReader(CompileFormText(text, env)).ReadRootComponent(read);
  auto* bar = dynamic_cast<TMainMenu*>(read.FindComponent("MainMenu1"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(read.Menu(), bar);
  ASSERT_EQ(bar->Items()->Count(), 2);
  TMenuItem* open = bar->Items()->Items(0)->Items(0);
  EXPECT_EQ(open->Name(), "Open1");
  EXPECT_FALSE(open->Items(0)->Enabled());
  EXPECT_EQ(open->GetParentComponent(), bar->Items()->Items(0));
  EXPECT_EQ(bar->Items()->Items(0)->GetParentComponent(), bar);
  auto* popup = dynamic_cast<TPopupMenu*>(read.FindComponent("PopupMenu1"));
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->Items()->Items(0)->Checked());
  auto* pages = dynamic_cast<TPageControl*>(read.FindComponent("PageControl1"));
  ASSERT_NE(pages, nullptr);
  ASSERT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  auto* group = dynamic_cast<TRadioGroup*>(read.FindComponent("RadioGroup1"));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->Parent(), pages->Pages(1));
  EXPECT_EQ(group->ItemIndex(), 1);

  // Written again, the same tree comes back.
  const std::vector<uint8_t> stored = FormWriter::WriteComponent(read);
  TForm again(nullptr);
  FormReader(stored).ReadRootComponent(again);
  EXPECT_EQ(FormWriter::WriteComponent(again), stored);
  read.HandleNeeded();
  EXPECT_EQ(MenuText(GetMenu(read.Handle()), 1), "Help");
  EXPECT_EQ(pages->TabText(0), "One");
}
