#include "app/win32/FormResource.h"

#include "framework/Exceptions.h"
#include "framework/win32/ProgramResource.h"

std::vector<uint8_t> ReadFormResource(const std::string& name) {
  const ProgramResource resource = ProgramResource::FindRcData(name);
  if (!resource) throw EReadError("Resource " + name + " not found");
  return std::vector<uint8_t>(resource.Data(), resource.Data() + resource.Size());
}
