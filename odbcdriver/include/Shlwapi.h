/* The connector includes <Shlwapi.h>; the cross toolchain has it in lower case only. */
#include <shlwapi.h>
