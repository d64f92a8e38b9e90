// The client's side of whole conversations, replayed from server packets: what it answers to
// each authentication path, in which packet sequence, and how it ends on errors.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "AuthVectors.h"
#include "ServerPackets.h"
#include "dbengine/AuthScramble.h"
#include "dbengine/MySqlClient.h"
#include "dbengine/MySqlMessages.h"
#include "dbengine/MySqlPacket.h"
#include "framework/Exceptions.h"

namespace {

// Plays the server's packets in order and records every packet the client writes.
class ReplayStream : public Transport {
 public:
  void ServerSends(const std::string& payload, uint8_t sequence) {
    pending_ += FramePackets(payload, sequence);
  }
  void Write(const std::string& bytes) override {
    for (size_t at = 0; at + kPacketHeaderSize <= bytes.size();) {
      uint8_t header[kPacketHeaderSize];
      std::memcpy(header, bytes.data() + at, sizeof header);
      const PacketHeader parsed = ParsePacketHeader(header);
      written.push_back({bytes.substr(at + 4, parsed.payloadLength), parsed.sequence});
      at += kPacketHeaderSize + parsed.payloadLength;
    }
  }
  void ReadExact(void* buffer, size_t count) override {
    if (count > pending_.size() - position_) throw EDatabaseError("Lost connection");
    std::memcpy(buffer, pending_.data() + position_, count);
    position_ += count;
  }

  struct Packet {
    std::string payload;
    uint8_t sequence;
  };
  std::vector<Packet> written;

 private:
  std::string pending_;
  size_t position_ = 0;
};

// A transport with TLS: what the client writes after StartTls counts as encrypted.
class TlsReplayStream : public ReplayStream {
 public:
  bool TlsAvailable() const override { return true; }
  void StartTls() override { packetsBeforeTls = written.size(); }
  bool Encrypted() const override { return packetsBeforeTls != kNotStarted; }

  static constexpr size_t kNotStarted = ~size_t(0);
  size_t packetsBeforeTls = kNotStarted;
};

HandshakeResponse ParseResponse(const std::string& payload) {
  PacketReader reader(payload);
  HandshakeResponse response;
  response.capabilities = reader.Int4();
  response.maxPacketSize = reader.Int4();
  response.characterSet = reader.Byte();
  reader.Skip(23);
  response.user = reader.NulTerminatedString();
  response.authResponse = reader.Bytes(reader.Byte());
  if (response.capabilities & ClientFlag::ConnectWithDb)
    response.database = reader.NulTerminatedString();
  response.authPluginName = reader.NulTerminatedString();
  return response;
}

const ScrambleVector& Vector() {
  return kScrambleVectors[2];
}  // a password with Big5 bytes

ConnectionCredentials Credentials() {
  return {"root", Vector().password, "demo", "big5"};
}

}  // namespace

TEST(MySqlClient, CachingSha2FastPathSendsScrambleAndDatabase) {
  ReplayStream stream;
  stream.ServerSends(Greeting("caching_sha2_password"), 0);
  stream.ServerSends("\x01\x03", 2);
  stream.ServerSends(kOk, 3);
  MySqlClient client(stream, nullptr);
  client.Connect(Credentials());

  ASSERT_EQ(stream.written.size(), 1u);
  EXPECT_EQ(stream.written[0].sequence, 1);
  const HandshakeResponse response = ParseResponse(stream.written[0].payload);
  EXPECT_EQ(response.user, "root");
  EXPECT_EQ(response.database, "demo");
  EXPECT_EQ(response.characterSet, 1);  // big5_chinese_ci
  EXPECT_EQ(response.authPluginName, "caching_sha2_password");
  EXPECT_EQ(response.authResponse, Vector().cachingSha2);
  EXPECT_EQ(client.ServerVersion(), "8.0.36");
}

TEST(MySqlClient, CachingSha2FullAuthenticationEncryptsXoredPasswordWithServerKey) {
  ReplayStream stream;
  stream.ServerSends(Greeting("caching_sha2_password"), 0);
  stream.ServerSends("\x01\x04", 2);
  stream.ServerSends(std::string("\x01") + kRsaPublicKeyPem, 4);
  stream.ServerSends(kOk, 6);
  std::string keySeen, plainSeen;
  MySqlClient client(stream, [&](const std::string& key, const std::string& plain) {
    keySeen = key, plainSeen = plain;
    return std::string(256, '\x5a');
  });
  client.Connect(Credentials());

  ASSERT_EQ(stream.written.size(), 3u);
  EXPECT_EQ(stream.written[1].payload, "\x02");
  EXPECT_EQ(stream.written[1].sequence, 3);
  EXPECT_EQ(keySeen, kRsaPublicKeyPem);
  EXPECT_EQ(plainSeen, Vector().fullAuthPlain);
  EXPECT_EQ(stream.written[2].payload, std::string(256, '\x5a'));
  EXPECT_EQ(stream.written[2].sequence, 5);
}

// Over TLS the login follows the SSL request, and full authentication sends the password itself
// inside TLS: no key is asked for and nothing is RSA-encrypted. A server that does not offer TLS
// gets no SSL request, and a transport without TLS sends none either.
TEST(MySqlClient, TlsOfferedCarriesTheLoginAndThePasswordInsideTls) {
  TlsReplayStream stream;
  stream.ServerSends(Greeting("caching_sha2_password", true), 0);
  stream.ServerSends("\x01\x04", 3);
  stream.ServerSends(kOk, 5);
  MySqlClient client(stream, [](const std::string&, const std::string&) -> std::string {
    throw EDatabaseError("no RSA inside TLS");
  });
  client.Connect(Credentials());

  ASSERT_EQ(stream.written.size(), 3u);
  EXPECT_EQ(stream.packetsBeforeTls, 1u);
  EXPECT_EQ(stream.written[0].payload.size(), 32u);
  EXPECT_EQ(stream.written[0].sequence, 1);
  const HandshakeResponse login = ParseResponse(stream.written[1].payload);
  EXPECT_EQ(stream.written[0].payload, stream.written[1].payload.substr(0, 32));
  EXPECT_TRUE(login.capabilities & ClientFlag::Ssl);
  EXPECT_EQ(stream.written[1].sequence, 2);
  EXPECT_EQ(stream.written[2].payload, Vector().password + '\0');
  EXPECT_EQ(stream.written[2].sequence, 4);

  for (const bool serverOffers : {false, true}) {
    TlsReplayStream withTls;
    ReplayStream withoutTls;
    ReplayStream& plain = serverOffers ? withoutTls : withTls;
    plain.ServerSends(Greeting("mysql_native_password", serverOffers), 0);
    plain.ServerSends(kOk, 2);
    MySqlClient(plain, nullptr).Connect(Credentials());
    ASSERT_EQ(plain.written.size(), 1u);
    EXPECT_FALSE(ParseResponse(plain.written[0].payload).capabilities & ClientFlag::Ssl);
    EXPECT_EQ(withTls.packetsBeforeTls, TlsReplayStream::kNotStarted);
  }
}

TEST(MySqlClient, AuthenticationSwitchAnswersWithNewNonce) {
  ReplayStream stream;
  stream.ServerSends(Greeting("caching_sha2_password"), 0);
  stream.ServerSends(std::string("\xfemysql_native_password\0", 23) + kVectorNonce + '\0', 2);
  stream.ServerSends(kOk, 4);
  MySqlClient client(stream, nullptr);
  client.Connect(Credentials());
  ASSERT_EQ(stream.written.size(), 2u);
  EXPECT_EQ(stream.written[1].payload, Vector().native);
  EXPECT_EQ(stream.written[1].sequence, 3);
}

TEST(MySqlClient, ServerErrorsCarryTheServersMessage) {
  ReplayStream refused;
  refused.ServerSends(Greeting("mysql_native_password"), 0);
  refused.ServerSends(std::string("\xff\x15\x04#28000Access denied for user 'root'", 38), 2);
  MySqlClient client(refused, nullptr);
  try {
    client.Connect(Credentials());
    FAIL() << "no error";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Access denied for user 'root'");
  }

  ReplayStream blocked;  // a server refusing the host sends an error instead of a greeting
  blocked.ServerSends(std::string("\xff\x69\x04Host is blocked", 18), 0);
  MySqlClient blockedClient(blocked, nullptr);
  EXPECT_THROW(blockedClient.Connect(Credentials()), EDatabaseError);
}

TEST(MySqlClient, UnexpectedPacketsEndTheConversation) {
  const std::string cases[] = {std::string("\x01\x07", 2), std::string("\x01", 1),
                               std::string("\xfe", 1), std::string("\x42", 1)};
  for (const std::string& reply : cases) {
    ReplayStream stream;
    stream.ServerSends(Greeting("caching_sha2_password"), 0);
    stream.ServerSends(reply, 2);
    MySqlClient client(stream, nullptr);
    EXPECT_THROW(client.Connect(Credentials()), EDatabaseError) << int(uint8_t(reply[0]));
  }
  ReplayStream outOfOrder;
  outOfOrder.ServerSends(Greeting("mysql_native_password"), 0);
  outOfOrder.ServerSends(kOk, 5);
  MySqlClient client(outOfOrder, nullptr);
  EXPECT_THROW(client.Connect(Credentials()), EDatabaseError);
}

TEST(MySqlClient, ExecuteReadsResultSetsToTheEndAndReportsErrors) {
  ReplayStream stream;
  stream.ServerSends(Greeting("mysql_native_password"), 0);
  stream.ServerSends(kOk, 2);
  // A one-column result: count, definition, EOF, two rows, EOF; then an OK for the next command.
  stream.ServerSends("\x01", 1);
  stream.ServerSends("column-definition", 2);
  stream.ServerSends(std::string("\xfe\x00\x00\x02\x00", 5), 3);
  stream.ServerSends(
      "\x01"
      "a",
      4);
  stream.ServerSends(
      "\x01"
      "b",
      5);
  stream.ServerSends(std::string("\xfe\x00\x00\x02\x00", 5), 6);
  stream.ServerSends(kOk, 1);
  stream.ServerSends(std::string("\xff\x28\x04#HY000Can't create database", 30), 1);
  MySqlClient client(stream, nullptr);
  client.Connect({"root", "", "", ""});
  client.Execute("SELECT 1");
  client.Execute("CREATE DATABASE IF NOT EXISTS `x`");
  EXPECT_EQ(stream.written[2].payload,
            "\x03"
            "CREATE DATABASE IF NOT EXISTS `x`");
  EXPECT_EQ(stream.written[2].sequence, 0);
  try {
    client.Execute("CREATE DATABASE `x`");
    FAIL() << "no error";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Can't create database");
  }
}

TEST(MySqlClient, UnknownCharsetIsSetByNameAndUnsafeNamesAreRefused) {
  ReplayStream stream;
  stream.ServerSends(Greeting("mysql_native_password"), 0);
  stream.ServerSends(kOk, 2);
  stream.ServerSends(kOk, 1);
  MySqlClient client(stream, nullptr);
  client.Connect({"root", "", "", "koi8r"});
  EXPECT_EQ(ParseResponse(stream.written[0].payload).characterSet, 8);
  EXPECT_EQ(stream.written[1].payload, "\x03SET NAMES koi8r");

  ReplayStream unsafe;
  unsafe.ServerSends(Greeting("mysql_native_password"), 0);
  unsafe.ServerSends(kOk, 2);
  MySqlClient unsafeClient(unsafe, nullptr);
  EXPECT_THROW(unsafeClient.Connect({"root", "", "", "x; DROP DATABASE y"}), EDatabaseError);
  EXPECT_EQ(unsafe.written.size(), 1u);
}

TEST(MySqlClient, HealthTellsWhetherAnotherCommandCanFollow) {
  ReplayStream stream;
  stream.ServerSends(Greeting("mysql_native_password"), 0);
  stream.ServerSends(kOk, 2);
  stream.ServerSends(std::string("\xff\x28\x04#HY000refused", 16), 1);
  stream.ServerSends("\x01", 1);  // a result set cut short by the end of the stream
  MySqlClient client(stream, nullptr);
  EXPECT_FALSE(client.Healthy());
  client.Connect({"root", "", "", ""});
  EXPECT_TRUE(client.Healthy());
  EXPECT_THROW(client.Execute("CREATE DATABASE `x`"), EDatabaseError);
  EXPECT_TRUE(client.Healthy());
  EXPECT_THROW(client.Execute("SELECT 1"), EDatabaseError);
  EXPECT_FALSE(client.Healthy());
}

TEST(MySqlClient, AuthenticationEndsAfterTheRoundsARealServerNeeds) {
  // The longest real exchange: a switch to caching_sha2_password, its full authentication, OK.
  ReplayStream longest;
  longest.ServerSends(Greeting("mysql_native_password"), 0);
  longest.ServerSends(std::string("\xfe"
                                  "caching_sha2_password\0",
                                  23) +
                          kVectorNonce + '\0',
                      2);
  longest.ServerSends("\x01\x04", 4);
  longest.ServerSends(std::string("\x01") + kRsaPublicKeyPem, 6);
  longest.ServerSends(kOk, 8);
  MySqlClient client(longest, [](const std::string&, const std::string& plain) { return plain; });
  client.Connect(Credentials());
  EXPECT_TRUE(client.Healthy());

  // A server repeating "fast authentication succeeded" is not listened to for ever.
  ReplayStream looping;
  looping.ServerSends(Greeting("caching_sha2_password"), 0);
  for (uint8_t sequence = 2; sequence < 200; ++sequence) looping.ServerSends("\x01\x03", sequence);
  MySqlClient loopingClient(looping, nullptr);
  try {
    loopingClient.Connect(Credentials());
    FAIL() << "authentication never ended";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "The MySQL server did not end authentication after 3 rounds");
  }
}
