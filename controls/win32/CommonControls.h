#pragma once
// The window classes of the common controls (the tab control, the list view), registered on
// request. The library is loaded when the first such control gets its window, not at the
// program's start: an unattended run never shows one.
#include <windows.h>

// Registers the classes ICC_... asks for. Raises Exception when the library or its function
// cannot be loaded.
void InitCommonControlClasses(DWORD classes);
