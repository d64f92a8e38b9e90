#pragma once
// Programs of the Windows system directory, started from the dialog.
#include <string>

// The Windows system directory with exactly one trailing "\", whatever the path's length.
std::string SysDir();

// Asks the shell to open SysDir() + fileName with its default verb; nothing waits for the
// program and a failure to start it is not reported.
void RunSystemProgram(const std::string& fileName);
