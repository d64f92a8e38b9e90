// The error box as the user sees it: the real message window, read while it is up.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win32/ErrorHandling.h"
#include "controls/win32/Application.h"
#include "controls/win32/MessageBox.h"
#include "framework/Exceptions.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {
const std::string OkCaption = "\xbd\x54\xbb\x7b";  // 確認
}

TEST(ErrorBox, OneWordStandsAloneOnTheSecondLine) {
  EXPECT_EQ(ErrorBoxText("Failure"), "\r\n               Failure             \r\n");
}

TEST(ErrorBox, ShowsTheMessageUnderTheTitleWithOneOkButton) {
  Application->SetTitle("\xa6\x77\xb8\xcbMySQL\xb3\x73\xb5\xb2");  // 安裝MySQL連結
  std::string caption, text;
  std::vector<std::string> buttons;
  const bool shown = WhileModalWindow(
      MessageFormClassName,
      [&](HWND box) {
        caption = WindowText(box);
        HWND ok = nullptr;
        for (HWND child : ChildWindows(box)) {
          char className[32] = {};
          GetClassNameA(child, className, sizeof className);
          if (lstrcmpiA(className, "Button") == 0) {
            buttons.push_back(WindowText(child));
            ok = child;
          } else if (!WindowText(child).empty()) {
            text = WindowText(child);
          }
        }
        if (ok) SendMessageA(ok, BM_CLICK, 0, 0);
      },
      [] { ApplicationException(nullptr, Exception("Failure")); });
  ASSERT_TRUE(shown);
  EXPECT_EQ(caption, Application->Title());
  EXPECT_EQ(text, ErrorBoxText("Failure"));
  EXPECT_EQ(buttons, std::vector<std::string>{OkCaption});
  Application->SetTitle("");
}
