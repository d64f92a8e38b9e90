#pragma once
// The run log an administrator reads after an unattended rollout: one block of text per
// installation run, appended to Lintora.log in the user data folder, the oldest runs dropped
// from the front once the log passes its bound. A block names the run's values (never the
// password), every step with how it ended, the connection result and the exit code. Portable;
// app/win32/RunLogFile.h appends it to the file.
//
//   const std::string block = RunLogBlock(RunLogTime(), fields, outcome);
//   const std::string text = AppendedRunLog(existingText, block, kRunLogLimit);
#include <cstddef>
#include <string>

#include "app/InstallationOutcome.h"

struct TSetupFields;

extern const char* const kRunLogFileName;  // "Lintora.log"
extern const char* const kProgramVersion;
constexpr size_t kRunLogLimit = 1024 * 1024;

// The block of one run; its first line starts with "[" and the time, every other line with two
// spaces, and each value stays on its line (line breaks and other control characters in a value
// or a message become spaces), so that no value can start a block of its own.
std::string RunLogBlock(const std::string& time, const TSetupFields& fields,
                        const TInstallationOutcome& outcome);

// The log with the block appended; when that passes the limit, whole blocks are dropped from the
// front until it fits (the new block always stays, however long).
std::string AppendedRunLog(const std::string& existing, const std::string& block, size_t limit);
