#include "app/win32/FormResource.h"

#include "framework/Exceptions.h"

ProgramResource ReadFormResource(const std::string& name) {
  ProgramResource resource = ProgramResource::FindRcData(name);
  if (!resource) throw EReadError("Resource " + name + " not found");
  return resource;
}
