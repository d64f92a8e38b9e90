#pragma once
// Replacing a file so that a crash at any moment leaves either its old or its new content: the
// text goes into "<path>.new" first, which then takes the file's place in one rename.
#include <string>

// The temporary file's name for path.
std::string TemporaryFileFor(const std::string& path);
// Writes text into the temporary file and flushes it to disk; false on any failure.
bool WriteTemporaryFile(const std::string& path, const std::string& text);
// Renames the temporary file over path; false when that is not possible.
bool ReplaceWithTemporaryFile(const std::string& path);
// Flushes the temporary file to disk and renames it to path, which must not exist: an existing
// file is never replaced. False when either step fails; the temporary file is then the caller's.
bool PlaceTemporaryFile(const std::string& path);
// Both steps; a failure leaves the file at path as it was.
bool WriteFileAtomically(const std::string& path, const std::string& text);
