/* The connector includes <WinResrc.h>; the cross toolchain has it in lower case only. */
#include <winresrc.h>
