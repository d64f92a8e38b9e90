#pragma once
// Owns one loaded RCDATA resource of the program's own module. Its bytes stay where the module
// maps them: the program's image, valid as long as the program runs, so what is read from them
// may keep pointing there. Unlocking and freeing are no-ops on Win32, but they end the
// resource's use as the platform documents it.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/win32/OwnedHandle.h"

struct ResourceTraits {
  using Handle = HGLOBAL;
  static HGLOBAL Empty() { return nullptr; }
  static void Close(HGLOBAL resource) {
    UnlockResource(resource);
    FreeResource(resource);
  }
};

class ProgramResource : public OwnedHandle<ResourceTraits> {
 public:
  // The RCDATA resource of that name; empty when the program has none or it holds no bytes.
  static ProgramResource FindRcData(const std::string& name);

  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  ProgramResource() = default;
  ProgramResource(HGLOBAL resource, const uint8_t* data, size_t size)
      : OwnedHandle(resource), data_(data), size_(size) {}

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};
