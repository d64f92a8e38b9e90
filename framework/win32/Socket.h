#pragma once
// Owns one Winsock socket and closes it when it goes away. Every operation has a time limit, so
// that a peer that never answers cannot block the caller for ever. Nothing here raises: the
// result is 0 or a Winsock error code (WSAETIMEDOUT when the time ran out, WSAECONNRESET when
// the peer closed the connection), turned into a message by the caller.
#include <winsock2.h>

#include <cstddef>
#include <string>

#include "framework/win32/OwnedHandle.h"

// Winsock must be started once per process before the first socket; the first Socket does it.
bool EnsureWinsockStarted();

struct SocketTraits {
  using Handle = SOCKET;
  static SOCKET Empty() { return INVALID_SOCKET; }
  static void Close(SOCKET socket) { closesocket(socket); }
};

class Socket : public OwnedHandle<SocketTraits> {
 public:
  using OwnedHandle::OwnedHandle;

  // Resolves host (a name or a dotted address) and connects to the first address that accepts
  // within timeoutMs in all. WSAHOST_NOT_FOUND when the name is unknown.
  int Connect(const std::string& host, unsigned short port, unsigned long timeoutMs);
  int SendAll(const void* data, size_t size, unsigned long timeoutMs);
  // Exactly size bytes, each wait for more limited to timeoutMs.
  int ReceiveExact(void* data, size_t size, unsigned long timeoutMs);

 private:
  int ConnectTo(const sockaddr* address, int addressLength, unsigned long timeoutMs);
};

// A short English description of a Winsock error code.
std::string SocketErrorText(int code);
