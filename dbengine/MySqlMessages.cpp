#include "dbengine/MySqlMessages.h"

#include <algorithm>

#include "dbengine/MySqlPacket.h"
#include "framework/Exceptions.h"

namespace {
constexpr uint8_t kComQuit = 0x01;
constexpr uint8_t kComQuery = 0x03;
constexpr size_t kNonceFirstPart = 8;
constexpr size_t kNonceMinimumSecondPart = 13;

uint8_t HeaderByte(const std::string& payload) {
  if (payload.empty()) throw EDatabaseError("Malformed packet from the MySQL server");
  return static_cast<uint8_t>(payload[0]);
}

void ExpectHeader(const std::string& payload, uint8_t header) {
  if (HeaderByte(payload) != header) throw EDatabaseError("Malformed packet from the MySQL server");
}

// A reader positioned after the packet's expected header byte.
PacketReader ReaderAfterHeader(const std::string& payload, uint8_t header) {
  ExpectHeader(payload, header);
  PacketReader reader(payload);
  reader.Skip(1);
  return reader;
}

}  // namespace

Handshake ParseHandshake(const std::string& payload) {
  PacketReader reader(payload);
  Handshake handshake;
  handshake.protocolVersion = reader.Byte();
  if (handshake.protocolVersion != 10)
    throw EDatabaseError("Unsupported MySQL protocol version " +
                         std::to_string(handshake.protocolVersion));
  handshake.serverVersion = reader.NulTerminatedString();
  handshake.connectionId = reader.Int4();
  handshake.nonce = reader.Bytes(kNonceFirstPart);
  reader.Skip(1);  // filler
  handshake.capabilities = reader.Int2();
  if (reader.AtEnd()) return handshake;
  handshake.characterSet = reader.Byte();
  handshake.statusFlags = reader.Int2();
  handshake.capabilities |= uint32_t{reader.Int2()} << 16;
  const uint8_t pluginDataLength = reader.Byte();
  reader.Skip(10);  // reserved (MariaDB keeps its extended capabilities in the last four)
  if (handshake.capabilities & ClientFlag::SecureConnection) {
    const size_t secondPart =
        pluginDataLength > kNonceFirstPart
            ? std::max<size_t>(kNonceMinimumSecondPart, pluginDataLength - kNonceFirstPart)
            : kNonceMinimumSecondPart;
    std::string rest = reader.Bytes(std::min(secondPart, reader.Remaining()));
    if (!rest.empty() && rest.back() == '\0') rest.pop_back();
    handshake.nonce += rest;
  }
  if (handshake.capabilities & ClientFlag::PluginAuth)
    handshake.authPluginName = reader.NulOrEndString();
  return handshake;
}

namespace {

PacketWriter ResponseStart(const HandshakeResponse& response) {
  PacketWriter writer;
  writer.Int4(response.capabilities)
      .Int4(response.maxPacketSize)
      .Byte(response.characterSet)
      .Zeros(23);
  return writer;
}

}  // namespace

std::string BuildSslRequest(const HandshakeResponse& response) {
  return ResponseStart(response).Payload();
}

std::string BuildHandshakeResponse41(const HandshakeResponse& response) {
  PacketWriter writer = ResponseStart(response);
  writer.NulTerminatedString(response.user);
  if (response.authResponse.size() > 0xFF)
    throw EDatabaseError("Authentication data too long for the MySQL protocol");
  writer.Byte(static_cast<uint8_t>(response.authResponse.size())).Bytes(response.authResponse);
  if (response.capabilities & ClientFlag::ConnectWithDb)
    writer.NulTerminatedString(response.database);
  if (response.capabilities & ClientFlag::PluginAuth)
    writer.NulTerminatedString(response.authPluginName);
  return writer.Payload();
}

AuthSwitchRequest ParseAuthSwitchRequest(const std::string& payload) {
  PacketReader reader = ReaderAfterHeader(payload, kEofHeader);
  AuthSwitchRequest request;
  request.pluginName = reader.NulOrEndString();
  request.pluginData = reader.Rest();
  if (!request.pluginData.empty() && request.pluginData.back() == '\0')
    request.pluginData.pop_back();
  return request;
}

std::string ParseAuthMoreData(const std::string& payload) {
  ExpectHeader(payload, kAuthMoreDataHeader);
  return payload.substr(1);
}

ErrPacket ParseErrPacket(const std::string& payload) {
  PacketReader reader = ReaderAfterHeader(payload, kErrHeader);
  ErrPacket err;
  err.code = reader.Int2();
  if (!reader.AtEnd() && payload[3] == '#') {
    reader.Skip(1);
    err.sqlState = reader.Bytes(std::min<size_t>(5, reader.Remaining()));
  }
  err.message = reader.Rest();
  return err;
}

OkPacket ParseOkPacket(const std::string& payload) {
  PacketReader reader = ReaderAfterHeader(payload, kOkHeader);
  OkPacket ok;
  ok.affectedRows = reader.LengthEncodedInt();
  ok.lastInsertId = reader.LengthEncodedInt();
  if (reader.Remaining() >= 4) {
    ok.statusFlags = reader.Int2();
    ok.warnings = reader.Int2();
  }
  return ok;
}

bool IsEofPacket(const std::string& payload) {
  return !payload.empty() && static_cast<uint8_t>(payload[0]) == kEofHeader && payload.size() < 9;
}

std::string BuildComQuery(const std::string& statement) {
  return PacketWriter().Byte(kComQuery).Bytes(statement).Payload();
}

std::string BuildComQuit() {
  return PacketWriter().Byte(kComQuit).Payload();
}
