#include "controls/win32/MessageBox.h"

#include <windows.h>

#include <vector>

#include "controls/win32/Application.h"
#include "controls/win32/Graphics.h"
#include "controls/win32/ThreadWindows.h"
#include "framework/Exceptions.h"
#include "framework/win32/GdiObject.h"
#include "framework/win32/SystemError.h"
#include "framework/win32/WideText.h"
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
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrW(box, GWLP_USERDATA));
  if (!state) return DefWindowProcW(box, message, wParam, lParam);
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
      return DefWindowProcW(box, message, wParam, lParam);
  }
}

const std::wstring kMessageFormClass = WideFromCodePage(MessageFormClassName, kSystemCodePage);

// A Unicode window class: the box's texts reach it as they are, whatever the system's code page.
void RegisterMessageFormClass() {
  WNDCLASSW existing;
  if (GetClassInfoW(GetModuleHandleW(nullptr), kMessageFormClass.c_str(), &existing)) return;
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = MessageBoxProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMessageFormClass.c_str();
  RegisterClassW(&windowClass);
}

// The character set follows the code set of the box's Chinese texts, as the dialog's font does:
// the text's own, or for a text in the system's code page the buttons' Big5 unless the system is
// Chinese itself (then the system's, as always).
HFONT CreateBoxFont(unsigned textCodePage) {
  unsigned fontCodePage = textCodePage;
  if (fontCodePage == kSystemCodePage) {
    fontCodePage = (GetACP() == kGb2312CodePage) ? kGb2312CodePage : kBig5CodePage;
  }
  WindowDC screen(nullptr);
  const int height = -MulDiv(kFontPoints, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     ChineseCharsetFor(DEFAULT_CHARSET, fontCodePage), OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"SYSTEM");
}

// Average character size as the framework measures it: the width of the 52 ASCII letters over
// 52, and the character cell height.
SIZE AverageCharSize(HDC dc) {
  static const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE size = {};
  GetTextExtentPoint32W(dc, letters, 52, &size);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  return {size.cx / 52, metrics.tmHeight};
}

MessageBoxMetrics Measure(HFONT font, const std::wstring& text, TMsgDlgType kind, int buttonCount) {
  WindowDC screen(nullptr);
  SelectedObject selected(screen.Get(), font);
  const SIZE average = AverageCharSize(screen.Get());
  RECT textRect = {0, 0, MsgDlgWrapWidth(GetSystemMetrics(SM_CXSCREEN)), 0};
  DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &textRect,
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

HWND CreateChild(HWND box, const char* className, const std::wstring& text, DWORD style,
                 const RectI& r, int id, HFONT font) {
  HWND child = CreateWindowExW(0, WideFromCodePage(className, kSystemCodePage).c_str(),
                               text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.width,
                               r.height, box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  if (!child) {
    throw Exception(std::string("Cannot create the ") + className + " window of the message box (" +
                    SystemErrorText(GetLastError()) + ")");
  }
  if (font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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
    HWND button =
        CreateChild(box, "BUTTON", WideFromCodePage(MsgDlgButtonCaption(order[i]), kBig5CodePage),
                    style, layout.buttons[i], ButtonId(order[i]), font);
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
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (!IsDialogMessageW(box, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}
}  // namespace

TModalResult MessageDlgCaptioned(const std::string& text, const std::string& caption,
                                 TMsgDlgType kind, TMsgDlgButtons buttons, unsigned textCodePage,
                                 unsigned captionCodePage) {
  RegisterMessageFormClass();
  const std::vector<TMsgDlgBtn> order = MsgDlgButtonsInOrder(buttons);
  FontHandle font(CreateBoxFont(textCodePage));
  const std::wstring wideText = WideFromCodePage(text, textCodePage);
  const MessageBoxLayout layout =
      LayOutMessageBox(Measure(font.Get(), wideText, kind, static_cast<int>(order.size())));

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
  WindowHandle box(CreateWindowExW(
      exStyle, kMessageFormClass.c_str(), WideFromCodePage(caption, captionCodePage).c_str(), style,
      left, top, width, height, GetActiveWindow(), nullptr, GetModuleHandleW(nullptr), &state));
  if (!box) throw Exception("Cannot create the message box");
  if (state.cancelResult == mrNone) {
    EnableMenuItem(GetSystemMenu(box.Get(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }
  if (LPCSTR icon = KindIcon(kind)) {
    HWND iconWindow =
        CreateChild(box.Get(), "STATIC", L"", SS_ICON, layout.icon, kStaticId, nullptr);
    SendMessageW(iconWindow, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
  }
  CreateChild(box.Get(), "STATIC", wideText, SS_LEFT | SS_NOPREFIX, layout.text, kStaticId,
              font.Get());
  HWND focus = CreateButtons(box.Get(), order, defaultButton, layout, font.Get());

  {
    DisabledThreadWindows modal(box.Get());
    ShowWindow(box.Get(), SW_SHOWNORMAL);
    if (focus) SetFocus(focus);
    RunModalLoop(box.Get(), state);
  }
  return state.result == mrNone ? mrCancel : state.result;
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                        unsigned textCodePage) {
  if (kind == mtCustom) {
    return MessageDlgCaptioned(text, Application->Title(), kind, buttons, textCodePage,
                               Application->TitleCodePage());
  }
  return MessageDlgCaptioned(text, MsgDlgKindCaption(kind), kind, buttons, textCodePage,
                             kBig5CodePage);
}
