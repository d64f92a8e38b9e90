#include "dbengine/MySqlClient.h"

#include <algorithm>

#include "dbengine/AuthScramble.h"
#include "dbengine/MySqlMessages.h"
#include "dbengine/MySqlPacket.h"
#include "framework/Exceptions.h"
#include "framework/TextCompare.h"

namespace {

const char* const kNativePassword = "mysql_native_password";
const char* const kCachingSha2Password = "caching_sha2_password";
constexpr uint8_t kLatin1 = 8;
constexpr uint16_t kMoreResultsExist = 0x0008;
constexpr uint8_t kNullColumn = 0xFB;
// Larger answers than this are refused rather than buffered: the engine reads no data.
constexpr size_t kMaxReply = 64 * 1024 * 1024;
// A server ends authentication after at most a method switch, one caching_sha2_password status
// and the final OK or error; one that goes on is keeping the client busy, not authenticating.
constexpr int kMaxAuthenticationRounds = 3;

struct CharsetCollation {
  const char* name;
  uint8_t collation;
};

// The default collation of each character set a Chinese workstation is likely to name.
constexpr CharsetCollation kCharsets[] = {
    {"big5", 1},   {"latin1", 8},   {"ascii", 11},   {"gb2312", 24}, {"gbk", 28},
    {"utf8", 33},  {"utf8mb3", 33}, {"utf8mb4", 45}, {"cp1250", 26}, {"cp1251", 51},
    {"cp1252", 8}, {"binary", 63},  {"sjis", 13},    {"ujis", 12},   {"euckr", 19},
    {"cp932", 95}, {"latin2", 9},   {"greek", 25},   {"hebrew", 16}, {"tis620", 18}};

bool IsSafeCharsetName(const std::string& name) {
  if (name.empty() || name.size() > 32) return false;
  for (char c : name)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
      return false;
  return true;
}

uint8_t Header(const std::string& payload) {
  return payload.empty() ? 0 : static_cast<uint8_t>(payload[0]);
}

}  // namespace

uint8_t CollationForCharset(const std::string& charset) {
  for (const CharsetCollation& entry : kCharsets)
    if (SameText(charset, entry.name)) return entry.collation;
  return 0;
}

// Grows the buffer only as bytes arrive, so that a length the server announces but never sends
// costs no memory.
void MySqlClient::ReadAppending(std::string& payload, size_t count) {
  constexpr size_t kChunk = 64 * 1024;
  while (count > 0) {
    const size_t piece = std::min(count, kChunk);
    const size_t start = payload.size();
    payload.resize(start + piece);
    stream_.ReadExact(&payload[start], piece);
    count -= piece;
  }
}

std::string MySqlClient::ReadPacket() {
  std::string payload;
  for (;;) {
    uint8_t header[kPacketHeaderSize];
    stream_.ReadExact(header, sizeof header);
    const PacketHeader parsed = ParsePacketHeader(header);
    if (parsed.sequence != sequence_)
      throw EDatabaseError("Packets out of order from the MySQL server");
    ++sequence_;
    if (payload.size() + parsed.payloadLength > kMaxReply)
      throw EDatabaseError("Answer of the MySQL server too large");
    ReadAppending(payload, parsed.payloadLength);
    if (parsed.payloadLength < kMaxPacketPayload) return payload;
  }
}

void MySqlClient::WritePacket(const std::string& payload) {
  stream_.Write(FramePackets(payload, sequence_));
}

void MySqlClient::RaiseServerError(const std::string& payload) {
  const ErrPacket err = ParseErrPacket(payload);
  throw EDatabaseError(err.message.empty() ? "MySQL server error " + std::to_string(err.code)
                                           : err.message);
}

std::string MySqlClient::AuthResponse(const std::string& plugin, const std::string& password) {
  if (plugin == kNativePassword) return NativePasswordScramble(password, nonce_);
  if (plugin == kCachingSha2Password) return CachingSha2Scramble(password, nonce_);
  throw EDatabaseError("Authentication method '" + plugin + "' is not supported");
}

void MySqlClient::Connect(const ConnectionCredentials& credentials) {
  healthy_ = false;
  sequence_ = 0;
  const std::string greeting = ReadPacket();
  if (Header(greeting) == kErrHeader) RaiseServerError(greeting);
  const Handshake handshake = ParseHandshake(greeting);
  const uint32_t required = ClientFlag::Protocol41 | ClientFlag::SecureConnection;
  if ((handshake.capabilities & required) != required)
    throw EDatabaseError("MySQL server " + handshake.serverVersion + " is too old");
  serverVersion_ = handshake.serverVersion;
  nonce_ = handshake.nonce;

  // An unknown first method is answered with the native one; the server then switches.
  std::string plugin = handshake.authPluginName;
  if (plugin != kNativePassword && plugin != kCachingSha2Password) plugin = kNativePassword;

  const uint8_t collation = CollationForCharset(credentials.charset);
  HandshakeResponse response;
  response.capabilities =
      (ClientFlag::LongPassword | ClientFlag::LongFlag | ClientFlag::Protocol41 |
       ClientFlag::Transactions | ClientFlag::SecureConnection | ClientFlag::MultiResults |
       ClientFlag::PluginAuth) &
      (handshake.capabilities | required);
  if (!credentials.database.empty() && (handshake.capabilities & ClientFlag::ConnectWithDb))
    response.capabilities |= ClientFlag::ConnectWithDb;
  response.characterSet = collation != 0 ? collation : kLatin1;
  if ((handshake.capabilities & ClientFlag::Ssl) && stream_.TlsAvailable()) StartTls(response);
  response.user = credentials.user;
  response.authResponse = AuthResponse(plugin, credentials.password);
  response.database = credentials.database;
  response.authPluginName = plugin;
  WritePacket(BuildHandshakeResponse41(response));
  FinishAuthentication(plugin, credentials.password);

  if (collation == 0 && !credentials.charset.empty()) {
    if (!IsSafeCharsetName(credentials.charset))
      throw EDatabaseError("Invalid character set name '" + credentials.charset + "'");
    Execute("SET NAMES " + credentials.charset);
  }
  healthy_ = true;
}

// The SSL request carries the same flags as the login that follows it inside TLS.
void MySqlClient::StartTls(HandshakeResponse& response) {
  response.capabilities |= ClientFlag::Ssl;
  WritePacket(BuildSslRequest(response));
  stream_.StartTls();
}

void MySqlClient::FinishAuthentication(std::string plugin, const std::string& password) {
  for (int round = 1;; ++round) {
    if (round > kMaxAuthenticationRounds)
      throw EDatabaseError("The MySQL server did not end authentication after " +
                           std::to_string(kMaxAuthenticationRounds) + " rounds");
    const std::string reply = ReadPacket();
    switch (Header(reply)) {
      case kOkHeader:
        return;
      case kErrHeader:
        RaiseServerError(reply);
      case kEofHeader: {
        const AuthSwitchRequest request = ParseAuthSwitchRequest(reply);
        plugin = request.pluginName;
        nonce_ = request.pluginData;
        WritePacket(AuthResponse(plugin, password));
        break;
      }
      case kAuthMoreDataHeader: {
        const std::string data = ParseAuthMoreData(reply);
        if (plugin != kCachingSha2Password || data.size() != 1)
          throw EDatabaseError("Unexpected authentication data from the MySQL server");
        if (static_cast<uint8_t>(data[0]) == kPerformFullAuthentication)
          FullAuthentication(password);
        else if (static_cast<uint8_t>(data[0]) != kFastAuthSuccess)
          throw EDatabaseError("Unexpected authentication data from the MySQL server");
        break;
      }
      default:
        throw EDatabaseError("Unexpected answer of the MySQL server during authentication");
    }
  }
}

void MySqlClient::FullAuthentication(const std::string& password) {
  // Inside TLS the password goes as it is; without TLS it travels RSA-encrypted with the key the
  // server hands out, which keeps it from a listener but not from a server that is not the one
  // it claims to be.
  if (stream_.Encrypted()) {
    WritePacket(password + '\0');
    return;
  }
  WritePacket(std::string(1, static_cast<char>(kRequestPublicKey)));
  const std::string reply = ReadPacket();
  if (Header(reply) == kErrHeader) RaiseServerError(reply);
  const std::string publicKey = ParseAuthMoreData(reply);
  if (!rsa_) throw EDatabaseError("RSA encryption is not available");
  WritePacket(rsa_(publicKey, CachingSha2FullAuthPlaintext(password, nonce_)));
}

void MySqlClient::Execute(const std::string& statement) {
  RunStatement(statement, nullptr);
}

std::string MySqlClient::QueryValue(const std::string& statement) {
  std::string value;
  RunStatement(statement, &value);
  return value;
}

// firstValue, unless null, receives the first column of the first row of the first result.
void MySqlClient::RunStatement(const std::string& statement, std::string* firstValue) {
  // Until the whole answer is read, a failure leaves the conversation out of step.
  healthy_ = false;
  StartCommand();
  WritePacket(BuildComQuery(statement));
  // Every result is read, so that the connection is ready for the next command.
  for (;; firstValue = nullptr) {
    const std::string reply = ReadPacket();
    if (Header(reply) == kErrHeader) RaiseCommandError(reply);
    const uint16_t status = Header(reply) == kOkHeader ? ParseOkPacket(reply).statusFlags
                                                       : SkipResultSet(reply, firstValue);
    if (!(status & kMoreResultsExist)) break;
  }
  healthy_ = true;
}

void MySqlClient::RaiseCommandError(const std::string& payload) {
  healthy_ = true;  // the error packet ends the answer
  RaiseServerError(payload);
}

// firstValue, unless null, receives the first column of the first row ("" for NULL or no row).
uint16_t MySqlClient::SkipResultSet(const std::string& firstPacket, std::string* firstValue) {
  PacketReader(firstPacket).LengthEncodedInt();  // column count; a 0xFB/0xFF start is malformed
  // Column definitions up to their EOF, then rows up to the final EOF, whose status is returned.
  std::string packet;
  for (int part = 0; part < 2; ++part) {
    for (;;) {
      packet = ReadPacket();
      if (Header(packet) == kErrHeader) RaiseCommandError(packet);
      if (IsEofPacket(packet)) break;
      if (part == 1 && firstValue) {
        if (Header(packet) != kNullColumn) *firstValue = PacketReader(packet).LengthEncodedString();
        firstValue = nullptr;
      }
    }
  }
  PacketReader reader(packet);
  reader.Skip(1);
  if (reader.Remaining() < 4) return 0;
  reader.Int2();  // warnings
  return reader.Int2();
}

void MySqlClient::Quit() {
  StartCommand();
  healthy_ = false;
  WritePacket(BuildComQuit());
}
