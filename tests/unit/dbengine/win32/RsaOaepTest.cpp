// The RSA step of caching_sha2_password: what the engine encrypts with CryptoAPI must decrypt,
// with the private half of an openssl-made key pair, to the XORed password of the independently
// computed vectors.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <wincrypt.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../AuthVectors.h"
#include "dbengine/AuthScramble.h"
#include "dbengine/win32/RsaOaep.h"
#include "framework/Exceptions.h"
#include "framework/win32/CryptHandles.h"

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
