/* The connector includes <WinSock2.h>; the cross toolchain has it in lower case only. */
#include <winsock2.h>
