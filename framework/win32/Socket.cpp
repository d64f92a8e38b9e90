#include "framework/win32/Socket.h"

#include <ws2tcpip.h>

#include <string>

namespace {

// select() waits at most this long; -1 for an error, 0 for a timeout, 1 when ready.
int WaitFor(SOCKET socket, bool forWriting, unsigned long timeoutMs) {
  fd_set ready, failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(socket, &ready);
  FD_SET(socket, &failed);
  timeval limit;
  limit.tv_sec = static_cast<long>(timeoutMs / 1000);
  limit.tv_usec = static_cast<long>((timeoutMs % 1000) * 1000);
  const int result =
      select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed, &limit);
  if (result == SOCKET_ERROR) return -1;
  return result == 0 ? 0 : 1;
}

struct AddressList {
  addrinfo* first = nullptr;
  ~AddressList() {
    if (first) freeaddrinfo(first);
  }
};

}  // namespace

bool EnsureWinsockStarted() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

int Socket::Connect(const std::string& host, unsigned short port, unsigned long timeoutMs) {
  Close();
  if (!EnsureWinsockStarted()) return WSASYSNOTREADY;
  addrinfo hints = {};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  AddressList addresses;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &addresses.first) != 0 ||
      !addresses.first)
    return WSAHOST_NOT_FOUND;
  const DWORD start = GetTickCount();
  int error = WSAECONNREFUSED;
  for (const addrinfo* address = addresses.first; address; address = address->ai_next) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= timeoutMs) return WSAETIMEDOUT;
    *this = Socket(socket(address->ai_family, address->ai_socktype, address->ai_protocol));
    if (!IsOpen()) {
      error = WSAGetLastError();
      continue;
    }
    error = ConnectTo(address->ai_addr, static_cast<int>(address->ai_addrlen), timeoutMs - spent);
    if (error == 0) return 0;
    Close();
  }
  return error;
}

int Socket::ConnectTo(const sockaddr* address, int addressLength, unsigned long timeoutMs) {
  u_long nonBlocking = 1;
  if (ioctlsocket(Get(), FIONBIO, &nonBlocking) != 0) return WSAGetLastError();
  if (connect(Get(), address, addressLength) == 0) return 0;
  const int error = WSAGetLastError();
  if (error != WSAEWOULDBLOCK) return error;
  const int ready = WaitFor(Get(), true, timeoutMs);
  if (ready < 0) return WSAGetLastError();
  if (ready == 0) return WSAETIMEDOUT;
  int socketError = 0;
  int length = sizeof socketError;
  if (getsockopt(Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&socketError), &length) != 0)
    return WSAGetLastError();
  return socketError;
}

namespace {

// Moves size bytes in pieces, waiting at most timeoutMs for each; transfer(bytes, piece) is one
// send or recv. A peer that closes the connection gives WSAECONNRESET.
template <typename Transfer>
int TransferAll(SOCKET socket, bool forWriting, char* bytes, size_t size, unsigned long timeoutMs,
                Transfer transfer) {
  while (size > 0) {
    const int ready = WaitFor(socket, forWriting, timeoutMs);
    if (ready < 0) return WSAGetLastError();
    if (ready == 0) return WSAETIMEDOUT;
    const int done = transfer(bytes, static_cast<int>(size < 65536 ? size : 65536));
    if (done == 0) return WSAECONNRESET;
    if (done == SOCKET_ERROR) {
      const int error = WSAGetLastError();
      if (error == WSAEWOULDBLOCK) continue;
      return error;
    }
    bytes += done;
    size -= static_cast<size_t>(done);
  }
  return 0;
}

}  // namespace

int Socket::SendAll(const void* data, size_t size, unsigned long timeoutMs) {
  char* bytes = const_cast<char*>(static_cast<const char*>(data));
  return TransferAll(Get(), true, bytes, size, timeoutMs,
                     [this](char* piece, int length) { return send(Get(), piece, length, 0); });
}

int Socket::ReceiveExact(void* data, size_t size, unsigned long timeoutMs) {
  return TransferAll(Get(), false, static_cast<char*>(data), size, timeoutMs,
                     [this](char* piece, int length) { return recv(Get(), piece, length, 0); });
}

std::string SocketErrorText(int code) {
  switch (code) {
    case WSAHOST_NOT_FOUND:
    case WSANO_DATA:
      return "unknown host";
    case WSAECONNREFUSED:
      return "connection refused";
    case WSAETIMEDOUT:
      return "no answer in time";
    case WSAECONNRESET:
    case WSAECONNABORTED:
      return "connection closed by the server";
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
      return "host unreachable";
    default:
      return "network error " + std::to_string(code);
  }
}
