#pragma once
// The driver files the dialog carries, written into the system directory.
#include <cstdint>
#include <string>
#include <vector>

class TBinStream;

// Raises EFileError when a driver file has no plain file name, so that the installation run can
// stop before it writes anything.
void CheckDriverFileNames(const std::vector<TBinStream*>& files);

// Writes each embedded driver file into the system directory (ending in "\") under the name its
// FileName ends in, unless a file of that name is already there, and stamps it with its stored
// FileDate. Each file is written under a temporary name and renamed into place only when whole.
// A name that is not a plain file name, or the first file that cannot be written or stamped,
// raises and ends the writing.
void WriteDriverFiles(const std::vector<TBinStream*>& files, const std::string& systemDirectory);
// One file of those, the same way; false when a file of its name was there and was left alone.
bool WriteDriverFile(TBinStream& file, const std::string& systemDirectory);

// Gives the existing file the last-write time of a file-system date stamp read as local time;
// its creation and last-access times stay. The file is opened for reading and writing with no
// sharing; a file that cannot be opened raises EFileError "Cannot open file %s". A stamp that
// names no time (0, as for a year outside 1980 to 2099) leaves the time as it is.
void SetFileDate(const std::string& path, uint32_t dosDateTime);
