#pragma once
// A growable byte buffer with a current position: reads and writes happen at the position and
// move it. Writing past the end grows the stream; a position beyond the end is allowed and the
// gap is filled with zero bytes by the next write.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TMemoryStream {
 public:
  size_t Position() const { return position_; }
  size_t Size() const { return bytes_.size(); }
  void Seek(size_t position) { position_ = position; }
  // Cuts or zero-extends; the position is kept, but never beyond the new size.
  void SetSize(size_t size);
  void Clear();

  // Copies up to count bytes from the position; returns how many there were.
  size_t Read(void* buffer, size_t count);
  void Write(const void* buffer, size_t count);
  // Writes the whole content of src (from its first byte, whatever src's position) at this
  // stream's position. src's position is left alone; copying a stream into itself is allowed.
  void CopyFrom(const TMemoryStream& src);

  const uint8_t* Memory() const { return bytes_.data(); }
  uint8_t* Memory() { return bytes_.data(); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

  // The whole file replaces the content; position 0. Raises EFileError "Cannot open file %s".
  void LoadFromFile(const std::string& path);
  // Writes the whole content (position ignored). Raises EFileError "Cannot create file %s".
  void SaveToFile(const std::string& path) const;

 private:
  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
};
