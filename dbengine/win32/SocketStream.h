#pragma once
// The MySQL conversation's byte stream over a TCP connection, with a time limit on connecting and
// on every wait for the server; failures become EDatabaseError naming the server.
#include <string>

#include "dbengine/MySqlClient.h"
#include "framework/win32/Socket.h"

class SocketStream : public ByteStream {
 public:
  // Connects; raises EDatabaseError when the host is unknown, refuses or does not answer.
  SocketStream(const std::string& host, unsigned short port, unsigned long timeoutMs);

  void Write(const std::string& bytes) override;
  void ReadExact(void* buffer, size_t count) override;

 private:
  [[noreturn]] void RaiseLost(int error) const;

  std::string host_;
  unsigned short port_;
  unsigned long timeoutMs_;
  Socket socket_;
};
