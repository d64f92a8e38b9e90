#include "dbengine/win32/TlsStream.h"

#include <schannel.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dbengine/TlsRecord.h"
#include "framework/Exceptions.h"
#include "framework/win32/SystemError.h"

namespace {

constexpr ULONG kContextRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT |
                                  ISC_REQ_CONFIDENTIALITY | ISC_REQ_ALLOCATE_MEMORY |
                                  ISC_REQ_STREAM | ISC_REQ_MANUAL_CRED_VALIDATION;
// A server that asks for a client certificate gets none; asking again and again is no handshake.
constexpr int kMaxCertificateRequests = 2;
// Records wait here only while a handshake message spans several of them; a certificate chain
// is a few kilobytes, and a peer that goes on sending fragments is not handshaking.
constexpr size_t kMaxUnreadBytes = 1024 * 1024;

std::string StatusText(SECURITY_STATUS status) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
  const std::string text = SystemErrorText(static_cast<DWORD>(status));
  return text.rfind("error ", 0) == 0 ? std::string(code) : text + ", " + code;
}

[[noreturn]] void RaiseTlsError(const std::string& what, SECURITY_STATUS status) {
  throw EDatabaseError(what + " (" + StatusText(status) + ")");
}

SecBuffer Buffer(unsigned long type, void* data = nullptr, size_t size = 0) {
  SecBuffer buffer;
  buffer.BufferType = type;
  buffer.pvBuffer = data;
  buffer.cbBuffer = static_cast<unsigned long>(size);
  return buffer;
}

const SecurityFunctionTableA& Sspi() {
  try {
    return SspiFunctions();
  } catch (const Exception& error) {
    throw EDatabaseError("TLS is not available: " + error.Message());
  }
}

}  // namespace

TlsStream::TlsStream(ByteStream& raw, const std::string& host) : raw_(raw), host_(host) {
  AcquireCredentials();
  Handshake();
  CtxtHandle context = context_.Get();
  const SECURITY_STATUS status =
      Sspi().QueryContextAttributesA(&context, SECPKG_ATTR_STREAM_SIZES, &sizes_);
  if (status != SEC_E_OK || sizes_.cbMaximumMessage == 0)
    RaiseTlsError("The TLS connection to the MySQL server has no record sizes", status);
}

// TLS 1.3 where the system has it; a system that does not know the 1.3 flag gets 1.2 alone.
void TlsStream::AcquireCredentials() {
  SECURITY_STATUS status = SEC_E_UNSUPPORTED_FUNCTION;
  for (DWORD protocols : {SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT, SP_PROT_TLS1_2_CLIENT}) {
    SCHANNEL_CRED request = {};
    request.dwVersion = SCHANNEL_CRED_VERSION;
    request.grbitEnabledProtocols = protocols;
    request.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    CredHandle credentials;
    TimeStamp expiry;
    status = Sspi().AcquireCredentialsHandleA(nullptr, const_cast<char*>(UNISP_NAME_A),
                                              SECPKG_CRED_OUTBOUND, nullptr, &request, nullptr,
                                              nullptr, &credentials, &expiry);
    if (status == SEC_E_OK) {
      credentials_.Reset(credentials);
      return;
    }
  }
  RaiseTlsError("Cannot start TLS with the MySQL server", status);
}

void TlsStream::Handshake() {
  int certificateRequests = 0;
  for (;;) {
    const SECURITY_STATUS status = HandshakeStep();
    switch (status) {
      case SEC_E_OK:
        return;
      case SEC_I_CONTINUE_NEEDED:
        if (incoming_.empty()) ReceiveRecord();
        break;
      case SEC_E_INCOMPLETE_MESSAGE:
        ReceiveRecord();
        break;
      case SEC_I_INCOMPLETE_CREDENTIALS:
        if (++certificateRequests > kMaxCertificateRequests)
          RaiseTlsError("The TLS handshake with the MySQL server failed", status);
        break;
      default:
        RaiseTlsError("The TLS handshake with the MySQL server failed", status);
    }
  }
}

SECURITY_STATUS TlsStream::HandshakeStep() {
  SecBuffer input[2] = {Buffer(SECBUFFER_TOKEN, &incoming_[0], incoming_.size()),
                        Buffer(SECBUFFER_EMPTY)};
  SecBufferDesc inputDesc = {SECBUFFER_VERSION, 2, input};
  SecBuffer output[1] = {Buffer(SECBUFFER_TOKEN)};
  SecBufferDesc outputDesc = {SECBUFFER_VERSION, 1, output};
  const bool started = context_.IsOpen();
  CredHandle credentials = credentials_.Get();
  CtxtHandle current = context_.Get();
  CtxtHandle next = EmptySecHandle();
  ULONG attributes = 0;
  TimeStamp expiry;
  const SECURITY_STATUS status = Sspi().InitializeSecurityContextA(
      &credentials, started ? &current : nullptr, const_cast<char*>(host_.c_str()), kContextRequest,
      0, 0, started ? &inputDesc : nullptr, 0, &next, &outputDesc, &attributes, &expiry);
  const SspiBuffer token(output[0].pvBuffer);
  const bool going = status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED;
  if (!started && going) context_.Reset(next);
  if (!going) return status;
  if (token && output[0].cbBuffer > 0)
    raw_.Write(std::string(static_cast<const char*>(token.Get()), output[0].cbBuffer));
  KeepUnread(input[1].BufferType == SECBUFFER_EXTRA ? &input[1] : nullptr);
  return status;
}

void TlsStream::KeepUnread(const SecBuffer* extra) {
  if (extra && extra->cbBuffer <= incoming_.size())
    incoming_.erase(0, incoming_.size() - extra->cbBuffer);
  else
    incoming_.clear();
}

void TlsStream::ReceiveRecord() {
  uint8_t header[kTlsRecordHeaderSize];
  raw_.ReadExact(header, sizeof header);
  const size_t bodyLength = TlsRecordBodyLength(header);
  const size_t start = incoming_.size();
  if (start + sizeof header + bodyLength > kMaxUnreadBytes)
    throw EDatabaseError("The TLS handshake of the MySQL server does not end");
  incoming_.append(reinterpret_cast<const char*>(header), sizeof header);
  incoming_.resize(start + sizeof header + bodyLength);
  raw_.ReadExact(&incoming_[start + sizeof header], bodyLength);
}

void TlsStream::Write(const std::string& bytes) {
  for (size_t at = 0; at < bytes.size();) {
    const size_t piece = std::min<size_t>(sizes_.cbMaximumMessage, bytes.size() - at);
    std::string record(sizes_.cbHeader + piece + sizes_.cbTrailer, '\0');
    std::memcpy(&record[sizes_.cbHeader], bytes.data() + at, piece);
    SecBuffer buffers[4] = {
        Buffer(SECBUFFER_STREAM_HEADER, &record[0], sizes_.cbHeader),
        Buffer(SECBUFFER_DATA, &record[sizes_.cbHeader], piece),
        Buffer(SECBUFFER_STREAM_TRAILER, &record[sizes_.cbHeader + piece], sizes_.cbTrailer),
        Buffer(SECBUFFER_EMPTY)};
    SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
    CtxtHandle context = context_.Get();
    const SECURITY_STATUS status = Sspi().EncryptMessage(&context, 0, &desc, 0);
    if (status != SEC_E_OK) RaiseTlsError("Cannot encrypt for the MySQL server", status);
    // The trailer may come out shorter than its largest size.
    record.resize(buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
    raw_.Write(record);
    at += piece;
  }
}

void TlsStream::ReadExact(void* buffer, size_t count) {
  char* bytes = static_cast<char*>(buffer);
  while (count > 0) {
    if (plainRead_ == plain_.size()) DecryptNext();
    const size_t piece = std::min(count, plain_.size() - plainRead_);
    std::memcpy(bytes, plain_.data() + plainRead_, piece);
    plainRead_ += piece;
    bytes += piece;
    count -= piece;
  }
}

void TlsStream::DecryptNext() {
  plain_.clear();
  plainRead_ = 0;
  while (plain_.empty()) {
    if (incoming_.empty()) ReceiveRecord();
    SecBuffer buffers[4] = {Buffer(SECBUFFER_DATA, &incoming_[0], incoming_.size()),
                            Buffer(SECBUFFER_EMPTY), Buffer(SECBUFFER_EMPTY),
                            Buffer(SECBUFFER_EMPTY)};
    SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
    CtxtHandle context = context_.Get();
    const SECURITY_STATUS status = Sspi().DecryptMessage(&context, &desc, 0, nullptr);
    if (status == SEC_E_INCOMPLETE_MESSAGE) {
      ReceiveRecord();
      continue;
    }
    if (status == SEC_I_CONTEXT_EXPIRED)
      throw EDatabaseError("The MySQL server ended the TLS connection");
    if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE)
      RaiseTlsError("Cannot decrypt what the MySQL server sent", status);
    const SecBuffer* extra = nullptr;
    for (const SecBuffer& part : buffers) {
      if (part.BufferType == SECBUFFER_DATA)
        plain_.append(static_cast<const char*>(part.pvBuffer), part.cbBuffer);
      if (part.BufferType == SECBUFFER_EXTRA) extra = &part;
    }
    KeepUnread(extra);
    // TLS 1.3 sends handshake messages after the handshake (session tickets); Schannel takes
    // them through the handshake call.
    if (status == SEC_I_RENEGOTIATE) Handshake();
  }
}
