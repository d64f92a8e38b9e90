// Controls on a form as real windows: frame, positions, texts, styles, tab order, pages, items.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/win32/Application.h"
#include "framework/Exceptions.h"
#include "tests/unit/controls/win32/TestForm.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {
std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string item(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
    item.resize(static_cast<size_t>(
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0]))));
    items.push_back(item);
  }
  return items;
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.reset(new TTestForm);
    form->HandleNeeded();
  }
  std::unique_ptr<TTestForm> form;
};
}  // namespace

TEST_F(ControlsTest, FormIsAFixedCentredDialogWithItsClientSizeAndCaption) {
  HWND window = form->Handle();
  EXPECT_EQ(ClassNameOf(window), "TForm");
  EXPECT_EQ(WindowText(window), "\xa6\x77\xb8\xcb MySQL");
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 388);
  EXPECT_EQ(client.bottom, 393);
  const LONG_PTR style = StyleOf(window);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(IsWindowVisible(window));  // until shown
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_LE(std::abs(outer.left + outer.right - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs(outer.top + outer.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);
}

TEST_F(ControlsTest, ChildrenStandWhereTheFormPutsThemWithTheirTexts) {
  RECT r = ChildRect(form->panel->Handle());
  EXPECT_EQ(r.left, 28);
  EXPECT_EQ(r.top, 14);
  EXPECT_EQ(r.right - r.left, 335);
  EXPECT_EQ(r.bottom - r.top, 309);
  r = ChildRect(form->user->Handle());
  EXPECT_EQ(r.left, 96);
  EXPECT_EQ(r.top, 124);
  EXPECT_EQ(r.right - r.left, 130);
  EXPECT_EQ(GetParent(form->user->Handle()), form->panel->Handle());
  EXPECT_EQ(WindowText(form->user->Handle()), "Edit3");
  EXPECT_EQ(WindowText(form->install->Handle()), "\xa6\x77\xb8\xcb");
  EXPECT_EQ(WindowText(form->kind->Handle()), "MySQL5.3+");
  EXPECT_EQ(WindowText(form->create->Handle()), form->create->Caption());
  EXPECT_EQ(SendMessageA(form->create->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // the page fills the notebook, which fills the client area
  r = ChildRect(form->page0->Handle());
  EXPECT_EQ(r.right - r.left, 388);
  EXPECT_EQ(r.bottom - r.top, 393);
}

TEST_F(ControlsTest, AutoSizedLabelFitsItsCaptionAndTheFixedOneIsCentred) {
  HWND label = form->label->Handle();
  EXPECT_EQ(WindowText(label), form->label->Caption());
  const RECT r = ChildRect(label);
  EXPECT_EQ(r.left, 34);
  EXPECT_GT(r.right - r.left, 30);  // five characters of a 12-pixel font
  EXPECT_LE(r.bottom - r.top, 20);
  EXPECT_EQ(form->message->Width(), 335);
  EXPECT_EQ(form->message->Height(), 17);
  EXPECT_EQ(StyleOf(form->message->Handle()) & SS_TYPEMASK, SS_CENTER);
}

TEST_F(ControlsTest, VisibilityAndHiddenButtonsClickableFromCode) {
  EXPECT_FALSE(StyleOf(form->password->Handle()) & WS_VISIBLE);
  EXPECT_FALSE(StyleOf(form->hiddenAction->Handle()) & WS_VISIBLE);
  EXPECT_TRUE(StyleOf(form->user->Handle()) & WS_VISIBLE);
  form->hiddenAction->Click();
  EXPECT_EQ(form->events, (std::vector<std::string>{"BtnInit.Click"}));
  form->password->SetVisible(true);
  EXPECT_TRUE(StyleOf(form->password->Handle()) & WS_VISIBLE);
}

TEST_F(ControlsTest, TabOrderIsTheWindowOrderAndLabelsAreNoTabStops) {
  std::vector<HWND> expected = {
      form->sources->Handle(),  form->hosts->Handle(),  form->user->Handle(),  form->kind->Handle(),
      form->password->Handle(), form->create->Handle(), form->notice->Handle()};
  std::vector<HWND> windowed;
  for (HWND child : DirectChildren(form->panel->Handle())) {
    const TControl* control = TControl::FromHandle(child);
    if (control && !control->IsGraphicControl()) windowed.push_back(child);
  }
  EXPECT_EQ(windowed, expected);
  EXPECT_TRUE(StyleOf(form->sources->Handle()) & WS_TABSTOP);
  EXPECT_FALSE(StyleOf(form->label->Handle()) & WS_TABSTOP);
  EXPECT_FALSE(StyleOf(form->hiddenAction->Handle()) & WS_TABSTOP);
  // The dialog manager walks the same order, into the panel first.
  EXPECT_EQ(GetNextDlgTabItem(form->Handle(), nullptr, FALSE), form->sources->Handle());
  EXPECT_EQ(GetNextDlgTabItem(form->Handle(), form->sources->Handle(), FALSE),
            form->hosts->Handle());
}

TEST_F(ControlsTest, ComboItemsAreMirroredInSortedOrder) {
  form->hosts->Items().Add("zeta");
  form->hosts->Items().Add("Alpha");
  form->hosts->Items().Add("beta");
  form->hosts->SetText("typed");
  EXPECT_EQ(ComboItems(form->hosts->Handle()), (std::vector<std::string>{"Alpha", "beta", "zeta"}));
  EXPECT_EQ(WindowText(form->hosts->Handle()), "typed");
  form->hosts->Items().Delete(0);
  EXPECT_EQ(ComboItems(form->hosts->Handle()), (std::vector<std::string>{"beta", "zeta"}));
  EXPECT_EQ(form->hosts->Text(), "typed");
  EXPECT_EQ(ComboItems(form->kind->Handle()), (std::vector<std::string>{"MySQL", "MySQL5.3+"}));
  EXPECT_TRUE(form->events.empty());  // text and items set by code run no event
}

TEST_F(ControlsTest, PasswordEditShowsStars) {
  HWND password = form->password->Handle();
  EXPECT_EQ(SendMessageA(password, EM_GETPASSWORDCHAR, 0, 0), '*');
  form->password->SetText("secret");
  EXPECT_EQ(form->password->Text(), "secret");
  EXPECT_EQ(SendMessageA(form->user->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(ControlsTest, MemoHasNoBorderAndMirrorsItsLines) {
  HWND memo = form->memo->Handle();
  EXPECT_TRUE(StyleOf(memo) & ES_MULTILINE);
  EXPECT_FALSE(GetWindowLongPtrA(memo, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(StyleOf(memo) & WS_BORDER);
  form->memo->Lines().Add("Can't connect");
  form->memo->Lines().Add("(10061)");
  EXPECT_EQ(WindowText(memo), "Can't connect\r\n(10061)");
  SetWindowTextA(memo, "one\r\ntwo\r\nthree");
  EXPECT_EQ(form->memo->Lines().Count(), 3);
  EXPECT_EQ(form->memo->Lines()[2], "three");
}

TEST_F(ControlsTest, NotebookShowsOnlyTheActivePage) {
  EXPECT_EQ(form->notebook->PageNames(), (std::vector<std::string>{"0", "1"}));
  EXPECT_TRUE(StyleOf(form->page0->Handle()) & WS_VISIBLE);
  EXPECT_FALSE(StyleOf(form->page1->Handle()) & WS_VISIBLE);
  form->notebook->SetActivePage("1");
  EXPECT_EQ(form->notebook->PageIndex(), 1);
  EXPECT_FALSE(StyleOf(form->page0->Handle()) & WS_VISIBLE);
  EXPECT_TRUE(StyleOf(form->page1->Handle()) & WS_VISIBLE);
  form->notebook->SetPageIndex(7);  // no such page
  EXPECT_EQ(form->notebook->ActivePage(), "1");
  form->notebook->SetPageIndex(0);
  EXPECT_TRUE(StyleOf(form->page0->Handle()) & WS_VISIBLE);
}

TEST_F(ControlsTest, PanelColourAndFontColour) {
  EXPECT_EQ(ColorToRGB(form->notice->Color()), RGB(210, 68, 0));
  EXPECT_EQ(ColorToRGB(form->notice->Font().Color()), RGB(255, 255, 255));
  // the rest of the notice's font is the form's
  EXPECT_EQ(form->notice->Font().Name(), form->Font().Name());
  EXPECT_EQ(form->notice->Font().Height(), -12);
  EXPECT_EQ(form->label->Font().Name(), "\xb2\xd3\xa9\xfa\xc5\xe9");
  EXPECT_EQ(form->label->Color(), clBtnFace);
}

namespace {
// A control of a window class the process cannot use, as a 64-bit program bound to the x86
// common controls was: its window cannot be made.
class TUnusableControl : public TControl {
 public:
  using TControl::TControl;

 protected:
  TCreateParams CreateParams() const override { return {"LintoraNoSuchClass", 0, 0, true}; }
};
}  // namespace

TEST_F(ControlsTest, AWindowThatCannotBeMadeIsAnErrorNamingItsClass) {
  auto* control = new TUnusableControl(form.get());
  control->SetName("Broken");
  try {
    control->SetParent(form.get());
    control->Handle();
    FAIL() << "no error for a window that was not made";
  } catch (const Exception& error) {
    EXPECT_NE(error.Message().find("Cannot create the LintoraNoSuchClass window of Broken"),
              std::string::npos)
        << error.Message();
  }
}

namespace {
std::wstring WideText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
  return text;
}
}  // namespace

// The form's own texts are shown from the form's code set, whatever the system's code page (the
// windows hold them in UTF-16); a converted form shows GB2312; what the user types stays in the
// system's code page both ways.
TEST_F(ControlsTest, OwnTextsShowInTheFormsCodeSetAndValuesInTheSystems) {
  EXPECT_TRUE(IsWindowUnicode(form->Handle()));
  EXPECT_EQ(WideText(form->Handle()), L"\u5b89\u88dd MySQL");
  EXPECT_EQ(WideText(form->install->Handle()), L"\u5b89\u88dd");
  EXPECT_EQ(form->install->Caption(), "\xa6\x77\xb8\xcb");

  form->SetCodePage(936);
  form->label->SetCaption("\xd7\xca\xc1\xcf\xbf\xe2");  // 资料库 in GB2312
  EXPECT_EQ(WideText(form->label->Handle()), L"\u8d44\u6599\u5e93");
  EXPECT_EQ(form->label->Caption(), "\xd7\xca\xc1\xcf\xbf\xe2");

  const std::string typed = "\xa6\x77\xb8\xcb";  // 安裝 in the system's code page (950 here)
  form->user->SetText(typed);
  std::wstring expected(4, L'\0');
  expected.resize(
      static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, typed.data(), 4, &expected[0], 4)));
  EXPECT_EQ(WideText(form->user->Handle()), expected);
  EXPECT_EQ(form->user->Text(), typed);

  LOGFONTW font = {};
  ASSERT_TRUE(GetObjectW(form->FontHandle(), sizeof font, &font));
  EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
}
