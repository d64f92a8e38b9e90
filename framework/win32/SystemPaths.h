#pragma once
// Where the system and the program live. Every path is fetched whole, whatever its length.
#include <string>

// The Windows system directory with exactly one trailing "\".
std::string SystemDirectory();
// The Windows directory with exactly one trailing "\".
std::string WindowsDirectory();
// The system directory of the other architecture of 64-bit Windows, with one trailing "\", or
// empty where there is none: for a 64-bit program the 32-bit one (SysWOW64); for a 32-bit program
// running under WoW64 the native one, reached as "Sysnative" in the Windows directory (its own
// "system32" is redirected to SysWOW64); for a 32-bit program on 32-bit Windows, none.
std::string OtherArchitectureSystemDirectory();
// The full path of the running program file.
std::string ProgramFilePath();
// Creates the folder and every missing folder above it; true when the folder exists afterwards.
bool ForceDirectories(const std::string& path);
