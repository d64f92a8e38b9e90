#include "framework/win32/AtomicFile.h"

#include <windows.h>

#include "framework/win32/FileHandle.h"

std::string TemporaryFileFor(const std::string& path) {
  return path + ".new";
}

bool WriteTemporaryFile(const std::string& path, const std::string& text) {
  const std::string temporary = TemporaryFileFor(path);
  FileHandle file = FileHandle::CreateForWriting(temporary);
  const bool written =
      file.IsOpen() && file.Write(text.data(), text.size()) && FlushFileBuffers(file.Get());
  file.Close();
  if (!written) RemoveFile(temporary);
  return written;
}

bool ReplaceWithTemporaryFile(const std::string& path) {
  return MoveFileExA(TemporaryFileFor(path).c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool PlaceTemporaryFile(const std::string& path) {
  const std::string temporary = TemporaryFileFor(path);
  FileHandle file = FileHandle::OpenExclusive(temporary);
  const bool flushed = file.IsOpen() && FlushFileBuffers(file.Get());
  file.Close();
  return flushed && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool WriteFileAtomically(const std::string& path, const std::string& text) {
  if (!WriteTemporaryFile(path, text)) return false;
  if (ReplaceWithTemporaryFile(path)) return true;
  RemoveFile(TemporaryFileFor(path));
  return false;
}
