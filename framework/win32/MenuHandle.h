#pragma once
// Owns one menu (a menu bar or a pop-up menu with everything below it): DestroyMenu when it goes
// away. A window destroys the menu bar it shows, so a window gives its bar back first.
#include <windows.h>

#include "framework/win32/OwnedHandle.h"

struct MenuHandleTraits {
  using Handle = HMENU;
  static HMENU Empty() { return nullptr; }
  static void Close(HMENU handle) {
    if (IsMenu(handle)) DestroyMenu(handle);
  }
};
using MenuHandle = OwnedHandle<MenuHandleTraits>;
