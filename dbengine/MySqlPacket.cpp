#include "dbengine/MySqlPacket.h"

#include <algorithm>

#include "framework/Exceptions.h"

namespace {
const char* const SMalformedPacket = "Malformed packet from the MySQL server";
}

PacketHeader ParsePacketHeader(const uint8_t (&header)[kPacketHeaderSize]) {
  return {uint32_t{header[0]} | (uint32_t{header[1]} << 8) | (uint32_t{header[2]} << 16),
          header[3]};
}

std::string FramePackets(const std::string& payload, uint8_t& sequence) {
  std::string framed;
  size_t offset = 0;
  for (;;) {
    const size_t chunk = std::min<size_t>(payload.size() - offset, kMaxPacketPayload);
    framed += static_cast<char>(chunk & 0xFF);
    framed += static_cast<char>((chunk >> 8) & 0xFF);
    framed += static_cast<char>((chunk >> 16) & 0xFF);
    framed += static_cast<char>(sequence++);
    framed.append(payload, offset, chunk);
    offset += chunk;
    // A chunk of exactly the maximum size announces a continuation, possibly an empty one.
    if (chunk < kMaxPacketPayload) return framed;
  }
}

void PacketReader::Require(size_t count) const {
  if (count > Remaining()) throw EDatabaseError(SMalformedPacket);
}

uint64_t PacketReader::LittleEndian(size_t count) {
  Require(count);
  uint64_t value = 0;
  for (size_t i = 0; i < count; ++i)
    value |= uint64_t{static_cast<uint8_t>(payload_[position_ + i])} << (8 * i);
  position_ += count;
  return value;
}

uint8_t PacketReader::Byte() {
  return static_cast<uint8_t>(LittleEndian(1));
}
uint16_t PacketReader::Int2() {
  return static_cast<uint16_t>(LittleEndian(2));
}
uint32_t PacketReader::Int3() {
  return static_cast<uint32_t>(LittleEndian(3));
}
uint32_t PacketReader::Int4() {
  return static_cast<uint32_t>(LittleEndian(4));
}
uint64_t PacketReader::Int8() {
  return LittleEndian(8);
}

uint64_t PacketReader::LengthEncodedInt() {
  const uint8_t first = Byte();
  if (first < 0xFB) return first;
  if (first == 0xFC) return LittleEndian(2);
  if (first == 0xFD) return LittleEndian(3);
  if (first == 0xFE) return LittleEndian(8);
  // 0xFB is the NULL marker of a row and 0xFF starts an error packet: no integer here.
  throw EDatabaseError(SMalformedPacket);
}

std::string PacketReader::LengthEncodedString() {
  const uint64_t length = LengthEncodedInt();
  if (length > Remaining()) throw EDatabaseError(SMalformedPacket);
  return Bytes(static_cast<size_t>(length));
}

std::string PacketReader::NulTerminatedString() {
  const size_t end = payload_.find('\0', position_);
  if (end == std::string::npos) throw EDatabaseError(SMalformedPacket);
  std::string value = payload_.substr(position_, end - position_);
  position_ = end + 1;
  return value;
}

std::string PacketReader::NulOrEndString() {
  const size_t end = payload_.find('\0', position_);
  if (end == std::string::npos) return Rest();
  return NulTerminatedString();
}

std::string PacketReader::Bytes(size_t count) {
  Require(count);
  std::string value = payload_.substr(position_, count);
  position_ += count;
  return value;
}

std::string PacketReader::Rest() {
  return Bytes(Remaining());
}

void PacketReader::Skip(size_t count) {
  Require(count);
  position_ += count;
}

PacketWriter& PacketWriter::Byte(uint8_t value) {
  payload_ += static_cast<char>(value);
  return *this;
}

PacketWriter& PacketWriter::LittleEndian(uint64_t value, size_t count) {
  for (size_t i = 0; i < count; ++i) payload_ += static_cast<char>((value >> (8 * i)) & 0xFF);
  return *this;
}

PacketWriter& PacketWriter::LengthEncodedInt(uint64_t value) {
  if (value < 0xFB) return Byte(static_cast<uint8_t>(value));
  if (value <= 0xFFFF) return Byte(0xFC).LittleEndian(value, 2);
  if (value <= 0xFFFFFF) return Byte(0xFD).LittleEndian(value, 3);
  return Byte(0xFE).LittleEndian(value, 8);
}

PacketWriter& PacketWriter::LengthEncodedString(const std::string& value) {
  return LengthEncodedInt(value.size()).Bytes(value);
}

PacketWriter& PacketWriter::NulTerminatedString(const std::string& value) {
  return Bytes(value).Byte(0);
}

PacketWriter& PacketWriter::Bytes(const std::string& value) {
  payload_ += value;
  return *this;
}

PacketWriter& PacketWriter::Zeros(size_t count) {
  payload_.append(count, '\0');
  return *this;
}
