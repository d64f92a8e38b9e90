#pragma once
// Owns one event object from CreateEvent and closes it when it goes away.
#include <windows.h>

#include "framework/win32/OwnedHandle.h"

struct EventHandleTraits {
  using Handle = HANDLE;
  static HANDLE Empty() { return nullptr; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};

class EventHandle : public OwnedHandle<EventHandleTraits> {
 public:
  using OwnedHandle::OwnedHandle;

  // An unnamed event that stays signalled until reset; empty when the system refuses one.
  static EventHandle CreateManualReset() {
    return EventHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  }
};
