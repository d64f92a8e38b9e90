#pragma once
// The connection to a MySQL server as the conversation sees it: the TCP stream, and once
// StartTls has run, TLS over it. The deadline of each operation is the socket's, so it bounds
// the TLS handshake and every record as well.
#include <memory>
#include <string>

#include "dbengine/Transport.h"
#include "dbengine/win32/SocketStream.h"

class TlsStream;

class ServerTransport : public Transport {
 public:
  // Connects within the deadline (see SocketStream).
  ServerTransport(const std::string& host, unsigned short port, const Deadline& deadline);
  ~ServerTransport() override;

  void SetDeadline(const Deadline& deadline) { socket_.SetDeadline(deadline); }

  void Write(const std::string& bytes) override;
  void ReadExact(void* buffer, size_t count) override;
  bool TlsAvailable() const override { return true; }
  void StartTls() override;
  bool Encrypted() const override { return tls_ != nullptr; }

 private:
  ByteStream& Current();

  std::string host_;
  SocketStream socket_;
  std::unique_ptr<TlsStream> tls_;
};
