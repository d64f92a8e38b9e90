#include "tests/unit/controls/win32/WindowInspection.h"

namespace {
BOOL CALLBACK Collect(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

struct ModalWatch {
  const char* className = nullptr;
  const std::function<void(HWND)>* inspect = nullptr;
  bool seen = false;
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

void CALLBACK LookForModal(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!activeWatch || activeWatch->seen) return;
  HWND window = VisibleThreadWindowOfClass(activeWatch->className);
  if (!window) return;
  KillTimer(nullptr, timer);
  activeWatch->seen = true;
  (*activeWatch->inspect)(window);
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
  activeWatch = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, LookForModal);
  action();
  if (!watch.seen) KillTimer(nullptr, timer);
  activeWatch = nullptr;
  return watch.seen;
}
