// The RSA step of caching_sha2_password: what the engine encrypts with CryptoAPI must decrypt,
// with the private half of an openssl-made key pair, to the XORed password of the independently
// computed vectors.
#include <gtest/gtest.h>
#include <winsock2.h>
// After winsock2.h, which must come before it.
#include <windows.h>
// After windows.h, which it builds on.
#include <wincrypt.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "../AuthVectors.h"
#include "../ServerPackets.h"
#include "DataSourceFixture.h"
#include "dbengine/AuthScramble.h"
#include "dbengine/MySqlPacket.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/RsaOaep.h"
#include "framework/Exceptions.h"
#include "framework/win32/CryptHandles.h"
#include "framework/win32/Socket.h"

namespace {

// Decrypts big-endian RSA-OAEP ciphertext with the test's private key.
std::string DecryptWithTestKey(const std::string& cipher) {
  DWORD derSize = 0;
  const std::string pem = kRsaPrivateKeyPem;
  EXPECT_TRUE(CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, nullptr, &derSize,
                                   nullptr, nullptr));
  std::vector<BYTE> der(derSize);
  EXPECT_TRUE(CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, der.data(), &derSize,
                                   nullptr, nullptr));
  BYTE* decoded = nullptr;
  DWORD blobSize = 0;
  EXPECT_TRUE(CryptDecodeObjectEx(X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, PKCS_RSA_PRIVATE_KEY,
                                  der.data(), derSize, CRYPT_DECODE_ALLOC_FLAG, nullptr, &decoded,
                                  &blobSize));
  const LocalMemory<BYTE> blob(decoded);
  const CryptProvider provider = AcquireVerifyContext();
  EXPECT_TRUE(provider.IsOpen());
  HCRYPTKEY imported = 0;
  EXPECT_TRUE(CryptImportKey(provider.Get(), blob.Get(), blobSize, 0, 0, &imported));
  const CryptKey key(imported);
  std::vector<BYTE> buffer(cipher.rbegin(), cipher.rend());  // CryptoAPI reads little-endian
  DWORD length = static_cast<DWORD>(buffer.size());
  if (!CryptDecrypt(key.Get(), 0, TRUE, CRYPT_OAEP, buffer.data(), &length)) {
    ADD_FAILURE() << "CryptDecrypt failed: " << GetLastError();
    return std::string();
  }
  return std::string(buffer.begin(), buffer.begin() + length);
}

}  // namespace

TEST(RsaOaep, ServerKeyEncryptionDecryptsToTheXoredPassword) {
  for (const ScrambleVector& vector : kScrambleVectors) {
    const std::string cipher = RsaOaepEncrypt(kRsaPublicKeyPem, vector.fullAuthPlain);
    ASSERT_EQ(cipher.size(), 256u);  // a 2048-bit key
    EXPECT_EQ(DecryptWithTestKey(cipher), vector.fullAuthPlain);
    EXPECT_EQ(CachingSha2FullAuthPlaintext(vector.password, kVectorNonce), vector.fullAuthPlain);
  }
  // OAEP is randomised: the same text never gives the same bytes twice.
  const std::string plain = kScrambleVectors[1].fullAuthPlain;
  EXPECT_NE(RsaOaepEncrypt(kRsaPublicKeyPem, plain), RsaOaepEncrypt(kRsaPublicKeyPem, plain));
}

TEST(RsaOaep, UnusableKeysRaiseEngineErrors) {
  EXPECT_THROW(RsaOaepEncrypt("not a key", "x"), EDatabaseError);
  EXPECT_THROW(RsaOaepEncrypt("-----BEGIN PUBLIC KEY-----\nAAAA\n-----END PUBLIC KEY-----\n", "x"),
               EDatabaseError);
  // More than a 2048-bit key can carry with OAEP padding.
  EXPECT_THROW(RsaOaepEncrypt(kRsaPublicKeyPem, std::string(300, 'x')), EDatabaseError);
}

namespace {

// Plays a caching_sha2_password server that has no cached entry for the user, over a real
// loopback connection: greeting, "perform full authentication", its public key, then OK when the
// encrypted password decrypts to the expected XORed text.
class FullAuthServer {
 public:
  explicit FullAuthServer(std::string expectedPlain) : expectedPlain_(std::move(expectedPlain)) {
    listener_.Listen();
    thread_ = std::thread([this] { Serve(); });
  }
  ~FullAuthServer() {
    listener_.Close();
    thread_.join();
  }
  std::string Port() const { return listener_.Port(); }

  std::string responsePlugin, decrypted;
  bool askedForKey = false;

 private:
  void Send(const std::string& payload, uint8_t sequence) {
    const std::string bytes = FramePackets(payload, sequence);
    send(client_, bytes.data(), static_cast<int>(bytes.size()), 0);
  }
  std::string Receive() {
    uint8_t header[kPacketHeaderSize];
    if (recv(client_, reinterpret_cast<char*>(header), sizeof header, MSG_WAITALL) != 4) return "";
    std::string payload(ParsePacketHeader(header).payloadLength, '\0');
    if (!payload.empty()) recv(client_, &payload[0], static_cast<int>(payload.size()), MSG_WAITALL);
    return payload;
  }
  void Serve() {
    client_ = accept(listener_.Get(), nullptr, nullptr);
    if (client_ == INVALID_SOCKET) return;
    Send(Greeting("caching_sha2_password"), 0);
    const std::string response = Receive();
    const size_t pluginAt = response.rfind("caching_sha2_password");
    if (pluginAt != std::string::npos) responsePlugin = "caching_sha2_password";
    Send("\x01\x04", 2);
    askedForKey = Receive() == "\x02";
    Send(std::string("\x01") + kRsaPublicKeyPem, 4);
    decrypted = DecryptWithTestKey(Receive());
    if (decrypted == expectedPlain_)
      Send(kOk, 6);
    else
      Send(std::string("\xff\x15\x04#28000Access denied", 22), 6);
    Receive();  // COM_QUIT
    closesocket(client_);
  }

  std::string expectedPlain_;
  LoopbackListener listener_;
  SOCKET client_ = INVALID_SOCKET;
  std::thread thread_;
};

}  // namespace

TEST(RsaOaep, FullAuthenticationOverTheNetworkWithTheServersKey) {
  const ScrambleVector& vector = kScrambleVectors[1];
  FullAuthServer server(vector.fullAuthPlain);
  {
    const ScopedDataSource source(UniqueName("LtSha2"), {{"Server", "127.0.0.1"},
                                                         {"Port", server.Port()},
                                                         {"User", "root"},
                                                         {"Password", vector.password},
                                                         {"DataBase", "demo"}});
    TDatabase database(nullptr);
    database.SetDatabaseName(source.Name());
    database.SetTimeoutMs(3000);
    database.Open();
    EXPECT_TRUE(database.Connected());
  }
  EXPECT_EQ(server.responsePlugin, "caching_sha2_password");
  EXPECT_TRUE(server.askedForKey);
  EXPECT_EQ(server.decrypted, vector.fullAuthPlain);
}
