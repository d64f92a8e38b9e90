// The yardstick of the installation benchmark: the least a Win32 window program does. It
// registers a class, makes a window (not shown, like the dialog of an AUTO run), runs its
// message loop until the window has closed again, and ends.
#include <windows.h>

namespace {
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "TrivialWindow";
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowA("TrivialWindow", "Trivial", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  PostMessageA(window, WM_CLOSE, 0, 0);  // ends the loop once the window's first messages ran
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
