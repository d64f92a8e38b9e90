#pragma once
// Reading real windows back in the control tests, as another program would see them.
#include <windows.h>

#include <string>
#include <vector>

// Every descendant window, in z-order per parent (EnumChildWindows order).
std::vector<HWND> ChildWindows(HWND parent);
// The direct children only, in z-order (first = top, first in the tab order).
std::vector<HWND> DirectChildren(HWND parent);
std::string ClassNameOf(HWND window);
// WM_GETTEXT: the text whatever the window's kind.
std::string WindowText(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND window);
LONG_PTR StyleOf(HWND window);
