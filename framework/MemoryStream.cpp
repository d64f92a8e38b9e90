#include "framework/MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <utility>

#include "framework/FileBytes.h"

TMemoryStream TMemoryStream::Borrowing(const uint8_t* data, size_t size) {
  TMemoryStream stream;
  if (size == 0) return stream;
  stream.borrowed_ = data;
  stream.borrowedSize_ = size;
  return stream;
}

void TMemoryStream::OwnBytes() {
  if (!borrowed_) return;
  bytes_.assign(borrowed_, borrowed_ + borrowedSize_);
  borrowed_ = nullptr;
  borrowedSize_ = 0;
}

void TMemoryStream::SetSize(size_t size) {
  OwnBytes();
  ZeroExtend(size);
  bytes_.resize(size);
  position_ = std::min(position_, size);
}

void TMemoryStream::ZeroExtend(size_t size) {
  const size_t old = bytes_.size();
  if (size <= old) return;
  bytes_.resize(size);
  std::memset(bytes_.data() + old, 0, size - old);
}

uint8_t* TMemoryStream::Extend(size_t count) {
  OwnBytes();
  if (count > bytes_.max_size() - bytes_.size()) throw std::length_error("Memory stream too large");
  const size_t old = bytes_.size();
  bytes_.resize(old + count);
  return bytes_.data() + old;
}

void TMemoryStream::Clear() {
  borrowed_ = nullptr;
  borrowedSize_ = 0;
  bytes_.clear();
  position_ = 0;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (position_ >= Size()) return 0;
  const size_t available = std::min(count, Size() - position_);
  if (available > 0) std::memcpy(buffer, Content() + position_, available);
  position_ += available;
  return available;
}

void TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return;
  OwnBytes();
  if (position_ > bytes_.max_size() || count > bytes_.max_size() - position_) {
    throw std::length_error("Memory stream too large");
  }
  // Bytes of this stream itself would move while it grows.
  const auto* source = static_cast<const uint8_t*>(buffer);
  const std::less<const uint8_t*> before;
  if (!before(source, bytes_.data()) && before(source, bytes_.data() + bytes_.size())) {
    const std::vector<uint8_t> copy(source, source + count);
    return Write(copy.data(), count);
  }
  // A gap between the end and the position reads as zeros.
  ZeroExtend(position_);
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  std::memmove(bytes_.data() + position_, buffer, count);
  position_ += count;
}

void TMemoryStream::CopyFrom(const TMemoryStream& src) {
  Write(src.Content(), src.Size());
}

void TMemoryStream::Swap(TMemoryStream& other) noexcept {
  bytes_.swap(other.bytes_);
  std::swap(position_, other.position_);
  std::swap(borrowed_, other.borrowed_);
  std::swap(borrowedSize_, other.borrowedSize_);
}

void TMemoryStream::LoadFromFile(const std::string& path) {
  const std::vector<uint8_t> file = ReadFileBytes(path);
  Clear();
  bytes_.assign(file.begin(), file.end());
  position_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const {
  WriteFileBytes(path, Content(), Size());
}
