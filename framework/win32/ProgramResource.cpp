#include "framework/win32/ProgramResource.h"

ProgramResource ProgramResource::FindRcData(const std::string& name) {
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC found = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  const HGLOBAL resource = found ? LoadResource(module, found) : nullptr;
  if (!resource) return ProgramResource();
  const void* data = LockResource(resource);
  const DWORD size = SizeofResource(module, found);
  if (!data || size == 0) {
    FreeResource(resource);
    return ProgramResource();
  }
  return ProgramResource(resource, static_cast<const uint8_t*>(data), size);
}
