#pragma once
// Owns one window: DestroyWindow when it goes away. Nothing here raises; creation failures are
// reported by an empty handle and turned into errors by the layer above.
#include <windows.h>

#include "framework/win32/OwnedHandle.h"

struct WindowHandleTraits {
  using Handle = HWND;
  static HWND Empty() { return nullptr; }
  // Windows may have destroyed the window already (with its parent).
  static void Close(HWND handle) {
    if (IsWindow(handle)) DestroyWindow(handle);
  }
};
// Release() gives up ownership, for a window that Windows itself has destroyed (WM_NCDESTROY).
using WindowHandle = OwnedHandle<WindowHandleTraits>;
