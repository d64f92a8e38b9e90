#include "framework/FileBytes.h"

#include <cstdio>
#include <memory>

#include "framework/Exceptions.h"

namespace {
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) throw EFileError(FormatErrorText(SCannotOpenFile, path));
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) throw EFileError(FormatErrorText(SCannotOpenFile, path));
  return bytes;
}

void WriteFileBytes(const std::string& path, const uint8_t* data, size_t size) {
  FilePtr file(std::fopen(path.c_str(), "wb"));
  if (!file) throw EFileError(FormatErrorText(SCannotCreateFile, path));
  const bool written = size == 0 || std::fwrite(data, 1, size, file.get()) == size;
  if (!written || std::fclose(file.release()) != 0) throw EFileError("Stream write error");
}
