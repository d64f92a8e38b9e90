#pragma once
// The program's folder in the user's Application Data: "<Application Data>\Lintora\".
#include <string>

// With its trailing backslash, created with every missing parent. Without an Application Data
// folder it is "\Lintora\" on the current drive.
std::string UserDataFolder();
