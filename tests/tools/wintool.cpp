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
//   wintool dropdown WINDOW ID      open the list of the combo box with control ID under WINDOW
//                                   as the user does (its drop-down action runs first), print its
//                                   items one a line, and close it again
//   wintool items WINDOW            print the items of the combo box WINDOW, one a line
//   wintool -u COMMAND ...          the same, but every window text is read through the wide
//                                   functions and printed in UTF-8: what the user sees, whatever
//                                   the code pages of the program and of this tool
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
bool utf8Texts = false;  // -u

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

// A message to another program's window: one that hangs fails the call instead of holding it.
bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                 DWORD_PTR* result = nullptr) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000,
                             result ? result : &ignored) != 0;
}

std::string Utf8Of(const std::vector<wchar_t>& text, size_t length) {
  const int wide = static_cast<int>(length);
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, &result[0], bytes, nullptr, nullptr);
  return result;
}

std::string WideWindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return std::string();
  }
  std::vector<wchar_t> buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return Utf8Of(buffer, copied < buffer.size() ? copied : 0);
}

std::string WindowText(HWND window) {
  if (utf8Texts) return WideWindowText(window);
  DWORD_PTR length = 0;
  if (!SendBounded(window, WM_GETTEXTLENGTH, 0, 0, &length)) return std::string();
  std::vector<char> buffer(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendBounded(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), &copied);
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

// An item of a combo box in the program's ANSI code page. Across processes the ANSI item
// messages are converted on the way and may copy more than the length they reported, so the
// item is read as UTF-16 and converted here.
bool ComboItem(HWND combo, DWORD_PTR index, std::string& text) {
  const DWORD_PTR error = static_cast<DWORD_PTR>(CB_ERR);
  DWORD_PTR length = 0, copied = 0;
  if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, 5000, &length) ||
      length == error) {
    return false;
  }
  std::vector<wchar_t> item(length + 1, L'\0');
  if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()),
                           SMTO_ABORTIFHUNG, 5000, &copied) ||
      copied == error || copied > length) {
    return false;
  }
  if (utf8Texts) {
    text = Utf8Of(item, copied);
    return true;
  }
  const int wide = static_cast<int>(copied);
  const int bytes = WideCharToMultiByte(CP_ACP, 0, item.data(), wide, nullptr, 0, nullptr, nullptr);
  text.assign(static_cast<size_t>(bytes), '\0');
  if (bytes > 0) {
    WideCharToMultiByte(CP_ACP, 0, item.data(), wide, &text[0], bytes, nullptr, nullptr);
  }
  return true;
}

int PrintItems(HWND combo) {
  const DWORD_PTR error = static_cast<DWORD_PTR>(CB_ERR);
  DWORD_PTR count = 0;
  if (!SendBounded(combo, CB_GETCOUNT, 0, 0, &count) || count == error) return 1;
  std::string item;
  for (DWORD_PTR i = 0; i < count; ++i) {
    if (!ComboItem(combo, i, item)) return 1;
    std::printf("%s\n", item.c_str());
  }
  return 0;
}

int DropDown(HWND combo) {
  if (!SendBounded(combo, CB_SHOWDROPDOWN, TRUE, 0)) return 1;
  const int result = PrintItems(combo);
  SendBounded(combo, CB_SHOWDROPDOWN, FALSE, 0);
  return result;
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: wintool [-u] wait|close|gone WINDOW [SECONDS] | text|click|dropdown WINDOW ID"
      " | list|title|rect|outer|items WINDOW\n");
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
  if (std::string(argv[1]) == "-u") {
    utf8Texts = true;
    --argc;
    ++argv;
  }
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
  if (command == "items") return PrintItems(window);
  if ((command == "text" || command == "click" || command == "dropdown") && argc > 3) {
    HWND child = ChildById(window, std::atoi(argv[3]));
    if (!child) return 1;
    if (command == "click") return PostMessageA(child, BM_CLICK, 0, 0) ? 0 : 1;
    if (command == "dropdown") return DropDown(child);
    std::printf("%s\n", WindowText(child).c_str());
    return 0;
  }
  std::fprintf(stderr, "wintool: unknown command %s\n", command.c_str());
  return Usage();
}
