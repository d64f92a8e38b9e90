// Events bound by handler name when the form is read, fired by real window messages; errors of
// handlers go to the application and never unwind through Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/win32/Application.h"
#include "controls/win32/WinXP.h"
#include "framework/Exceptions.h"
#include "tests/unit/controls/win32/TestForm.h"

namespace {
struct TCaughtError {
  TComponent* sender = nullptr;
  std::string message;
  int count = 0;
};

class EventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application->OnException = [this](TComponent* sender, const Exception& error) {
      caught.sender = sender;
      caught.message = error.Message();
      ++caught.count;
    };
    form.reset(new TTestForm);
    form->Show();
    PumpMessages();
  }
  void TearDown() override {
    form.reset();
    Application->OnException = nullptr;
  }
  std::unique_ptr<TTestForm> form;
  TCaughtError caught;
};

// The combo box's edit field, where typing goes.
HWND EditOf(HWND combo) {
  return FindWindowExA(combo, nullptr, "Edit", nullptr);
}
}  // namespace

TEST_F(EventsTest, ButtonClickRunsTheHandlerNamedInTheForm) {
  SendMessageA(form->install->Handle(), BM_CLICK, 0, 0);
  // the button takes the focus from the combo box that had it
  EXPECT_EQ(form->events, (std::vector<std::string>{"Sources.Exit", "Install.Click"}));
}

TEST_F(EventsTest, HandlerErrorReachesTheApplicationAndTheFormStaysUsable) {
  form->PublishMethod("Fails", [](TComponent*) { throw EDatabaseError("boom"); });
  form->install->OnClick.SetName("Fails");
  form->BindEvents();
  SendMessageA(form->install->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(caught.count, 1);
  EXPECT_EQ(caught.message, "boom");
  EXPECT_EQ(caught.sender, form->install);
  form->install->OnClick.SetName("Clicked");
  form->BindEvents();
  SendMessageA(form->install->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->events.back(), "Install.Click");
  // Errors that are not ours arrive with their text too.
  form->install->OnClick.Bind([](TComponent*) { throw std::runtime_error("plain"); });
  SendMessageA(form->install->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(caught.message, "plain");
}

TEST_F(EventsTest, ChoosingAnItemSetsTheTextThenClicksThenChanges) {
  std::string textDuringChange;
  form->PublishMethod("Changed", [&](TComponent* s) {
    textDuringChange = static_cast<TComboBox*>(s)->Text();
    form->Record(s, "Change");
  });
  form->BindEvents();
  form->kind->SetText("MySQL");
  SendMessageA(form->kind->Handle(), CB_SETCURSEL, 0, 0);
  SendMessageA(form->kind->Handle(), WM_KEYDOWN, VK_DOWN, 0);  // next item, as the user does
  PumpMessages();
  EXPECT_EQ(form->events, (std::vector<std::string>{"Kind.Click", "Kind.Change"}));
  EXPECT_EQ(textDuringChange, "MySQL5.3+");
  EXPECT_EQ(form->kind->ItemIndex(), 1);
}

TEST_F(EventsTest, TypingChangesAndOpeningTheListDropsDown) {
  SendMessageA(EditOf(form->kind->Handle()), WM_CHAR, 'x', 0);
  EXPECT_EQ(form->events, (std::vector<std::string>{"Kind.Change:Kind"}));
  SendMessageA(form->sources->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageA(form->sources->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(form->events.back(), "Sources.DropDown");
}

TEST_F(EventsTest, LeavingTheComboRunsExit) {
  form->sources->SetFocus();
  PumpMessages();
  form->user->SetFocus();
  PumpMessages();
  EXPECT_EQ(form->events, (std::vector<std::string>{"Sources.Exit"}));
}

TEST_F(EventsTest, SpeedButtonClicksWithoutTakingTheFocus) {
  form->hiddenAction->Show();
  HWND button = form->hiddenAction->Handle();
  form->sources->SetFocus();
  PumpMessages();
  PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  PumpMessages();
  // Released outside the button: no click.
  PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(400, 4));
  PumpMessages();
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(form->events, (std::vector<std::string>{"BtnInit.Click", "BtnInit.Click"}));
  EXPECT_TRUE(form->sources->Focused());
  EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  EXPECT_NE(GetCapture(), button);
}

TEST_F(EventsTest, TabMovesTheFocusInTabOrder) {
  ASSERT_TRUE(form->sources->Focused());  // the first tab stop has the focus when shown
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
  PumpMessages();
  EXPECT_TRUE(form->hosts->Focused());
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
  PumpMessages();
  EXPECT_TRUE(form->user->Focused());
}

TEST_F(EventsTest, ErrorInOnCreateGoesToTheApplication) {
  form->PublishMethod("Starts", [](TComponent*) { throw Exception("start-up failed"); });
  form->OnCreate.SetName("Starts");
  form->BindEvents();
  form->DoCreate();
  EXPECT_EQ(caught.message, "start-up failed");
  EXPECT_EQ(caught.sender, form.get());
}

TEST_F(EventsTest, UnknownHandlerNamesAreRefused) {
  form->create->OnClick.SetName("NoSuchHandler");
  EXPECT_THROW(form->Loaded(), EReadError);
  try {
    form->create->Click();
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Handler NoSuchHandler not found");
  }
  form->create->OnClick.SetName("clicked");  // names ignore ASCII case
  EXPECT_NO_THROW(form->Loaded());
  SendMessageA(form->create->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->events.back(), "Create.Click");
  EXPECT_TRUE(form->create->Checked());
}

TEST(WinXP, OnlyOnAFormAndOnlyOnce) {
  TTestForm form;
  try {
    new TWinXP(form.panel);
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Control parent must be a form!");
  }
  EXPECT_EQ(form.panel->ComponentCount(), 0);
  new TWinXP(&form);
  try {
    new TWinXP(&form);
    FAIL() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Only one instance of TWinXP allowed on form");
  }
  int count = 0;
  for (int i = 0; i < form.ComponentCount(); ++i)
    count += dynamic_cast<TWinXP*>(form.Components(i)) != nullptr;
  EXPECT_EQ(count, 1);
}
