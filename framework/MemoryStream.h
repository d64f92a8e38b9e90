#pragma once
// A growable byte buffer with a current position: reads and writes happen at the position and
// move it. Writing past the end grows the stream; a position beyond the end is allowed and the
// gap is filled with zero bytes by the next write. A stream may also read bytes that lie
// elsewhere (Borrowing) until its first change copies them in.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TMemoryStream {
 public:
  TMemoryStream() = default;
  // A stream of bytes that stay where they are, which must outlive it and every stream it is
  // swapped with (the program's own resources do): a driver file is then held once, in the
  // program's image, until something changes it.
  static TMemoryStream Borrowing(const uint8_t* data, size_t size);

  size_t Position() const { return position_; }
  size_t Size() const { return borrowed_ ? borrowedSize_ : bytes_.size(); }
  void Seek(size_t position) { position_ = position; }
  // Cuts or zero-extends; the position is kept, but never beyond the new size.
  void SetSize(size_t size);
  // Adds count bytes of unspecified value at the end and returns where they start, for a caller
  // that fills them at once (or cuts them off again with SetSize); the position is kept.
  uint8_t* Extend(size_t count);
  void Clear();

  // Copies up to count bytes from the position; returns how many there were.
  size_t Read(void* buffer, size_t count);
  void Write(const void* buffer, size_t count);
  // Writes the whole content of src (from its first byte, whatever src's position) at this
  // stream's position. src's position is left alone; copying a stream into itself is allowed.
  void CopyFrom(const TMemoryStream& src);
  // Exchanges contents and positions without copying a byte.
  void Swap(TMemoryStream& other) noexcept;

  const uint8_t* Memory() const { return Content(); }
  uint8_t* Memory() {
    OwnBytes();
    return bytes_.data();
  }
  // A copy of the whole content.
  std::vector<uint8_t> Bytes() const { return {Content(), Content() + Size()}; }

  // The whole file replaces the content; position 0. Raises EFileError "Cannot open file %s".
  void LoadFromFile(const std::string& path);
  // Writes the whole content (position ignored). Raises EFileError "Cannot create file %s".
  void SaveToFile(const std::string& path) const;

 private:
  // std::allocator zero-fills every byte a vector grows by; a stream that is about to overwrite
  // them (a decoder writing a block in place) should not pay for that, so growth leaves bytes
  // as they are and SetSize and Write fill the gaps themselves.
  struct ByteAllocator : std::allocator<uint8_t> {
    template <typename U>
    struct rebind {
      using other = ByteAllocator;
    };
    void construct(uint8_t*) {}
    void construct(uint8_t* at, uint8_t value) { *at = value; }
  };

  // Grows to `size` bytes, zero-filling the new ones.
  void ZeroExtend(size_t size);
  // Before a change: borrowed bytes become the stream's own.
  void OwnBytes();
  // The bytes to read, wherever they lie (a reader must not make borrowed bytes its own).
  const uint8_t* Content() const { return borrowed_ ? borrowed_ : bytes_.data(); }

  std::vector<uint8_t, ByteAllocator> bytes_;
  size_t position_ = 0;
  const uint8_t* borrowed_ = nullptr;  // set: the content is these bytes, not bytes_
  size_t borrowedSize_ = 0;
};
