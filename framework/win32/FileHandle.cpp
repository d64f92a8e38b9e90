#include "framework/win32/FileHandle.h"

#include <algorithm>

namespace {

// Read and write calls take at most a DWORD of bytes at a time.
const size_t kMaxChunk = 0x40000000;

DWORD ChunkSize(size_t remaining) {
  return static_cast<DWORD>(std::min(remaining, kMaxChunk));
}

}  // namespace

FileHandle FileHandle::Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  return FileHandle(CreateFileA(path.c_str(), access, share, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle FileHandle::CreateForWriting(const std::string& path) {
  return Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
}

FileHandle FileHandle::OpenForReading(const std::string& path) {
  return Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

FileHandle FileHandle::OpenExclusive(const std::string& path) {
  return Open(path, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
}

bool FileHandle::Write(const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    DWORD written = 0;
    if (!WriteFile(Get(), bytes, ChunkSize(size), &written, nullptr) || written == 0) {
      return false;
    }
    bytes += written;
    size -= written;
  }
  return true;
}

bool FileHandle::Read(void* data, size_t size, size_t& bytesRead) {
  DWORD read = 0;
  const bool ok = ReadFile(Get(), data, ChunkSize(size), &read, nullptr) != FALSE;
  bytesRead = read;
  return ok;
}

int64_t FileHandle::Size() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(Get(), &size)) return -1;
  return size.QuadPart;
}

bool FileHandle::LastWriteTime(FILETIME& utc) const {
  return GetFileTime(Get(), nullptr, nullptr, &utc) != FALSE;
}

bool FileHandle::SetLastWriteTime(const FILETIME& utc) {
  return SetFileTime(Get(), nullptr, nullptr, &utc) != FALSE;
}

bool LocalDosDateTimeToFileTime(DWORD dosDateTime, FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME localTime, universalTime;
  return DosDateTimeToFileTime(HIWORD(dosDateTime), LOWORD(dosDateTime), &local) &&
         FileTimeToSystemTime(&local, &localTime) &&
         TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &universalTime) &&
         SystemTimeToFileTime(&universalTime, &utc);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RemoveFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != FALSE;
}
