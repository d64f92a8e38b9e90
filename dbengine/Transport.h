// What the MySQL conversation runs on: a byte stream that can be switched to TLS in the middle
// of the conversation, as the protocol does after the server's greeting. The conversation reads
// and writes the same way before and after; whether the bytes are encrypted is the transport's
// business.
#pragma once

#include <cstddef>
#include <string>

class ByteStream {
 public:
  virtual ~ByteStream() = default;
  virtual void Write(const std::string& bytes) = 0;
  // Exactly count bytes; raises EDatabaseError when the peer closes or does not answer in time.
  virtual void ReadExact(void* buffer, size_t count) = 0;
};

// A transport without TLS (a test's replayed conversation) keeps these defaults.
class Transport : public ByteStream {
 public:
  // Whether StartTls can encrypt this connection.
  virtual bool TlsAvailable() const { return false; }
  // Runs the TLS handshake over the connection; every later byte travels encrypted. Raises
  // EDatabaseError when the handshake fails or the peer does not answer with TLS.
  virtual void StartTls();
  virtual bool Encrypted() const { return false; }
};
