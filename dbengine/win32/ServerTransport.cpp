#include "dbengine/win32/ServerTransport.h"

#include "dbengine/win32/TlsStream.h"

ServerTransport::ServerTransport(const std::string& host, unsigned short port,
                                 const Deadline& deadline)
    : host_(host), socket_(host, port, deadline) {}

ServerTransport::~ServerTransport() = default;

ByteStream& ServerTransport::Current() {
  if (tls_) return *tls_;
  return socket_;
}

void ServerTransport::Write(const std::string& bytes) {
  Current().Write(bytes);
}

void ServerTransport::ReadExact(void* buffer, size_t count) {
  Current().ReadExact(buffer, count);
}

void ServerTransport::StartTls() {
  tls_ = std::make_unique<TlsStream>(socket_, host_);
}
