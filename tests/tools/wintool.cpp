// Drives the program's windows from outside, for the GUI and integration scenarios:
//   wintool wait WINDOW SECONDS     wait until WINDOW exists and is visible
//   wintool close WINDOW            ask that window to close (WM_CLOSE)
//   wintool gone WINDOW SECONDS     wait until WINDOW is gone or hidden
//   wintool text WINDOW ID          print the text of the child window with control ID under WINDOW
//   wintool list WINDOW             print every child window under WINDOW, one a line:
//                                   HWND ID CLASS LEFT TOP WIDTH HEIGHT VISIBLE TEXT
//                                   (position relative to WINDOW's client area)
//   wintool title WINDOW            print the window's own text
//   wintool rect WINDOW             print the client area on the screen: LEFT TOP WIDTH HEIGHT
//   wintool outer WINDOW            print the whole window on the screen: LEFT TOP WIDTH HEIGHT
//   wintool click WINDOW ID         click the button with control ID under WINDOW (BM_CLICK)
//   wintool items WINDOW            print the items of the combo box WINDOW, one a line
//   wintool                         (no arguments) leave an empty file named like the program
//                                   plus ".ran" beside it: a stand-in for a program that the
//                                   dialog starts, copied under that program's name
// WINDOW is a window class (the first top-level window of that class), a window handle in
// hexadecimal ("0x1A2B") or "title:TEXT" (the top-level window with that caption). Texts are read
// with WM_GETTEXT, which works across processes for edits and combo boxes too, and printed in the
// program's ANSI code page. Exit code 0 on success, 1 when the window did not appear or disappear
// in time, 2 on misuse.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
HWND ResolveWindow(const std::string& target) {
  if (target.size() > 2 && target[0] == '0' && (target[1] == 'x' || target[1] == 'X')) {
    return reinterpret_cast<HWND>(
        static_cast<ULONG_PTR>(std::strtoull(target.c_str() + 2, nullptr, 16)));
  }
  if (target.compare(0, 6, "title:") == 0) return FindWindowA(nullptr, target.c_str() + 6);
  return FindWindowA(target.c_str(), nullptr);
}

HWND FindVisible(const std::string& target) {
  HWND window = ResolveWindow(target);
  return (window && IsWindowVisible(window)) ? window : nullptr;
}

bool WaitFor(const std::string& target, int seconds, bool present) {
  for (int tick = 0; tick < seconds * 10; ++tick) {
    if ((FindVisible(target) != nullptr) == present) return true;
    Sleep(100);
  }
  return false;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return std::string();
  }
  std::vector<char> buffer(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return std::string(buffer.data(), copied < buffer.size() ? copied : 0);
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

// Every descendant, in the order EnumChildWindows gives (depth first).
std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND ChildById(HWND window, int id) {
  for (HWND child : Descendants(window)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

// A combo box's items, each asked for by its length first: CB_GETLBTEXT writes the whole item.
// Across processes Wine hands the items over in UTF-16 only, so they are asked for so and turned
// into the ANSI code page here.
void PrintItems(HWND comboBox) {
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutW(comboBox, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return;
  for (DWORD_PTR i = 0; i < count && static_cast<LONG_PTR>(count) != CB_ERR; ++i) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(comboBox, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
    if (static_cast<LONG_PTR>(length) == CB_ERR) continue;
    std::vector<wchar_t> wide(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(comboBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> text(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text.data(), size, nullptr, nullptr);
    std::printf("%s\n", text.data());
  }
}

void PrintChild(HWND top, HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&rect), 2);
  char className[256] = {};
  GetClassNameA(child, className, sizeof className);
  std::printf("0x%llx %d %s %ld %ld %ld %ld %d %s\n",
              static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(child)),
              GetDlgCtrlID(child), className, rect.left, rect.top, rect.right - rect.left,
              rect.bottom - rect.top, IsWindowVisible(child) ? 1 : 0, WindowText(child).c_str());
}

int Usage() {
  std::fprintf(stderr,
               "usage: wintool wait|close|gone WINDOW [SECONDS] | text|click WINDOW ID |"
               " list|title|rect|outer|items WINDOW\n");
  return 2;
}
}  // namespace

int LeaveMarker() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  const std::string marker = std::string(path, length) + ".ran";
  HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(file);
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 1) return LeaveMarker();
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 30;
  if (command == "wait") return WaitFor(argv[2], seconds, true) ? 0 : 1;
  if (command == "gone") return WaitFor(argv[2], seconds, false) ? 0 : 1;
  HWND window = ResolveWindow(argv[2]);
  if (command == "close") return (window && PostMessageA(window, WM_CLOSE, 0, 0)) ? 0 : 1;
  if (!window) return 1;
  if (command == "title") {
    std::printf("%s\n", WindowText(window).c_str());
    return 0;
  }
  if (command == "rect" || command == "outer") {
    RECT rect = {};
    if (command == "rect") {
      GetClientRect(window, &rect);
      MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    } else {
      GetWindowRect(window, &rect);
    }
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
  }
  if (command == "list") {
    for (HWND child : Descendants(window)) PrintChild(window, child);
    return 0;
  }
  if (command == "items") {
    PrintItems(window);
    return 0;
  }
  if ((command == "text" || command == "click") && argc > 3) {
    HWND child = ChildById(window, std::atoi(argv[3]));
    if (!child) return 1;
    if (command == "click") return PostMessageA(child, BM_CLICK, 0, 0) ? 0 : 1;
    std::printf("%s\n", WindowText(child).c_str());
    return 0;
  }
  std::fprintf(stderr, "wintool: unknown command %s\n", command.c_str());
  return Usage();
}
