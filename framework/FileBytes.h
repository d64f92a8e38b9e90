#pragma once
// Whole-file reads and writes for the portable core (stdio; paths are 8-bit ANSI texts).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Raises EFileError "Cannot open file %s" when the file cannot be opened or read.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
// Creates (or replaces) the file with exactly these bytes. Raises EFileError "Cannot create file
// %s" when it cannot be created, and "Stream write error" when writing fails part-way.
void WriteFileBytes(const std::string& path, const uint8_t* data, size_t size);
