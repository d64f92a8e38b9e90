#include "app/win32/FormResource.h"

#include <windows.h>

#include "framework/Exceptions.h"

std::vector<uint8_t> ReadFormResource(const std::string& name) {
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC resource = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));  // RCDATA
  const HGLOBAL handle = resource ? LoadResource(module, resource) : nullptr;
  const auto* data = handle ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
  if (!data) throw EReadError("Resource " + name + " not found");
  return std::vector<uint8_t>(data, data + SizeofResource(module, resource));
}
