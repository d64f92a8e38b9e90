// The client side of one MySQL protocol conversation: handshake and authentication
// (mysql_native_password, caching_sha2_password with fast path and RSA full authentication,
// authentication switch), COM_QUERY and COM_QUIT. It works on any byte stream, so the
// conversation itself is platform-neutral; the connection (with or without TLS) and the RSA step
// are supplied by the caller. When the server offers TLS and the transport has it, the login and
// everything after it travel encrypted, as MySQL clients do by default ("preferred"): the server's
// certificate is not checked, and a server without TLS is spoken to in plain.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dbengine/Transport.h"

struct HandshakeResponse;

// Encrypts with the server's PEM public key, RSA with OAEP padding; returns big-endian bytes.
using RsaOaepEncryptor =
    std::function<std::string(const std::string& publicKeyPem, const std::string& plain)>;

struct ConnectionCredentials {
  std::string user;
  std::string password;
  std::string database;  // empty: no default database
  std::string charset;   // empty: latin1, which carries any ANSI bytes unchanged
};

// The collation id sent in the handshake for a character set name (ASCII case ignored); 0 when
// the engine does not know the name.
uint8_t CollationForCharset(const std::string& charset);

class MySqlClient {
 public:
  MySqlClient(Transport& stream, RsaOaepEncryptor rsa) : stream_(stream), rsa_(std::move(rsa)) {}

  // Reads the server's greeting and authenticates; raises EDatabaseError with the server's
  // message when the server refuses.
  void Connect(const ConnectionCredentials& credentials);
  // Runs one statement; a result set, if any, is read and dropped.
  void Execute(const std::string& statement);
  // Runs one statement and gives the first column of its first row as text ("" for NULL, no row
  // or no result set); the rest of the answer is read and dropped.
  std::string QueryValue(const std::string& statement);
  // Says goodbye; the server closes the connection without an answer.
  void Quit();

  const std::string& ServerVersion() const { return serverVersion_; }
  // Whether the conversation is in step for another command: false after a network or protocol
  // failure, true again after a statement the server refused.
  bool Healthy() const { return healthy_; }

 private:
  std::string ReadPacket();
  void ReadAppending(std::string& payload, size_t count);
  void WritePacket(const std::string& payload);
  void StartCommand() { sequence_ = 0; }
  std::string AuthResponse(const std::string& plugin, const std::string& password);
  void FinishAuthentication(std::string plugin, const std::string& password);
  void FullAuthentication(const std::string& password);
  void StartTls(HandshakeResponse& response);
  void RunStatement(const std::string& statement, std::string* firstValue);
  uint16_t SkipResultSet(const std::string& firstPacket, std::string* firstValue);
  [[noreturn]] void RaiseServerError(const std::string& payload);
  [[noreturn]] void RaiseCommandError(const std::string& payload);

  Transport& stream_;
  RsaOaepEncryptor rsa_;
  uint8_t sequence_ = 0;
  std::string nonce_;
  std::string serverVersion_;
  bool healthy_ = false;
};
