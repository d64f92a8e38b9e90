#pragma once
// Modality for a window of the thread: every other enabled, visible top-level window of the
// calling thread is disabled for the life of this object and enabled again afterwards.
#include <windows.h>

#include <vector>

class DisabledThreadWindows {
 public:
  explicit DisabledThreadWindows(HWND except);
  ~DisabledThreadWindows();
  DisabledThreadWindows(const DisabledThreadWindows&) = delete;
  DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

 private:
  HWND except_;
  std::vector<HWND> disabled_;
};
