// The messages of the connection phase and the command phase that the engine exchanges with a
// MySQL or MariaDB server: parsed from and built into packet payloads (see MySqlPacket.h).
#pragma once

#include <cstdint>
#include <string>

namespace ClientFlag {
constexpr uint32_t LongPassword = 0x00000001;
constexpr uint32_t LongFlag = 0x00000004;
constexpr uint32_t ConnectWithDb = 0x00000008;
constexpr uint32_t Protocol41 = 0x00000200;
constexpr uint32_t Ssl = 0x00000800;
constexpr uint32_t Transactions = 0x00002000;
constexpr uint32_t SecureConnection = 0x00008000;
constexpr uint32_t MultiResults = 0x00020000;
constexpr uint32_t PluginAuth = 0x00080000;
}  // namespace ClientFlag

constexpr uint8_t kOkHeader = 0x00;
constexpr uint8_t kAuthMoreDataHeader = 0x01;
constexpr uint8_t kEofHeader = 0xFE;  // also the header of an authentication switch request
constexpr uint8_t kErrHeader = 0xFF;

// caching_sha2_password's status bytes after its 0x01 header, and the client's key request.
constexpr uint8_t kFastAuthSuccess = 0x03;
constexpr uint8_t kPerformFullAuthentication = 0x04;
constexpr uint8_t kRequestPublicKey = 0x02;

struct Handshake {
  uint8_t protocolVersion = 0;
  std::string serverVersion;
  uint32_t connectionId = 0;
  std::string nonce;  // both parts of the authentication plugin data, without the final zero
  uint32_t capabilities = 0;
  uint8_t characterSet = 0;
  uint16_t statusFlags = 0;
  std::string authPluginName;
};

// The server's first packet. Raises EDatabaseError for a protocol other than version 10.
Handshake ParseHandshake(const std::string& payload);

struct HandshakeResponse {
  uint32_t capabilities = 0;
  uint32_t maxPacketSize = 16 * 1024 * 1024;
  uint8_t characterSet = 0;
  std::string user;
  std::string authResponse;
  std::string database;        // sent when capabilities holds ClientFlag::ConnectWithDb
  std::string authPluginName;  // sent when capabilities holds ClientFlag::PluginAuth
};

std::string BuildHandshakeResponse41(const HandshakeResponse& response);
// The SSL request: the response's first fields alone, after which the TLS handshake starts.
std::string BuildSslRequest(const HandshakeResponse& response);

struct AuthSwitchRequest {
  std::string pluginName;
  std::string pluginData;  // the new nonce, without the final zero byte
};

AuthSwitchRequest ParseAuthSwitchRequest(const std::string& payload);

// The data after the 0x01 header of an "authentication more data" packet.
std::string ParseAuthMoreData(const std::string& payload);

struct ErrPacket {
  uint16_t code = 0;
  std::string sqlState;
  std::string message;
};

ErrPacket ParseErrPacket(const std::string& payload);

struct OkPacket {
  uint64_t affectedRows = 0;
  uint64_t lastInsertId = 0;
  uint16_t statusFlags = 0;
  uint16_t warnings = 0;
};

OkPacket ParseOkPacket(const std::string& payload);

// An EOF packet is 0xFE with at most 8 bytes; a longer one starting 0xFE is a row or other data.
bool IsEofPacket(const std::string& payload);

std::string BuildComQuery(const std::string& statement);
std::string BuildComQuit();
