#include "dbengine/win32/SocketStream.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <vector>

#include "framework/Exceptions.h"

namespace {

// A write of this size fits the socket's buffer at once, so each piece waits at most once.
constexpr size_t kSendPiece = 4096;

std::string Seconds(unsigned long timeoutMs) {
  return std::to_string((timeoutMs + 999) / 1000) + " s";
}

struct AddressList {
  addrinfo* first = nullptr;
  ~AddressList() {
    if (first) freeaddrinfo(first);
  }
};

// The host's addresses as numeric texts, which connect without another lookup; empty when the
// name is unknown. Runs on a thread of its own, as the name service may take any time.
std::vector<std::string> NumericAddresses(const std::string& host, unsigned short port) {
  addrinfo hints = {};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  AddressList addresses;
  std::vector<std::string> numeric;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &addresses.first) != 0)
    return numeric;
  for (const addrinfo* address = addresses.first; address; address = address->ai_next) {
    char text[NI_MAXHOST];
    if (getnameinfo(address->ai_addr, static_cast<socklen_t>(address->ai_addrlen), text,
                    sizeof text, nullptr, 0, NI_NUMERICHOST) == 0)
      numeric.push_back(text);
  }
  return numeric;
}

}  // namespace

SocketStream::SocketStream(const std::string& host, unsigned short port, const Deadline& deadline)
    : host_(host), port_(port), deadline_(deadline) {
  Connect();
}

void SocketStream::Connect() {
  if (!EnsureWinsockStarted()) RaiseCannotConnect(SocketErrorText(WSASYSNOTREADY));
  std::vector<std::string> addresses;
  // The lookup may outlive this stream, so it works on copies of its own.
  const std::string host = host_;
  const unsigned short port = port_;
  if (!ResultBefore<std::vector<std::string>>(
          deadline_, [host, port] { return NumericAddresses(host, port); }, addresses))
    RaiseCannotConnect("the host name was not resolved within " + Seconds(deadline_.LimitMs()));
  if (addresses.empty()) throw EDatabaseError("Unknown MySQL server host '" + host_ + "'");
  int error = WSAECONNREFUSED;
  for (const std::string& address : addresses) {
    error = socket_.Connect(address, port_, deadline_.RemainingMs());
    if (error == 0) return;
    if (deadline_.Passed()) error = WSAETIMEDOUT;
    if (error == WSAETIMEDOUT) break;
  }
  RaiseCannotConnect(Describe(error));
}

std::string SocketStream::Describe(int error) const {
  if (error == WSAETIMEDOUT) return "no answer within " + Seconds(deadline_.LimitMs());
  return SocketErrorText(error);
}

void SocketStream::RaiseCannotConnect(const std::string& reason) const {
  throw EDatabaseError("Can't connect to MySQL server on '" + host_ + "' (port " +
                       std::to_string(port_) + "): " + reason);
}

void SocketStream::RaiseOnError(int error) const {
  if (error == 0) return;
  throw EDatabaseError("Lost connection to MySQL server on '" + host_ + "' (port " +
                       std::to_string(port_) + "): " + Describe(error));
}

unsigned long SocketStream::RemainingMs() const {
  const unsigned long remaining = deadline_.RemainingMs();
  if (remaining == 0) RaiseOnError(WSAETIMEDOUT);
  return remaining;
}

size_t SocketStream::ArrivedBytes() const {
  u_long count = 0;
  if (ioctlsocket(socket_.Get(), FIONREAD, &count) != 0) return 0;
  return count;
}

void SocketStream::Write(const std::string& bytes) {
  for (size_t at = 0; at < bytes.size(); at += kSendPiece) {
    const size_t piece = std::min(kSendPiece, bytes.size() - at);
    RaiseOnError(socket_.SendAll(bytes.data() + at, piece, RemainingMs()));
  }
}

void SocketStream::ReadExact(void* buffer, size_t count) {
  char* bytes = static_cast<char*>(buffer);
  while (count > 0) {
    // What has arrived is taken without waiting; otherwise the wait is for one more byte, so that
    // no wait runs past the deadline however slowly the server sends.
    const size_t piece = std::min(count, std::max<size_t>(ArrivedBytes(), 1));
    RaiseOnError(socket_.ReceiveExact(bytes, piece, RemainingMs()));
    bytes += piece;
    count -= piece;
  }
}
