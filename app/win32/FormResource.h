#pragma once
// The stored forms embedded in the program file as RCDATA resources.
#include <cstdint>
#include <string>
#include <vector>

// The bytes of the RCDATA resource of that name in the program file; raises EReadError when the
// program has no such resource.
std::vector<uint8_t> ReadFormResource(const std::string& name);
