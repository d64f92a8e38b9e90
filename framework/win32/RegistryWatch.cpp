#include "framework/win32/RegistryWatch.h"

#include <utility>

RegistryWatch::RegistryWatch(HKEY root, std::string path)
    : root_(root), path_(std::move(path)), event_(EventHandle::CreateManualReset()) {
  if (!path_.empty() && path_.front() == '\\') path_.erase(0, 1);
}

RegistryWatch::~RegistryWatch() {
  StopWaiting();
}

RegKey RegistryWatch::NearestExistingKey() const {
  std::string path = path_;
  for (;;) {
    RegKey key = RegKey::Open(root_, path, KEY_NOTIFY | KEY_QUERY_VALUE);
    if (key.IsOpen() || path.empty()) return key;
    const size_t slash = path.rfind('\\');
    path.erase(slash == std::string::npos ? 0 : slash);
  }
}

void RegistryWatch::Arm() {
  armed_ = false;
  if (!event_.IsOpen()) return;
  key_ = NearestExistingKey();
  if (!key_.IsOpen()) return;
  ResetEvent(event_.Get());
  const DWORD changes = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
  armed_ = RegNotifyChangeKeyValue(key_.Get(), TRUE, changes, event_.Get(), TRUE) == ERROR_SUCCESS;
  if (armed_ && notifyWindow_) WaitForChange();
}

void RegistryWatch::PostOnChange(HWND window, UINT message) {
  notifyWindow_ = window;
  notifyMessage_ = message;
  if (armed_) WaitForChange();
}

// One wait at a time: the event stays signalled until the next Arm, so a wait left registered
// would fire again and again. Stopping waits for a callback that is running.
void RegistryWatch::WaitForChange() {
  StopWaiting();
  if (!RegisterWaitForSingleObject(&wait_, event_.Get(), &RegistryWatch::PostChange, this, INFINITE,
                                   WT_EXECUTEONLYONCE)) {
    wait_ = nullptr;
  }
}

void RegistryWatch::StopWaiting() {
  if (wait_) UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
  wait_ = nullptr;
}

void CALLBACK RegistryWatch::PostChange(void* watch, BOOLEAN) {
  const auto* self = static_cast<const RegistryWatch*>(watch);
  PostMessageA(self->notifyWindow_, self->notifyMessage_, 0, 0);
}

// A watched key that was deleted may never signal: asking it anything fails once it is gone.
bool RegistryWatch::Changed() const {
  if (!armed_) return true;
  if (WaitForSingleObject(event_.Get(), 0) != WAIT_TIMEOUT) return true;
  return RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS;
}
