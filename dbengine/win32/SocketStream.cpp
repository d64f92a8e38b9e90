#include "dbengine/win32/SocketStream.h"

#include "framework/Exceptions.h"

namespace {

std::string Seconds(unsigned long timeoutMs) {
  return std::to_string((timeoutMs + 999) / 1000) + " s";
}

std::string Describe(int error, unsigned long timeoutMs) {
  if (error == WSAETIMEDOUT) return "no answer within " + Seconds(timeoutMs);
  return SocketErrorText(error);
}

}  // namespace

SocketStream::SocketStream(const std::string& host, unsigned short port, unsigned long timeoutMs)
    : host_(host), port_(port), timeoutMs_(timeoutMs) {
  const int error = socket_.Connect(host, port, timeoutMs);
  if (error == WSAHOST_NOT_FOUND) throw EDatabaseError("Unknown MySQL server host '" + host + "'");
  if (error != 0)
    throw EDatabaseError("Can't connect to MySQL server on '" + host + "' (port " +
                         std::to_string(port) + "): " + Describe(error, timeoutMs));
}

void SocketStream::RaiseLost(int error) const {
  throw EDatabaseError("Lost connection to MySQL server on '" + host_ + "' (port " +
                       std::to_string(port_) + "): " + Describe(error, timeoutMs_));
}

void SocketStream::Write(const std::string& bytes) {
  const int error = socket_.SendAll(bytes.data(), bytes.size(), timeoutMs_);
  if (error != 0) RaiseLost(error);
}

void SocketStream::ReadExact(void* buffer, size_t count) {
  const int error = socket_.ReceiveExact(buffer, count, timeoutMs_);
  if (error != 0) RaiseLost(error);
}
