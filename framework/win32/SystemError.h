#pragma once
// The system's own text for a Win32 error code, so that a failure can say why.
#include <windows.h>

#include <string>

// FormatMessage's text without its trailing line break, followed by the code; "error N" alone
// when the system has no text for it.
std::string SystemErrorText(DWORD code);
