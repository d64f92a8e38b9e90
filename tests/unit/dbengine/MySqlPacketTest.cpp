// Field encoding, framing and message parsing of the MySQL protocol: round trips, the exact
// bytes of what the client sends, and refusal of every short or inconsistent packet.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "dbengine/MySqlMessages.h"
#include "dbengine/MySqlPacket.h"
#include "framework/Exceptions.h"

namespace {

// A MariaDB 10.11 greeting: protocol 10, version, thread id, nonce parts, capabilities, latin1,
// plugin data length 21, reserved bytes and the plugin name.
std::string MariaDbGreeting(const std::string& plugin = "mysql_native_password") {
  PacketWriter writer;
  writer.Byte(10)
      .NulTerminatedString("5.5.5-10.11.6-MariaDB-0+deb12u1")
      .Int4(42)
      .Bytes("ABCDEFGH")
      .Byte(0)
      .Int2(0xF7FE)
      .Byte(8)
      .Int2(0x0002)
      .Int2(0x81BF)
      .Byte(21)
      .Zeros(6)
      .Int4(0x1D)
      .Bytes("IJKLMNOPQRST")
      .Byte(0)
      .NulTerminatedString(plugin);
  return writer.Payload();
}

}  // namespace

TEST(PacketFields, LengthEncodedIntegersRoundTripAtEveryWidth) {
  for (uint64_t value :
       {uint64_t{0}, uint64_t{250}, uint64_t{251}, uint64_t{0xFFFF}, uint64_t{0x10000},
        uint64_t{0xFFFFFF}, uint64_t{0x1000000}, uint64_t{0xFFFFFFFFFFFFFFFF}}) {
    PacketWriter writer;
    writer.LengthEncodedInt(value).LengthEncodedString("tail");
    PacketReader reader(writer.Payload());
    EXPECT_EQ(reader.LengthEncodedInt(), value);
    EXPECT_EQ(reader.LengthEncodedString(), "tail");
    EXPECT_TRUE(reader.AtEnd());
  }
  EXPECT_EQ(PacketWriter().LengthEncodedInt(251).Payload(), std::string("\xfc\xfb\x00", 3));
}

TEST(PacketFields, ShortOrInconsistentFieldsRaise) {
  const std::string cases[] = {std::string(""),
                               std::string("\xfc\x01", 2),
                               std::string("\xfe\x01\x02\x03", 4),
                               std::string("\xfb", 1),
                               std::string("\xff", 1),
                               std::string("\x05"
                                           "abc",
                                           4),
                               std::string("\xfd\xff\xff\xff"
                                           "x",
                                           5)};
  for (const std::string& bytes : cases) {
    PacketReader reader(bytes);
    EXPECT_THROW(reader.LengthEncodedString(), EDatabaseError) << bytes.size();
  }
  const std::string noTerminator = "abc";
  PacketReader reader(noTerminator);
  EXPECT_THROW(reader.NulTerminatedString(), EDatabaseError);
  EXPECT_THROW(reader.Int4(), EDatabaseError);
  EXPECT_EQ(reader.NulOrEndString(), "abc");
  EXPECT_THROW(reader.Byte(), EDatabaseError);
}

TEST(PacketFraming, HeaderAndSplittingOfLongPayloads) {
  uint8_t sequence = 7;
  EXPECT_EQ(FramePackets("\x0e", sequence), std::string("\x01\x00\x00\x07\x0e", 5));
  EXPECT_EQ(sequence, 8);

  // A payload of exactly the maximum length is followed by an empty packet.
  sequence = 0;
  const std::string framed = FramePackets(std::string(kMaxPacketPayload, 'x'), sequence);
  ASSERT_EQ(framed.size(), kMaxPacketPayload + 2 * kPacketHeaderSize);
  EXPECT_EQ(framed.substr(0, 4), std::string("\xff\xff\xff\x00", 4));
  EXPECT_EQ(framed.substr(framed.size() - 4), std::string("\x00\x00\x00\x01", 4));
  EXPECT_EQ(sequence, 2);

  const uint8_t header[kPacketHeaderSize] = {0x34, 0x12, 0x01, 0x09};
  const PacketHeader parsed = ParsePacketHeader(header);
  EXPECT_EQ(parsed.payloadLength, 0x011234u);
  EXPECT_EQ(parsed.sequence, 9);
}

TEST(Handshake, ParsesGreetingWithTwentyByteNonceAndPlugin) {
  const Handshake handshake = ParseHandshake(MariaDbGreeting());
  EXPECT_EQ(handshake.serverVersion, "5.5.5-10.11.6-MariaDB-0+deb12u1");
  EXPECT_EQ(handshake.connectionId, 42u);
  EXPECT_EQ(handshake.nonce, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(handshake.capabilities, 0x81BFF7FEu);
  EXPECT_EQ(handshake.characterSet, 8);
  EXPECT_EQ(handshake.authPluginName, "mysql_native_password");
}

TEST(Handshake, EveryTruncationOfTheGreetingIsRefusedOrShort) {
  const std::string greeting = MariaDbGreeting("caching_sha2_password");
  EXPECT_EQ(ParseHandshake(greeting).authPluginName, "caching_sha2_password");
  // Up to the capability flags the greeting is mandatory; later cuts must not read past the end.
  for (size_t length = 0; length < greeting.size(); ++length) {
    const std::string cut = greeting.substr(0, length);
    try {
      const Handshake handshake = ParseHandshake(cut);
      EXPECT_LE(handshake.nonce.size(), 20u);
    } catch (const EDatabaseError&) {
    }
  }
  std::string version9 = greeting;
  version9[0] = 9;
  EXPECT_THROW(ParseHandshake(version9), EDatabaseError);
}

TEST(HandshakeResponse, BytesOfProtocol41ResponseWithDatabaseAndPlugin) {
  HandshakeResponse response;
  response.capabilities = ClientFlag::Protocol41 | ClientFlag::SecureConnection |
                          ClientFlag::ConnectWithDb | ClientFlag::PluginAuth;
  response.maxPacketSize = 0x01000000;
  response.characterSet = 1;
  response.user = "root";
  response.authResponse = std::string("\x01\x00\x02", 3);
  response.database = "demo";
  response.authPluginName = "mysql_native_password";
  const std::string expected = std::string("\x08\x82\x08\x00\x00\x00\x00\x01\x01", 9) +
                               std::string(23, '\0') + std::string("root\0\x03\x01\x00\x02", 9) +
                               std::string("demo\0", 5) +
                               std::string("mysql_native_password\0", 22);
  EXPECT_EQ(BuildHandshakeResponse41(response), expected);

  response.capabilities &= ~(ClientFlag::ConnectWithDb | ClientFlag::PluginAuth);
  EXPECT_EQ(BuildHandshakeResponse41(response),
            std::string("\x00\x82\x00\x00", 4) + expected.substr(4, 5 + 23 + 9));
  response.authResponse.assign(256, 'x');
  EXPECT_THROW(BuildHandshakeResponse41(response), EDatabaseError);
}

TEST(ServerMessages, ErrOkAuthSwitchAndMoreData) {
  const ErrPacket err = ParseErrPacket(std::string("\xff\x15\x04#28000Access denied", 22));
  EXPECT_EQ(err.code, 1045);
  EXPECT_EQ(err.sqlState, "28000");
  EXPECT_EQ(err.message, "Access denied");
  // Before the protocol is agreed an error carries no SQL state.
  EXPECT_EQ(ParseErrPacket(std::string("\xff\x69\x04Too many", 11)).message, "Too many");
  EXPECT_THROW(ParseErrPacket(std::string("\xff\x15", 2)), EDatabaseError);

  const OkPacket ok = ParseOkPacket(std::string("\x00\x01\x00\x02\x00\x00\x00", 7));
  EXPECT_EQ(ok.affectedRows, 1u);
  EXPECT_EQ(ok.statusFlags, 2);
  EXPECT_THROW(ParseOkPacket(std::string("\x00\xfc\x01", 3)), EDatabaseError);

  const AuthSwitchRequest request =
      ParseAuthSwitchRequest(std::string("\xfemysql_native_password\0"
                                         "0123456789abcdefghij\0",
                                         44));
  EXPECT_EQ(request.pluginName, "mysql_native_password");
  EXPECT_EQ(request.pluginData, "0123456789abcdefghij");
  EXPECT_THROW(ParseAuthSwitchRequest(std::string("\x00", 1)), EDatabaseError);

  EXPECT_EQ(ParseAuthMoreData("\x01\x04"), "\x04");
  EXPECT_THROW(ParseAuthMoreData(""), EDatabaseError);
  EXPECT_TRUE(IsEofPacket(std::string("\xfe\x00\x00\x02\x00", 5)));
  EXPECT_FALSE(IsEofPacket(std::string("\xfe") + std::string(9, 'x')));
}

TEST(Commands, QueryAndQuitPayloads) {
  EXPECT_EQ(BuildComQuery("CREATE DATABASE IF NOT EXISTS `demo`"),
            "\x03"
            "CREATE DATABASE IF NOT EXISTS `demo`");
  EXPECT_EQ(BuildComQuit(), "\x01");
}
