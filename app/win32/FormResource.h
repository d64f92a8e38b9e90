#pragma once
// The stored forms embedded in the program file as RCDATA resources.
#include <string>

#include "framework/win32/ProgramResource.h"

// The RCDATA resource of that name in the program file, its bytes where the module maps them
// (the form is read from there, never copied whole); raises EReadError when the program has no
// such resource.
ProgramResource ReadFormResource(const std::string& name);
