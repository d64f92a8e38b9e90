#pragma once
// Owns one file handle from CreateFile and closes it when it goes away, and the few file-level
// calls the program needs. Paths are 8-bit ANSI texts. Nothing here raises: failures are
// reported by return value and turned into the file layer's messages by the caller.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/win32/OwnedHandle.h"

struct FileHandleTraits {
  using Handle = HANDLE;
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};

class FileHandle : public OwnedHandle<FileHandleTraits> {
 public:
  using OwnedHandle::OwnedHandle;

  static FileHandle Open(const std::string& path, DWORD access, DWORD share, DWORD disposition);
  // Creates the file, replacing an existing one, for writing; nobody else may open it meanwhile.
  static FileHandle CreateForWriting(const std::string& path);
  // Opens an existing file for reading, denying other writers.
  static FileHandle OpenForReading(const std::string& path);
  // Opens an existing file for reading and writing with no sharing.
  static FileHandle OpenExclusive(const std::string& path);

  // Writes all size bytes at the current position.
  bool Write(const void* data, size_t size);
  // Reads up to size bytes; bytesRead tells how many arrived (0 at the end of the file).
  bool Read(void* data, size_t size, size_t& bytesRead);
  // The file's length, or -1 when it cannot be told.
  int64_t Size() const;
  bool LastWriteTime(FILETIME& utc) const;
  // Sets the last-write time only; creation and last-access times stay.
  bool SetLastWriteTime(const FILETIME& utc);
};

// A file-system date stamp (high 16 bits the date, low 16 bits the time, local time) as the
// universal time the file system keeps, with the daylight-saving rule of that date.
bool LocalDosDateTimeToFileTime(DWORD dosDateTime, FILETIME& utc);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool RemoveFile(const std::string& path);
