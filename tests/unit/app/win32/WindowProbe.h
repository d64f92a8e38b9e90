#pragma once
// Looks at this process's own windows from inside a test: reads texts of real windows and
// answers a modal box from a thread timer, which the box's own message loop dispatches.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

std::string ProbeWindowText(HWND window);
std::vector<HWND> ProbeChildren(HWND window);
// The first child of that window class (ASCII case ignored), or nullptr.
HWND ProbeChildOfClass(HWND window, const char* className);

// Runs `action` (which shows a modal window) and, once a visible top-level window of that class
// belongs to this thread, `inspect` with it; the inspection must end the modal window, e.g. by
// clicking one of its buttons. Returns whether the window appeared.
bool WhileModalWindow(const char* className, const std::function<void(HWND)>& inspect,
                      const std::function<void()>& action);
