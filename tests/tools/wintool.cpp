// Drives the program's windows from outside, for the GUI and integration scenarios:
//   wintool wait CLASS SECONDS      wait until a visible top-level window of CLASS exists
//   wintool close CLASS             ask that window to close (WM_CLOSE)
//   wintool gone CLASS SECONDS      wait until no window of CLASS exists
// Exit code 0 on success, 1 when the window did not appear or disappear in time, 2 on misuse.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
HWND FindVisible(const char* className) {
  HWND window = FindWindowA(className, nullptr);
  return (window && IsWindowVisible(window)) ? window : nullptr;
}

bool WaitFor(const char* className, int seconds, bool present) {
  for (int tick = 0; tick < seconds * 10; ++tick) {
    if ((FindVisible(className) != nullptr) == present) return true;
    Sleep(100);
  }
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: wintool wait|close|gone CLASS [SECONDS]\n");
    return 2;
  }
  const std::string command = argv[1];
  const char* className = argv[2];
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 30;
  if (command == "wait") return WaitFor(className, seconds, true) ? 0 : 1;
  if (command == "gone") return WaitFor(className, seconds, false) ? 0 : 1;
  if (command == "close") {
    HWND window = FindWindowA(className, nullptr);
    return (window && PostMessageA(window, WM_CLOSE, 0, 0)) ? 0 : 1;
  }
  std::fprintf(stderr, "wintool: unknown command %s\n", command.c_str());
  return 2;
}
