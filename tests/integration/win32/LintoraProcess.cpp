#include "tests/integration/win32/LintoraProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "controls/win32/MessageBox.h"
#include "tests/unit/controls/win32/WindowInspection.h"

namespace {

const char* const kDialogClass = "TLintoraForm";
constexpr DWORD kPollMs = 50;

// Wine names a Unix path by the drive that maps the Unix root; a Windows path stays as it is.
std::string WindowsPathOf(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  using DosFileName = WCHAR*(CDECL*)(const char*);
  const auto dosFileName = reinterpret_cast<DosFileName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (!dosFileName) return path;
  WCHAR* wide = dosFileName(path.c_str());
  if (!wide) return path;
  char narrow[MAX_PATH * 4] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
  HeapFree(GetProcessHeap(), 0, wide);
  return narrow;
}

std::string MakeProgramCopy() {
  const char* program = std::getenv("LINTORA_EXE");
  if (!program) {
    ADD_FAILURE() << "LINTORA_EXE does not name the program under test";
    return std::string();
  }
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "LintoraFaultMatrix";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string copy = folder + "\\Lintora.exe";
  const std::string source = WindowsPathOf(program);
  EXPECT_TRUE(CopyFileA(source.c_str(), copy.c_str(), FALSE))
      << "cannot copy " << source << " to " << copy;
  return copy;
}

std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments) {
  std::string line = "\"" + program + "\"";
  for (const std::string& argument : arguments) line += " \"" + argument + "\"";
  return line;
}

// The box shows the message between a line break and blanks on either side.
std::string Trimmed(const std::string& text) {
  const char* const blanks = " \r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string BoxMessage(HWND box) {
  for (HWND child : ChildWindows(box)) {
    if (lstrcmpiA(ClassNameOf(child).c_str(), "STATIC") != 0) continue;
    const std::string text = Trimmed(WindowText(child));
    if (!text.empty()) return text;
  }
  return std::string();
}

const char* const kSystemBoxClass = "#32770";

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window) ||
      lstrcmpiA(ClassNameOf(window).c_str(), search->className) != 0)
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

const std::string& LintoraProcess::ProgramCopy() {
  static const std::string copy = MakeProgramCopy();
  return copy;
}

LintoraProcess::LintoraProcess(const std::vector<std::string>& arguments) {
  std::string line = CommandLine(ProgramCopy(), arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    ADD_FAILURE() << "cannot start " << line << " (error " << GetLastError() << ")";
    return;
  }
  CloseHandle(started.hThread);
  process_.Reset(started.hProcess);
  processId_ = started.dwProcessId;
}

LintoraProcess::~LintoraProcess() {
  if (process_.IsOpen() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
    ADD_FAILURE() << "the program was still running at the end of the case; it was ended";
    TerminateProcess(process_.Get(), kNotEnded);
    WaitForSingleObject(process_.Get(), 10000);
  }
}

HWND LintoraProcess::VisibleWindowOfClass(const char* className) const {
  WindowSearch search = {processId_, className, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND LintoraProcess::WaitForDialog(DWORD timeoutMs) const {
  for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
    if (HWND dialog = VisibleWindowOfClass(kDialogClass)) return dialog;
    Sleep(kPollMs);
  }
  return nullptr;
}

// The dialog's own error box, or the system's box that an error of start-up shows before the
// dialog's handler is installed.
bool LintoraProcess::AnswerShownBox(std::string& message) const {
  HWND box = VisibleWindowOfClass(MessageFormClassName);
  if (!box) box = VisibleWindowOfClass(kSystemBoxClass);
  if (!box) return false;
  message = BoxMessage(box);
  PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  return true;
}

std::string LintoraProcess::AnswerErrorBox(DWORD timeoutMs) const {
  std::string message;
  for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
    if (AnswerShownBox(message)) break;
    if (WaitForSingleObject(process_.Get(), kPollMs) != WAIT_TIMEOUT) break;
  }
  return message;
}

DWORD LintoraProcess::WaitForExit(DWORD timeoutMs) {
  if (!process_.IsOpen()) return kNotEnded;
  if (WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process_.Get(), kNotEnded);
    WaitForSingleObject(process_.Get(), 10000);
    return kNotEnded;
  }
  DWORD code = kNotEnded;
  GetExitCodeProcess(process_.Get(), &code);
  return code;
}

DWORD LintoraProcess::CloseDialog() {
  if (HWND dialog = WaitForDialog()) PostMessageA(dialog, WM_CLOSE, 0, 0);
  return WaitForExit();
}

HWND LintoraProcess::ControlAt(int left, int top) const {
  HWND dialog = VisibleWindowOfClass(kDialogClass);
  if (!dialog) return nullptr;
  for (HWND child : ChildWindows(dialog)) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    if (rect.left == left && rect.top == top) return child;
  }
  return nullptr;
}

void LintoraProcess::SetControlText(HWND control, const std::string& text) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_ABORTIFHUNG, 10000, &result);
}

// The click is sent, not posted, so that it returns only when the button's action has ended;
// meanwhile this thread answers the error box the action may show.
std::string LintoraProcess::ClickAndAnswer(HWND button) const {
  std::atomic<bool> done{false};
  std::thread click([button, &done] {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 30000, &result);
    done = true;
  });
  std::string message;
  bool answered = false;
  for (DWORD waited = 0; !done && waited < 30000; waited += kPollMs) {
    if (!answered) answered = AnswerShownBox(message);
    Sleep(kPollMs);
  }
  click.join();
  return message;
}
