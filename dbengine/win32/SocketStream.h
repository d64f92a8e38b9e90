#pragma once
// The MySQL conversation's byte stream over a TCP connection. Every operation of the engine (an
// open, a statement) gets one deadline, and nothing the stream does outlasts it: not the host
// name lookup, not connecting, and not a server that answers one byte at a time. Failures
// become EDatabaseError naming the server.
#include <string>

#include "dbengine/Deadline.h"
#include "dbengine/MySqlClient.h"
#include "framework/win32/Socket.h"

class SocketStream : public ByteStream {
 public:
  // Looks the host up and connects within the deadline, which stays the stream's until
  // SetDeadline; raises EDatabaseError when the host is unknown, refuses or does not answer.
  SocketStream(const std::string& host, unsigned short port, const Deadline& deadline);

  // The limit of the next operation on the connection.
  void SetDeadline(const Deadline& deadline) { deadline_ = deadline; }

  void Write(const std::string& bytes) override;
  void ReadExact(void* buffer, size_t count) override;

 private:
  void Connect();
  // The time left for one wait; raises the timeout once the deadline has passed.
  unsigned long RemainingMs() const;
  size_t ArrivedBytes() const;
  std::string Describe(int error) const;
  void RaiseOnError(int error) const;
  [[noreturn]] void RaiseCannotConnect(const std::string& reason) const;

  std::string host_;
  unsigned short port_;
  Deadline deadline_;
  Socket socket_;
};
