#include "WindowProbe.h"

namespace {
struct ModalWatch {
  const char* className = nullptr;
  const std::function<void(HWND)>* inspect = nullptr;
  bool seen = false;
};
ModalWatch* activeWatch = nullptr;

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

BOOL CALLBACK FindThreadWindow(HWND window, LPARAM found) {
  char className[128] = {};
  GetClassNameA(window, className, sizeof className);
  if (IsWindowVisible(window) && lstrcmpiA(className, activeWatch->className) == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK LookForModal(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!activeWatch || activeWatch->seen) return;
  HWND window = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindThreadWindow, reinterpret_cast<LPARAM>(&window));
  if (!window) return;
  KillTimer(nullptr, timer);
  activeWatch->seen = true;
  (*activeWatch->inspect)(window);
}
}  // namespace

std::string ProbeWindowText(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::vector<HWND> ProbeChildren(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND ProbeChildOfClass(HWND window, const char* className) {
  for (HWND child : ProbeChildren(window)) {
    char name[128] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, className) == 0) return child;
  }
  return nullptr;
}

bool WhileModalWindow(const char* className, const std::function<void(HWND)>& inspect,
                      const std::function<void()>& action) {
  ModalWatch watch;
  watch.className = className;
  watch.inspect = &inspect;
  activeWatch = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForModal);
  action();
  if (!watch.seen) KillTimer(nullptr, timer);
  activeWatch = nullptr;
  return watch.seen;
}
