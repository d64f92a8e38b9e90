#pragma once
// Tells whether anything at or below one registry key may have changed since the watch was armed:
// a value set or deleted, a key created or deleted, by this process or any other. The key need
// not exist: its nearest existing parent is watched then, so that the key's creation is seen. A
// watch the registry refuses counts as changed, always: a false "changed" costs a reading, a
// false "unchanged" would show stale data.
#include <windows.h>

#include <string>

#include "framework/win32/EventHandle.h"
#include "framework/win32/RegKey.h"

class RegistryWatch {
 public:
  // path below root, as "\Software\ODBC\ODBC.INI\ODBC Data Sources".
  RegistryWatch(HKEY root, std::string path);

  ~RegistryWatch();
  RegistryWatch(const RegistryWatch&) = delete;
  RegistryWatch& operator=(const RegistryWatch&) = delete;

  // Watches afresh from now on; to be called before reading what is watched. The watch belongs
  // to the calling thread (the system ends it with that thread).
  void Arm();
  // From now on, the first change after each Arm posts message to window (from a thread of the
  // system's pool).
  void PostOnChange(HWND window, UINT message);
  // Never waits.
  bool Changed() const;

 private:
  RegKey NearestExistingKey() const;
  void WaitForChange();
  void StopWaiting();
  static void CALLBACK PostChange(void* watch, BOOLEAN timedOut);

  HKEY root_;
  std::string path_;
  RegKey key_;
  EventHandle event_;
  bool armed_ = false;
  HWND notifyWindow_ = nullptr;
  UINT notifyMessage_ = 0;
  HANDLE wait_ = nullptr;  // the pool's wait for the event, while one is registered
};
