#pragma once
// A SILENT start: the run AUTO makes, for deployment tools that start the program without a
// desktop, where nobody could close an error box. No window is ever created: what AUTO would show
// goes to the run log, and the exit code says how the run ended.
class Exception;
struct TStartupPresets;

// Logs an error that ended a SILENT start before its installation ran, as the block of a run of
// the command line's values that failed at start-up (exit code 2). Never raises: when the log
// cannot be written either, the debugger's output is the one place left to say it.
void LogSilentStartupError(const TStartupPresets& presets, const Exception& error) noexcept;
