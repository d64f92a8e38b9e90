#pragma once
// Reading real windows back in the tests, as another program would see them, and answering a
// modal window of the test's own thread.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Every descendant window, in z-order per parent (EnumChildWindows order).
std::vector<HWND> ChildWindows(HWND parent);
// The direct children only, in z-order (first = top, first in the tab order).
std::vector<HWND> DirectChildren(HWND parent);
std::string ClassNameOf(HWND window);
// WM_GETTEXT: the text whatever the window's kind.
std::string WindowText(HWND window);
// The text of a menu's item at that position, as it shows, written in codePage (the system's
// unless given).
std::string MenuText(HMENU menu, int position, unsigned codePage = CP_ACP);
// The window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND window);
LONG_PTR StyleOf(HWND window);

// Runs `action` (which shows a modal window) and, once a visible top-level window of that class
// (ASCII case ignored) belongs to this thread, `inspect` with it, from a thread timer that the
// modal window's own message loop dispatches; the inspection must end the modal window, e.g.
// by clicking one of its buttons. Windows of other programs, such as tests running at the same
// time on the same display, are never touched. Returns whether the window appeared. A window
// that does not appear within 10 s, or is still open 10 s after the inspection, is closed by the
// watch (every enabled window of the thread gets WM_CLOSE) and the test fails.
bool WhileModalWindow(const char* className, const std::function<void(HWND)>& inspect,
                      const std::function<void()>& action);

// Runs `action`, which must show the program's message box, and answers the box with OK. The
// line of the box that holds `needle` goes to `line` (left empty when no line holds it). Returns
// whether the box appeared; see WhileModalWindow for the watch.
bool AnswerMessageBox(const std::string& needle, const std::function<void()>& action,
                      std::string& line);
