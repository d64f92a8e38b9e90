#pragma once
// A system library the program loads when it first needs it rather than at its start, so that a
// run starts with only what every run uses (an unattended run shows no window and seldom needs
// the crypto library). Owns the module; what Find gives is valid while the object lives.
#include <windows.h>

#include <string>
#include <utility>

#include "framework/win32/OwnedHandle.h"

struct LibraryTraits {
  using Handle = HMODULE;
  static HMODULE Empty() { return nullptr; }
  static void Close(HMODULE module) { FreeLibrary(module); }
};

class SystemLibrary : public OwnedHandle<LibraryTraits> {
 public:
  // Loads the library as an import would (the program's manifest picks the common controls'
  // version). Raises Exception "Cannot load NAME (reason)".
  static SystemLibrary Load(const std::string& name);

  // The exported function NAME as a pointer of type Function. Raises Exception "Cannot find NAME
  // in LIBRARY (reason)".
  template <typename Function>
  Function Find(const char* name) const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(FindAddress(name)));
  }

 private:
  SystemLibrary(HMODULE module, std::string name) : OwnedHandle(module), name_(std::move(name)) {}
  FARPROC FindAddress(const char* name) const;

  std::string name_;
};
