#pragma once
// TLS over the connection to the server, through Windows' own Schannel: the handshake, then
// every byte written goes out in encrypted records and every byte read comes from decrypted
// ones. TLS 1.2 and 1.3 as the system offers them; the server's certificate is not checked, as
// MySQL clients do not by default. The underlying stream reads whole records, so its deadline
// bounds the handshake as it bounds everything else, and a peer that answers with something
// other than TLS is told so at once.
#include <windows.h>
// After windows.h, which it builds on.
#define SECURITY_WIN32
#include <security.h>

#include <string>

#include "dbengine/Transport.h"
#include "framework/win32/SspiHandles.h"

class TlsStream : public ByteStream {
 public:
  // Runs the handshake over raw, which carries the records from then on; raises EDatabaseError
  // when Schannel is not there, the handshake fails or the peer stops answering.
  TlsStream(ByteStream& raw, const std::string& host);

  void Write(const std::string& bytes) override;
  void ReadExact(void* buffer, size_t count) override;

 private:
  void AcquireCredentials();
  void Handshake();
  // One round of the handshake: what Schannel answers the records received so far.
  SECURITY_STATUS HandshakeStep();
  // Appends one whole record of the peer to what is waiting to be read.
  void ReceiveRecord();
  // Fills plain_ with the next decrypted bytes.
  void DecryptNext();
  // What Schannel left unread of incoming_ (a SECBUFFER_EXTRA), or nothing.
  void KeepUnread(const SecBuffer* extra);

  ByteStream& raw_;
  std::string host_;
  SspiCredentials credentials_;
  SspiContext context_;
  SecPkgContext_StreamSizes sizes_ = {};
  std::string incoming_;  // received from the peer, not yet decrypted
  std::string plain_;     // decrypted, not yet read
  size_t plainRead_ = 0;
};
