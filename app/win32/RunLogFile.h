#pragma once
// The run log's file, Lintora.log in the user data folder (app/RunLog.h makes its blocks).
#include <string>

// The local time as "YYYY-MM-DD HH:MM:SS".
std::string RunLogTime();

// Appends the block to the log in that folder (ending in "\"), made when missing, keeping it
// within its bound. Never raises: a log that cannot be written must not change the run's
// outcome. The reason it could not be written is returned (empty when written) and handed to the
// debugger's output, the one place an unattended run can still say it.
std::string AppendRunLog(const std::string& folder, const std::string& block);
