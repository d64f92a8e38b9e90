#include "dbengine/win32/RsaOaep.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <wincrypt.h>

#include <algorithm>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/win32/CryptHandles.h"
#include "framework/win32/SystemLibrary.h"

namespace {

// The crypto library is loaded for the RSA exchange only, which few servers ask for; a run that
// needs no exchange never loads it.
struct CertificateFunctions {
  SystemLibrary library = SystemLibrary::Load("crypt32.dll");
  decltype(&CryptStringToBinaryA) stringToBinary =
      library.Find<decltype(&CryptStringToBinaryA)>("CryptStringToBinaryA");
  decltype(&CryptDecodeObjectEx) decodeObject =
      library.Find<decltype(&CryptDecodeObjectEx)>("CryptDecodeObjectEx");
  decltype(&CryptImportPublicKeyInfo) importPublicKey =
      library.Find<decltype(&CryptImportPublicKeyInfo)>("CryptImportPublicKeyInfo");
};

const CertificateFunctions& Certificates() {
  static const CertificateFunctions functions;
  return functions;
}

[[noreturn]] void RaiseKeyError(const char* step) {
  throw EDatabaseError(std::string("Cannot use the public key of the MySQL server (") + step + ")");
}

std::vector<BYTE> PemToDer(const std::string& pem) {
  DWORD size = 0;
  const auto stringToBinary = Certificates().stringToBinary;
  if (!stringToBinary(pem.c_str(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                      nullptr, &size, nullptr, nullptr))
    RaiseKeyError("PEM");
  std::vector<BYTE> der(size);
  if (!stringToBinary(pem.c_str(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                      der.data(), &size, nullptr, nullptr))
    RaiseKeyError("PEM");
  der.resize(size);
  return der;
}

}  // namespace

std::string RsaOaepEncrypt(const std::string& publicKeyPem, const std::string& plain) {
  const std::vector<BYTE> der = PemToDer(publicKeyPem);
  CERT_PUBLIC_KEY_INFO* decoded = nullptr;
  DWORD infoSize = 0;
  if (!Certificates().decodeObject(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, der.data(),
                                   static_cast<DWORD>(der.size()), CRYPT_DECODE_ALLOC_FLAG, nullptr,
                                   &decoded, &infoSize))
    RaiseKeyError("decoding");
  const LocalMemory<CERT_PUBLIC_KEY_INFO> info(decoded);
  const CryptProvider provider = AcquireVerifyContext();
  if (!provider.IsOpen()) RaiseKeyError("provider");
  HCRYPTKEY imported = 0;
  if (!Certificates().importPublicKey(provider.Get(), X509_ASN_ENCODING, info.Get(), &imported))
    RaiseKeyError("import");
  const CryptKey key(imported);

  DWORD length = static_cast<DWORD>(plain.size());
  DWORD capacity = length;
  if (!CryptEncrypt(key.Get(), 0, TRUE, CRYPT_OAEP, nullptr, &capacity, 0)) RaiseKeyError("size");
  std::vector<BYTE> buffer(std::max<DWORD>(capacity, length));
  std::copy(plain.begin(), plain.end(), buffer.begin());
  if (!CryptEncrypt(key.Get(), 0, TRUE, CRYPT_OAEP, buffer.data(), &length,
                    static_cast<DWORD>(buffer.size())))
    RaiseKeyError("encryption");
  // CryptoAPI writes the number little-endian; the server reads it big-endian.
  return std::string(buffer.rbegin() + (buffer.size() - length), buffer.rend());
}
