/* The connector includes <Windows.h>; the cross toolchain has it in lower case only. */
#include <windows.h>
