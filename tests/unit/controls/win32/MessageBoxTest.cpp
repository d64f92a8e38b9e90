// The program's message box as a real window: texts, focus, keyboard answers, layout, modality.
#include "controls/win32/MessageBox.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/win32/Application.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {
// Shows the box and runs inspect on it once it is up, from inside the box's own message loop.
TModalResult ShowAndDrive(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                          const std::function<void(HWND)>& inspect) {
  TModalResult answer = mrNone;
  WhileModalWindow(MessageFormClassName, inspect,
                   [&] { answer = MessageDlg(text, kind, buttons); });
  return answer;
}

void PressKey(UINT key) {
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
}

std::vector<HWND> Buttons(HWND box) {
  std::vector<HWND> buttons;
  for (HWND child : ChildWindows(box)) {
    if (ClassNameOf(child) == "Button") buttons.push_back(child);
  }
  return buttons;
}

bool HasIcon(HWND box) {
  for (HWND child : ChildWindows(box)) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return true;
  }
  return false;
}
}  // namespace

TEST(MessageDlg, ConfirmationAsksYesOrNoWithYesAsDefault) {
  std::string caption;
  std::vector<std::string> captions;
  bool yesFocused = false, icon = false;
  const TModalResult answer = ShowAndDrive("delete?", mtConfirmation, mbYesNo, [&](HWND box) {
    caption = WindowText(box);
    icon = HasIcon(box);
    const auto buttons = Buttons(box);
    for (HWND b : buttons) captions.push_back(WindowText(b));
    yesFocused = !buttons.empty() && GetFocus() == GetDlgItem(box, IDYES);
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(answer, mrYes);
  EXPECT_EQ(caption, "\xbd\x54\xbb\x7b");  // 確認
  EXPECT_TRUE(icon);
  EXPECT_EQ(captions, (std::vector<std::string>{"\xac\x4f(&Y)", "\xa7\x5f(&N)"}));  // 是 否
  EXPECT_TRUE(yesFocused);
}

TEST(MessageDlg, EscapeAnswersNoWhenThereIsNoCancelButton) {
  EXPECT_EQ(ShowAndDrive("delete?", mtConfirmation, mbYesNo, [](HWND) { PressKey(VK_ESCAPE); }),
            mrNo);
  EXPECT_EQ(ShowAndDrive("x", mtWarning, mbYesNo | MsgDlgButton(mbCancel),
                         [](HWND) { PressKey(VK_ESCAPE); }),
            mrCancel);
}

TEST(MessageDlg, CustomKindShowsTheTitleNoIconAndOneOkForEnterEscapeAndClose) {
  std::string caption;
  bool icon = true;
  size_t buttonCount = 0;
  EXPECT_EQ(ShowAndDrive("\r\n               Boom             \r\n", mtCustom, mbOKOnly,
                         [&](HWND box) {
                           caption = WindowText(box);
                           icon = HasIcon(box);
                           buttonCount = Buttons(box).size();
                           EXPECT_EQ(GetFocus(), GetDlgItem(box, IDOK));
                           PressKey(VK_RETURN);
                         }),
            mrOk);
  EXPECT_EQ(caption, Application->Title());
  EXPECT_FALSE(icon);
  EXPECT_EQ(buttonCount, 1u);
  EXPECT_EQ(ShowAndDrive("x", mtCustom, mbOKOnly, [](HWND) { PressKey(VK_ESCAPE); }), mrOk);
  EXPECT_EQ(
      ShowAndDrive("x", mtCustom, mbOKOnly, [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); }),
      mrOk);
}

TEST(MessageDlg, KindCaptions) {
  const struct {
    TMsgDlgType kind;
    const char* caption;
  } kinds[] = {{mtWarning, "\xc4\xb5\xa7\x69"},       // 警告
               {mtError, "\xbf\xf9\xbb\x7e"},         // 錯誤
               {mtInformation, "\xb8\xea\xb0\x54"}};  // 資訊
  for (const auto& k : kinds) {
    std::string caption;
    ShowAndDrive("x", k.kind, mbOKOnly, [&](HWND box) {
      caption = WindowText(box);
      PressKey(VK_RETURN);
    });
    EXPECT_EQ(caption, k.caption);
  }
}

TEST(MessageDlg, HelpAnswersNothingAndLeavesTheBoxOpen) {
  const TModalResult answer =
      ShowAndDrive("x", mtInformation, mbOKOnly | MsgDlgButton(mbHelp), [](HWND box) {
        SendMessageA(GetDlgItem(box, 100), BM_CLICK, 0, 0);
        EXPECT_TRUE(IsWindowVisible(box));
        PressKey(VK_ESCAPE);
      });
  EXPECT_EQ(answer, mrOk);
}

TEST(MessageDlg, CentredWithButtonsInOneCentredRowUnderTheText) {
  std::string longText;
  for (int i = 0; i < 60; ++i) longText += "wrapping words ";
  RECT window = {}, client = {}, text = {};
  std::vector<RECT> buttons;
  ShowAndDrive(longText, mtWarning, mbYesNo | MsgDlgButton(mbCancel), [&](HWND box) {
    GetWindowRect(box, &window);
    GetClientRect(box, &client);
    for (HWND child : ChildWindows(box)) {
      if (WindowText(child) == longText) text = ChildRect(child);
    }
    for (HWND b : Buttons(box)) buttons.push_back(ChildRect(b));
    PressKey(VK_ESCAPE);
  });
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_LE(std::abs((window.left + window.right) - screenWidth), 1);
  EXPECT_LE(std::abs((window.top + window.bottom) - screenHeight), 1);
  EXPECT_LE(text.right - text.left, screenWidth / 2);
  EXPECT_GT(text.bottom - text.top, 32);  // wrapped onto several lines
  EXPECT_GT(text.left, 32);               // right of the icon
  ASSERT_EQ(buttons.size(), 3u);
  for (const RECT& b : buttons) {
    EXPECT_EQ(b.top, buttons[0].top);
    EXPECT_GT(b.top, text.bottom);
  }
  EXPECT_LT(buttons[0].right, buttons[1].left);
  EXPECT_LE(std::abs(buttons[0].left - (client.right - buttons[2].right)), 1);
}

TEST(MessageDlg, OtherWindowsOfTheThreadAreDisabledWhileItIsUp) {
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(other);
  bool enabledDuring = true;
  ShowAndDrive("x", mtInformation, mbOKOnly, [&](HWND) {
    enabledDuring = IsWindowEnabled(other);
    PressKey(VK_RETURN);
  });
  EXPECT_FALSE(enabledDuring);
  EXPECT_TRUE(IsWindowEnabled(other));
  DestroyWindow(other);
}
