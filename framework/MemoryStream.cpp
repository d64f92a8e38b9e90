#include "framework/MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <utility>

#include "framework/FileBytes.h"

void TMemoryStream::SetSize(size_t size) {
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
  if (count > bytes_.max_size() - bytes_.size()) throw std::length_error("Memory stream too large");
  const size_t old = bytes_.size();
  bytes_.resize(old + count);
  return bytes_.data() + old;
}

void TMemoryStream::Clear() {
  bytes_.clear();
  position_ = 0;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (position_ >= bytes_.size()) return 0;
  const size_t available = std::min(count, bytes_.size() - position_);
  if (available > 0) std::memcpy(buffer, bytes_.data() + position_, available);
  position_ += available;
  return available;
}

void TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return;
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
  Write(src.bytes_.data(), src.bytes_.size());
}

void TMemoryStream::Swap(TMemoryStream& other) noexcept {
  bytes_.swap(other.bytes_);
  std::swap(position_, other.position_);
}

void TMemoryStream::LoadFromFile(const std::string& path) {
  const std::vector<uint8_t> file = ReadFileBytes(path);
  bytes_.assign(file.begin(), file.end());
  position_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const {
  WriteFileBytes(path, bytes_.data(), bytes_.size());
}
