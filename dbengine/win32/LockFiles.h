#pragma once
// The lock file cleanup run once at program start, before any session is active: the two lock
// files of the engine's desktop-table driver that a crashed run may have left behind.
#include <string>

// "PDOXUSRS.LCK" and "PARADOX.LCK" in privateDir (relative to the current directory when it is
// empty), in that order.
std::string EngineLockFilePath(const std::string& privateDir, const std::string& fileName);

// Deletes each of the two files in the default session's private directory when it exists.
// Reports nothing.
void RemoveEngineLockFiles();
