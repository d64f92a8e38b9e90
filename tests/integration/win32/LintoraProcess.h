// The real program, started as a process of its own in the test's prefix and driven from outside
// as a user would: its error box read and answered, its dialog's controls set and clicked, its
// dialog closed, its exit code read. Every wait is bounded; a program still running when the
// object goes away is ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/win32/OwnedHandle.h"

struct ProcessHandleTraits {
  using Handle = HANDLE;
  static HANDLE Empty() { return nullptr; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};

class LintoraProcess {
 public:
  // A copy of the program under test in a folder of its own, so that no settings file (the
  // program's name with ".Ini") lies beside it; made once per test program. LINTORA_EXE names
  // the program (a Unix or a Windows path).
  static const std::string& ProgramCopy();

  explicit LintoraProcess(const std::vector<std::string>& arguments);
  ~LintoraProcess();
  LintoraProcess(const LintoraProcess&) = delete;
  LintoraProcess& operator=(const LintoraProcess&) = delete;

  bool Started() const { return process_.IsOpen(); }
  // The dialog once it is visible; nullptr when it did not appear within the time.
  HWND WaitForDialog(DWORD timeoutMs = 30000) const;
  // Waits for the program's error box (or for the program to end, which shows none), presses its
  // OK button and returns the message it showed, without the blanks and line breaks around it;
  // empty when no box came.
  std::string AnswerErrorBox(DWORD timeoutMs = 30000) const;
  // The exit code once the program has ended; kNotEnded (and the program is ended) when it still
  // runs after the time.
  static constexpr DWORD kNotEnded = 0xFFFFFFFF;
  DWORD WaitForExit(DWORD timeoutMs = 30000);
  // Closes the dialog as its close box does, then waits for the exit code.
  DWORD CloseDialog();

  // The child of the dialog whose top-left corner stands at that point of its client area.
  HWND ControlAt(int left, int top) const;
  void SetControlText(HWND control, const std::string& text) const;
  // Clicks the button and waits until the action it started has ended, answering the error box
  // the action shows meanwhile; returns that box's message, empty when none came.
  std::string ClickAndAnswer(HWND button) const;

 private:
  HWND VisibleWindowOfClass(const char* className) const;
  // Presses OK on the error box when one is shown; message gets its text.
  bool AnswerShownBox(std::string& message) const;

  OwnedHandle<ProcessHandleTraits> process_;
  DWORD processId_ = 0;
};
