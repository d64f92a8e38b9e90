// The application object: errors raised inside window procedures reach its handler, and its
// message loop runs until it is told to end.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "controls/win32/Application.h"
#include "framework/Exceptions.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {

const UINT kRaise = WM_APP + 1;
const UINT kRaiseOther = WM_APP + 2;
const UINT kCount = WM_APP + 3;
const UINT kTerminate = WM_APP + 4;

TComponent* const kSender = reinterpret_cast<TComponent*>(0x1234);

struct Received {
  TComponent* sender;
  std::string message;
};

// What the window procedure sees; the tests run on one thread.
TApplication* application = nullptr;
int counted = 0;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case kRaise:
        throw EFileError("Cannot create file C:\\x");
      case kRaiseOther:
        throw std::runtime_error("not ours");
      case kCount:
        ++counted;
        return 0;
      case kTerminate:
        application->Terminate();
        return 0;
    }
  } catch (...) {
    application->HandleException(kSender);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application = &app_;
    counted = 0;
    app_.OnException = [this](TComponent* sender, const Exception& error) {
      received_.push_back({sender, error.Message()});
    };
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "LintoraApplicationTest";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    app_.ProcessMessages();
  }

  TApplication app_;
  HWND window_ = nullptr;
  std::vector<Received> received_;
};

TEST_F(ApplicationTest, ErrorsOfWindowProceduresReachTheHandlerAndTheLoopGoesOn) {
  PostMessageA(window_, kRaise, 0, 0);
  PostMessageA(window_, kRaiseOther, 0, 0);
  PostMessageA(window_, kCount, 0, 0);
  app_.ProcessMessages();

  ASSERT_EQ(received_.size(), 2u);
  EXPECT_EQ(received_[0].sender, kSender);
  EXPECT_EQ(received_[0].message, "Cannot create file C:\\x");
  EXPECT_EQ(received_[1].message, "not ours");
  EXPECT_EQ(counted, 1);
  EXPECT_FALSE(app_.Terminated());
}

TEST_F(ApplicationTest, ErrorOfTheMessageHookReachesTheHandler) {
  app_.OnMessage = [](MSG& message, bool& handled) {
    if (message.message == kCount) throw EProfileError("Unable to write to x.ini");
    handled = message.message == kRaise;
  };
  PostMessageA(window_, kRaise, 0, 0);  // handled by the hook: never dispatched
  PostMessageA(window_, kCount, 0, 0);
  app_.ProcessMessages();
  ASSERT_EQ(received_.size(), 1u);
  EXPECT_EQ(received_[0].sender, nullptr);
  EXPECT_EQ(received_[0].message, "Unable to write to x.ini");
  EXPECT_EQ(counted, 0);
}

TEST_F(ApplicationTest, HandlerThatCannotShowTheErrorLeavesItToTheSystemBox) {
  // As when the program's own box cannot be made: the error is not lost, and the loop goes on.
  app_.OnException = [](TComponent*, const Exception&) { throw std::runtime_error("no box"); };
  std::string shown;
  const bool appeared = WhileModalWindow(
      "#32770",
      [&shown](HWND box) {
        for (HWND child : ChildWindows(box)) shown += WindowText(child) + "|";
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      },
      [this] {
        PostMessageA(window_, kRaise, 0, 0);
        PostMessageA(window_, kCount, 0, 0);
        app_.ProcessMessages();
      });
  ASSERT_TRUE(appeared);
  EXPECT_NE(shown.find("Cannot create file C:\\x\r\n\r\nno box"), std::string::npos) << shown;
  EXPECT_EQ(counted, 1);
}

TEST_F(ApplicationTest, HandleExceptionOutsideACatchDoesNothing) {
  app_.HandleException(kSender);
  EXPECT_TRUE(received_.empty());
}

TEST_F(ApplicationTest, RunProcessesMessagesUntilTerminated) {
  PostMessageA(window_, kCount, 0, 0);
  PostMessageA(window_, kTerminate, 0, 0);
  PostMessageA(window_, kCount, 0, 0);
  app_.Run();
  EXPECT_TRUE(app_.Terminated());
  EXPECT_GE(counted, 1);
  app_.Run();  // a terminated application's loop returns at once
}

TEST_F(ApplicationTest, TitleIsTheProgramNameUntilSet) {
  EXPECT_EQ(app_.Title(), "unit_controls_win32");
  app_.SetTitle("\xa6\x77\xb8\xcb");  // 安裝
  EXPECT_EQ(app_.Title(), "\xa6\x77\xb8\xcb");
}

}  // namespace
