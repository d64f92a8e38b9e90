// Framing and field encoding of the MySQL client/server protocol. Every read is bounds-checked:
// a short or inconsistent packet raises EDatabaseError instead of reading past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t kPacketHeaderSize = 4;
constexpr uint32_t kMaxPacketPayload = 0xFFFFFF;

struct PacketHeader {
  uint32_t payloadLength;
  uint8_t sequence;
};

PacketHeader ParsePacketHeader(const uint8_t (&header)[kPacketHeaderSize]);

// Frames a payload as one or more packets (a payload of 16 MiB - 1 or more continues in the
// next packet), numbering them from sequence on; returns the next sequence number via sequence.
std::string FramePackets(const std::string& payload, uint8_t& sequence);

// A read cursor over one packet payload.
class PacketReader {
 public:
  explicit PacketReader(const std::string& payload) : payload_(payload) {}

  uint8_t Byte();
  uint16_t Int2();
  uint32_t Int3();
  uint32_t Int4();
  uint64_t Int8();
  uint64_t LengthEncodedInt();
  std::string LengthEncodedString();
  std::string NulTerminatedString();
  // A string that ends at the first zero byte or at the end of the packet.
  std::string NulOrEndString();
  std::string Bytes(size_t count);
  std::string Rest();
  void Skip(size_t count);

  size_t Remaining() const { return payload_.size() - position_; }
  bool AtEnd() const { return position_ == payload_.size(); }

 private:
  void Require(size_t count) const;
  uint64_t LittleEndian(size_t count);

  const std::string& payload_;
  size_t position_ = 0;
};

// Builds one packet payload.
class PacketWriter {
 public:
  PacketWriter& Byte(uint8_t value);
  PacketWriter& Int2(uint16_t value) { return LittleEndian(value, 2); }
  PacketWriter& Int3(uint32_t value) { return LittleEndian(value, 3); }
  PacketWriter& Int4(uint32_t value) { return LittleEndian(value, 4); }
  PacketWriter& LengthEncodedInt(uint64_t value);
  PacketWriter& LengthEncodedString(const std::string& value);
  PacketWriter& NulTerminatedString(const std::string& value);
  PacketWriter& Bytes(const std::string& value);
  PacketWriter& Zeros(size_t count);

  const std::string& Payload() const { return payload_; }

 private:
  PacketWriter& LittleEndian(uint64_t value, size_t count);

  std::string payload_;
};
