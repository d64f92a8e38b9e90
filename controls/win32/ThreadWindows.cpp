#include "controls/win32/ThreadWindows.h"

namespace {
BOOL CALLBACK CollectEnabled(HWND window, LPARAM data) {
  auto* windows = reinterpret_cast<std::vector<HWND>*>(data);
  if (IsWindowVisible(window) && IsWindowEnabled(window)) windows->push_back(window);
  return TRUE;
}
}  // namespace

DisabledThreadWindows::DisabledThreadWindows(HWND except) : except_(except) {
  std::vector<HWND> enabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&enabled));
  for (HWND window : enabled) {
    if (window == except_) continue;
    EnableWindow(window, FALSE);
    disabled_.push_back(window);
  }
}

DisabledThreadWindows::~DisabledThreadWindows() {
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}
