#include "controls/win32/MessageBox.h"

#include <windows.h>

#include <vector>

#include "controls/win32/Application.h"
#include "controls/win32/ThreadWindows.h"
#include "framework/Exceptions.h"
#include "framework/win32/GdiObject.h"
#include "framework/win32/SystemError.h"
#include "framework/win32/WindowHandle.h"

const char* const MessageFormClassName = "TMessageForm";

namespace {
constexpr int kHelpId = 100;       // the help button answers nothing
constexpr int kStaticId = 0xffff;  // icon and text
constexpr int kFontPoints = 12;

struct BoxState {
  TMsgDlgButtons buttons = 0;
  int defaultId = 0;
  TModalResult cancelResult = mrNone;  // mrNone: Escape and the close box do nothing
  TModalResult result = mrNone;
};

int ButtonId(TMsgDlgBtn button) {
  const TModalResult result = MsgDlgButtonResult(button);
  return result == mrNone ? kHelpId : result;
}

bool IsAnswerOfBox(const BoxState& state, int id) {
  for (TMsgDlgBtn button : MsgDlgButtonsInOrder(state.buttons)) {
    if (MsgDlgButtonResult(button) != mrNone && ButtonId(button) == id) return true;
  }
  return false;
}

void Answer(BoxState& state, int id) {
  if (id == IDCANCEL) {
    state.result = state.cancelResult;
  } else if (IsAnswerOfBox(state, id)) {
    state.result = id;
  }
}

LRESULT CALLBACK MessageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrA(box, GWLP_USERDATA));
  if (!state) return DefWindowProcA(box, message, wParam, lParam);
  switch (message) {
    case DM_GETDEFID:
      return state->defaultId ? MAKELRESULT(state->defaultId, DC_HASDEFID) : 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) Answer(*state, LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      Answer(*state, IDCANCEL);
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
      return DefWindowProcA(box, message, wParam, lParam);
  }
}

void RegisterMessageFormClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), MessageFormClassName, &existing)) return;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = MessageBoxProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = MessageFormClassName;
  RegisterClassA(&windowClass);
}

HFONT CreateBoxFont() {
  WindowDC screen(nullptr);
  const int height = -MulDiv(kFontPoints, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                     "SYSTEM");
}

// Average character size as the framework measures it: the width of the 52 ASCII letters over
// 52, and the character cell height.
SIZE AverageCharSize(HDC dc) {
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE size = {};
  GetTextExtentPoint32A(dc, letters, 52, &size);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  return {size.cx / 52, metrics.tmHeight};
}

MessageBoxMetrics Measure(HFONT font, const std::string& text, TMsgDlgType kind, int buttonCount) {
  WindowDC screen(nullptr);
  SelectedObject selected(screen.Get(), font);
  const SIZE average = AverageCharSize(screen.Get());
  RECT textRect = {0, 0, MsgDlgWrapWidth(GetSystemMetrics(SM_CXSCREEN)), 0};
  DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &textRect,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  MessageBoxMetrics metrics;
  metrics.averageCharWidth = average.cx;
  metrics.averageCharHeight = average.cy;
  metrics.textWidth = textRect.right;
  metrics.textHeight = textRect.bottom;
  metrics.hasIcon = kind != mtCustom;
  metrics.buttonCount = buttonCount;
  return metrics;
}

LPCSTR KindIcon(TMsgDlgType kind) {
  switch (kind) {
    case mtWarning:
      return IDI_EXCLAMATION;
    case mtError:
      return IDI_HAND;
    case mtInformation:
      return IDI_ASTERISK;
    case mtConfirmation:
      return IDI_QUESTION;
    case mtCustom:
      break;
  }
  return nullptr;
}

HWND CreateChild(HWND box, const char* className, const std::string& text, DWORD style,
                 const RectI& r, int id, HFONT font) {
  HWND child = CreateWindowExA(
      0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.width, r.height,
      box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!child) {
    throw Exception(std::string("Cannot create the ") + className + " window of the message box (" +
                    SystemErrorText(GetLastError()) + ")");
  }
  if (font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// Buttons in box order on the screen; the default one first in the tab order. Returns the
// default button's window.
HWND CreateButtons(HWND box, const std::vector<TMsgDlgBtn>& order, int defaultButton,
                   const MessageBoxLayout& layout, HFONT font) {
  HWND defaultWindow = nullptr;
  HWND previous = nullptr;
  auto create = [&](size_t i) {
    const bool isDefault = order[i] == defaultButton;
    const DWORD style =
        WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (previous ? 0 : WS_GROUP);
    HWND button = CreateChild(box, "BUTTON", MsgDlgButtonCaption(order[i]), style,
                              layout.buttons[i], ButtonId(order[i]), font);
    if (isDefault) defaultWindow = button;
    previous = button;
  };
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] == defaultButton) create(i);
  }
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] != defaultButton) create(i);
  }
  return defaultWindow;
}

void RunModalLoop(HWND box, const BoxState& state) {
  while (state.result == mrNone) {
    MSG message;
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (!IsDialogMessageA(box, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}
}  // namespace

TModalResult MessageDlgCaptioned(const std::string& text, const std::string& caption,
                                 TMsgDlgType kind, TMsgDlgButtons buttons) {
  RegisterMessageFormClass();
  const std::vector<TMsgDlgBtn> order = MsgDlgButtonsInOrder(buttons);
  FontHandle font(CreateBoxFont());
  const MessageBoxLayout layout =
      LayOutMessageBox(Measure(font.Get(), text, kind, static_cast<int>(order.size())));

  BoxState state;
  state.buttons = buttons;
  const int defaultButton = MsgDlgDefaultButton(buttons);
  const int cancelButton = MsgDlgCancelButton(buttons);
  state.defaultId = defaultButton >= 0 ? ButtonId(static_cast<TMsgDlgBtn>(defaultButton)) : 0;
  state.cancelResult =
      cancelButton >= 0 ? MsgDlgButtonResult(static_cast<TMsgDlgBtn>(cancelButton)) : mrNone;

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT outer = {0, 0, layout.clientWidth, layout.clientHeight};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  int left = 0, top = 0;
  CenterOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height, &left,
                 &top);
  WindowHandle box(CreateWindowExA(exStyle, MessageFormClassName, caption.c_str(), style, left, top,
                                   width, height, GetActiveWindow(), nullptr,
                                   GetModuleHandleA(nullptr), &state));
  if (!box) throw Exception("Cannot create the message box");
  if (state.cancelResult == mrNone) {
    EnableMenuItem(GetSystemMenu(box.Get(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }
  if (LPCSTR icon = KindIcon(kind)) {
    HWND iconWindow =
        CreateChild(box.Get(), "STATIC", "", SS_ICON, layout.icon, kStaticId, nullptr);
    SendMessageA(iconWindow, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
  }
  CreateChild(box.Get(), "STATIC", text, SS_LEFT | SS_NOPREFIX, layout.text, kStaticId, font.Get());
  HWND focus = CreateButtons(box.Get(), order, defaultButton, layout, font.Get());

  {
    DisabledThreadWindows modal(box.Get());
    ShowWindow(box.Get(), SW_SHOWNORMAL);
    if (focus) SetFocus(focus);
    RunModalLoop(box.Get(), state);
  }
  return state.result == mrNone ? mrCancel : state.result;
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons) {
  const std::string caption = kind == mtCustom ? Application->Title() : MsgDlgKindCaption(kind);
  return MessageDlgCaptioned(text, caption, kind, buttons);
}
