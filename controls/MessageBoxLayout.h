#pragma once
// The program's own message box, without the window: its kinds, buttons, captions, the rules for
// the default and cancel buttons, and the arithmetic that places icon, text and buttons. The
// Windows side (controls/win32/MessageBox.h) measures the font and the text and builds the
// window from this.
#include <string>
#include <vector>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// In the fixed order in which the buttons stand in the box.
enum TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};
constexpr int MsgDlgBtnCount = mbHelp + 1;

// A set of buttons: bit (1 << button).
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons MsgDlgButton(TMsgDlgBtn button) {
  return 1u << button;
}
constexpr TMsgDlgButtons mbYesNo = (1u << mbYes) | (1u << mbNo);
constexpr TMsgDlgButtons mbOKOnly = 1u << mbOK;

// The answer of a box: the pressed button. The values are those of IDOK ... IDNO for the first
// seven, so that a button's control identifier can be its answer.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

// Big5 caption of a button ("是(&Y)" for mbYes ...) and its answer (mrNone for help, which
// answers nothing and leaves the box open).
const char* MsgDlgButtonCaption(TMsgDlgBtn button);
TModalResult MsgDlgButtonResult(TMsgDlgBtn button);

// Big5 caption of the box for a kind ("警告" for mtWarning ...); empty for mtCustom, whose caption
// is the application title.
const char* MsgDlgKindCaption(TMsgDlgType kind);

// The buttons of the set in box order.
std::vector<TMsgDlgBtn> MsgDlgButtonsInOrder(TMsgDlgButtons buttons);

// Enter: yes when present, else OK, else the first button. -1 for an empty set.
int MsgDlgDefaultButton(TMsgDlgButtons buttons);
// Escape and the close box: cancel when present, else no, else OK; -1 when none of these.
int MsgDlgCancelButton(TMsgDlgButtons buttons);

// MulDiv as the platform rounds it: a * b / c to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c);

struct RectI {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const RectI& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

struct MessageBoxMetrics {
  int averageCharWidth = 0;   // w of the box font
  int averageCharHeight = 0;  // h of the box font
  int textWidth = 0;          // the text as word-wrapped within WrapWidth(screenWidth)
  int textHeight = 0;
  bool hasIcon = false;
  int buttonCount = 0;
};

struct MessageBoxLayout {
  int clientWidth = 0, clientHeight = 0;
  RectI icon;  // empty when the kind has no icon
  RectI text;
  std::vector<RectI> buttons;  // in box order
};

constexpr int MsgDlgIconSize = 32;

// The text wraps within half the screen width.
int MsgDlgWrapWidth(int screenWidth);

MessageBoxLayout LayOutMessageBox(const MessageBoxMetrics& metrics);

// Top left corner that centres an outer size on the screen.
void CenterOnScreen(int screenWidth, int screenHeight, int width, int height, int* left, int* top);
