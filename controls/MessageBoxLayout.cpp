#include "controls/MessageBoxLayout.h"

#include <algorithm>
#include <cstdint>

namespace {
// Dialog units of the box, in quarters of the average character width (horizontal) and eighths
// of its height (vertical).
constexpr int kMargin = 8;
constexpr int kSpacing = 10;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;

struct ButtonInfo {
  const char* caption;
  TModalResult result;
};

// Box order. "全部皆否" is the no-to-all button and "全部皆是" the yes-to-all button, so that each
// caption says what the button answers.
const ButtonInfo kButtons[MsgDlgBtnCount] = {
    {"\xac\x4f(&Y)", mrYes},                           // 是(&Y)
    {"\xa7\x5f(&N)", mrNo},                            // 否(&N)
    {"\xbd\x54\xbb\x7b", mrOk},                        // 確認
    {"\xa8\xfa\xae\xf8", mrCancel},                    // 取消
    {"\xa9\xf1\xb1\xf3", mrAbort},                     // 放棄
    {"\xad\xab\xb8\xd5(&R)", mrRetry},                 // 重試(&R)
    {"\xb2\xa4\xb9\x4c(&I)", mrIgnore},                // 略過(&I)
    {"\xa5\xfe\xb3\xa1(&A)", mrAll},                   // 全部(&A)
    {"\xa5\xfe\xb3\xa1\xac\xd2\xa7\x5f", mrNoToAll},   // 全部皆否
    {"\xa5\xfe\xb3\xa1\xac\xd2\xac\x4f", mrYesToAll},  // 全部皆是
    {"\xa8\x44\xa7\x55(&H)", mrNone},                  // 求助(&H)
};

bool Has(TMsgDlgButtons buttons, TMsgDlgBtn button) {
  return (buttons & MsgDlgButton(button)) != 0;
}
}  // namespace

const char* MsgDlgButtonCaption(TMsgDlgBtn button) {
  return kButtons[button].caption;
}
TModalResult MsgDlgButtonResult(TMsgDlgBtn button) {
  return kButtons[button].result;
}

const char* MsgDlgKindCaption(TMsgDlgType kind) {
  switch (kind) {
    case mtWarning:
      return "\xc4\xb5\xa7\x69";  // 警告
    case mtError:
      return "\xbf\xf9\xbb\x7e";  // 錯誤
    case mtInformation:
      return "\xb8\xea\xb0\x54";  // 資訊
    case mtConfirmation:
      return "\xbd\x54\xbb\x7b";  // 確認
    case mtCustom:
      break;
  }
  return "";
}

std::vector<TMsgDlgBtn> MsgDlgButtonsInOrder(TMsgDlgButtons buttons) {
  std::vector<TMsgDlgBtn> ordered;
  for (int b = 0; b < MsgDlgBtnCount; ++b) {
    if (Has(buttons, static_cast<TMsgDlgBtn>(b))) ordered.push_back(static_cast<TMsgDlgBtn>(b));
  }
  return ordered;
}

int MsgDlgDefaultButton(TMsgDlgButtons buttons) {
  if (Has(buttons, mbYes)) return mbYes;
  if (Has(buttons, mbOK)) return mbOK;
  const std::vector<TMsgDlgBtn> ordered = MsgDlgButtonsInOrder(buttons);
  return ordered.empty() ? -1 : ordered.front();
}

int MsgDlgCancelButton(TMsgDlgButtons buttons) {
  for (TMsgDlgBtn candidate : {mbCancel, mbNo, mbOK}) {
    if (Has(buttons, candidate)) return candidate;
  }
  return -1;
}

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const int64_t magnitude = product < 0 ? -product : product;
  const int64_t divisor = c < 0 ? -static_cast<int64_t>(c) : c;
  const int64_t rounded = (magnitude * 2 + divisor) / (divisor * 2);
  return static_cast<int>(negative ? -rounded : rounded);
}

int MsgDlgWrapWidth(int screenWidth) {
  return screenWidth / 2;
}

MessageBoxLayout LayOutMessageBox(const MessageBoxMetrics& m) {
  const int w = m.averageCharWidth, h = m.averageCharHeight;
  const int horzMargin = MulDivRound(kMargin, w, 4);
  const int vertMargin = MulDivRound(kMargin, h, 8);
  const int horzSpacing = MulDivRound(kSpacing, w, 4);
  const int vertSpacing = MulDivRound(kSpacing, h, 8);
  const int buttonWidth = MulDivRound(kButtonWidth, w, 4);
  const int buttonHeight = MulDivRound(kButtonHeight, h, 8);
  const int buttonGap = MulDivRound(kButtonGap, w, 4);

  int iconTextWidth = m.textWidth;
  int iconTextHeight = m.textHeight;
  MessageBoxLayout layout;
  if (m.hasIcon) {
    iconTextWidth += MsgDlgIconSize + horzSpacing;
    iconTextHeight = std::max(iconTextHeight, MsgDlgIconSize);
    layout.icon = {horzMargin, vertMargin, MsgDlgIconSize, MsgDlgIconSize};
  }
  const int buttonRowWidth =
      m.buttonCount > 0 ? m.buttonCount * buttonWidth + (m.buttonCount - 1) * buttonGap : 0;
  layout.clientWidth = std::max(iconTextWidth, buttonRowWidth) + 2 * horzMargin;
  layout.clientHeight = iconTextHeight + vertSpacing + buttonHeight + 2 * vertMargin;
  layout.text = {horzMargin + iconTextWidth - m.textWidth, vertMargin, m.textWidth, m.textHeight};

  int x = (layout.clientWidth - buttonRowWidth) / 2;
  const int y = vertMargin + iconTextHeight + vertSpacing;
  for (int i = 0; i < m.buttonCount; ++i) {
    layout.buttons.push_back({x, y, buttonWidth, buttonHeight});
    x += buttonWidth + buttonGap;
  }
  return layout;
}

void CenterOnScreen(int screenWidth, int screenHeight, int width, int height, int* left, int* top) {
  *left = (screenWidth - width) / 2;
  *top = (screenHeight - height) / 2;
}
