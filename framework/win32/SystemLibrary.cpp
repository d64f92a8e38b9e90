#include "framework/win32/SystemLibrary.h"

#include "framework/Exceptions.h"
#include "framework/win32/SystemError.h"

SystemLibrary SystemLibrary::Load(const std::string& name) {
  HMODULE module = LoadLibraryA(name.c_str());
  if (!module) {
    throw Exception("Cannot load " + name + " (" + SystemErrorText(GetLastError()) + ")");
  }
  return SystemLibrary(module, name);
}

FARPROC SystemLibrary::FindAddress(const char* name) const {
  const FARPROC address = GetProcAddress(Get(), name);
  if (!address) {
    throw Exception(std::string("Cannot find ") + name + " in " + name_ + " (" +
                    SystemErrorText(GetLastError()) + ")");
  }
  return address;
}
