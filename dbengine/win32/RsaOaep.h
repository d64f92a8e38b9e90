#pragma once
// RSA encryption with OAEP padding (SHA-1) through CryptoAPI, for caching_sha2_password's full
// authentication without TLS.
#include <string>

// publicKeyPem is a "BEGIN PUBLIC KEY" block as the server sends it. The result is big-endian,
// as the server expects. Raises EDatabaseError when the key cannot be used.
std::string RsaOaepEncrypt(const std::string& publicKeyPem, const std::string& plain);
