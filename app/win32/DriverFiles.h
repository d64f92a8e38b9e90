#pragma once
// The driver files the dialog carries, written into the system directory.
#include <cstdint>
#include <string>

class TLintoraForm;

// Raises EFileError when a driver file the form carries has no plain file name, so that the
// installation run can stop before it writes anything.
void CheckDriverFileNames(TLintoraForm& form);

// Gives the existing file the last-write time of a file-system date stamp read as local time;
// its creation and last-access times stay. The file is opened for reading and writing with no
// sharing; a file that cannot be opened raises EFileError "Cannot open file %s". A stamp that
// names no time (0, as for a year outside 1980 to 2099) leaves the time as it is.
void SetFileDate(const std::string& path, uint32_t dosDateTime);
