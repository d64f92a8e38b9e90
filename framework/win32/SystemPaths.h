#pragma once
// Where the system and the program live. Every path is fetched whole, whatever its length.
#include <string>

// The Windows system directory with exactly one trailing "\".
std::string SystemDirectory();
// The Windows directory with exactly one trailing "\".
std::string WindowsDirectory();
// The full path of the running program file.
std::string ProgramFilePath();
// Creates the folder and every missing folder above it; true when the folder exists afterwards.
bool ForceDirectories(const std::string& path);
