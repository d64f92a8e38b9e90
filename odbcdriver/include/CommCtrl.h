/* The connector includes <CommCtrl.h>; the cross toolchain has it in lower case only. */
#include <commctrl.h>
