// The password proofs of the two authentication methods the engine speaks. The server never sees
// the password itself except in the RSA-encrypted full authentication of caching_sha2_password.
#pragma once

#include <string>

// The nonce the server sends is 20 bytes; longer data is cut to that, as servers do.
constexpr size_t kScrambleLength = 20;

// mysql_native_password: SHA1(password) XOR SHA1(nonce + SHA1(SHA1(password))); empty for an
// empty password.
std::string NativePasswordScramble(const std::string& password, const std::string& nonce);

// caching_sha2_password fast path: SHA256(password) XOR SHA256(SHA256(SHA256(password)) + nonce);
// empty for an empty password.
std::string CachingSha2Scramble(const std::string& password, const std::string& nonce);

// caching_sha2_password full authentication: the password with its terminating zero byte, XORed
// with the nonce repeated; this is what gets RSA-encrypted with the server's public key.
std::string CachingSha2FullAuthPlaintext(const std::string& password, const std::string& nonce);
