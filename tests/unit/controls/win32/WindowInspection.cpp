#include "tests/unit/controls/win32/WindowInspection.h"

#include <gtest/gtest.h>

#include "controls/win32/MessageBox.h"

namespace {
// How long a modal window may take to appear, and to go once it has been answered, before the
// watch closes it and fails the test: long enough for a loaded machine, short enough that a
// modal loop nobody ends is a failure with a message, not a hang.
constexpr DWORD kModalDeadlineMs = 10000;

BOOL CALLBACK Collect(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

struct ModalWatch {
  const char* className = nullptr;
  const std::function<void(HWND)>* inspect = nullptr;
  bool seen = false;
  DWORD deadline = 0;  // GetTickCount value
  bool closedByWatch = false;
};
ModalWatch* activeWatch = nullptr;

HWND VisibleThreadWindowOfClass(const char* className) {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    if (IsWindowVisible(window) && lstrcmpiA(ClassNameOf(window).c_str(), className) == 0) {
      return window;
    }
  }
  return nullptr;
}

// Every visible, enabled top-level window of this thread: a modal window disables the others.
void CloseEnabledThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) PostMessageA(window, WM_CLOSE, 0, 0);
  }
}

bool DeadlinePassed(DWORD deadline) {
  return static_cast<LONG>(GetTickCount() - deadline) >= 0;
}

void CALLBACK LookForModal(HWND, UINT, UINT_PTR timer, DWORD) {
  ModalWatch* watch = activeWatch;
  if (!watch) return;
  if (!watch->seen) {
    if (HWND window = VisibleThreadWindowOfClass(watch->className)) {
      watch->seen = true;
      watch->deadline = GetTickCount() + kModalDeadlineMs;
      (*watch->inspect)(window);
      return;
    }
  } else if (!VisibleThreadWindowOfClass(watch->className)) {
    KillTimer(nullptr, timer);
    return;
  }
  if (!DeadlinePassed(watch->deadline) || watch->closedByWatch) return;
  watch->closedByWatch = true;
  CloseEnabledThreadWindows();
}
}  // namespace

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&children));
  return children;
}

std::vector<HWND> DirectChildren(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string WindowText(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::string MenuText(HMENU menu, int position, unsigned codePage) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
  char bytes[1024] = {};
  WideCharToMultiByte(codePage, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
  return bytes;
}

RECT ChildRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

LONG_PTR StyleOf(HWND window) {
  return GetWindowLongPtrA(window, GWL_STYLE);
}

bool WhileModalWindow(const char* className, const std::function<void(HWND)>& inspect,
                      const std::function<void()>& action) {
  ModalWatch watch;
  watch.className = className;
  watch.inspect = &inspect;
  watch.deadline = GetTickCount() + kModalDeadlineMs;
  activeWatch = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, LookForModal);
  action();
  KillTimer(nullptr, timer);
  activeWatch = nullptr;
  if (watch.closedByWatch) {
    ADD_FAILURE() << (watch.seen ? "the " + std::string(className) +
                                       " window was still open after it was answered"
                                 : "no " + std::string(className) + " window appeared; " +
                                       "the modal window that did was closed");
  }
  return watch.seen;
}

bool AnswerMessageBox(const std::string& needle, const std::function<void()>& action,
                      std::string& line) {
  line.clear();
  return WhileModalWindow(
      MessageFormClassName,
      [&needle, &line](HWND box) {
        for (HWND child : ChildWindows(box)) {
          const std::string text = WindowText(child);
          if (text.find(needle) != std::string::npos) line = text;
        }
        SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
      },
      action);
}
