#include "dbengine/AuthScramble.h"

#include "dbengine/Sha.h"

namespace {

std::string XorBytes(const std::string& a, const std::string& b) {
  std::string result(a);
  for (size_t i = 0; i < result.size() && i < b.size(); ++i) result[i] = char(result[i] ^ b[i]);
  return result;
}

std::string ScrambleNonce(const std::string& nonce) {
  return nonce.substr(0, kScrambleLength);
}

}  // namespace

std::string NativePasswordScramble(const std::string& password, const std::string& nonce) {
  if (password.empty()) return std::string();
  const std::string stage1 = DigestBytes(Sha1(password));
  const std::string stage2 = DigestBytes(Sha1(stage1));
  return XorBytes(stage1, DigestBytes(Sha1(ScrambleNonce(nonce) + stage2)));
}

std::string CachingSha2Scramble(const std::string& password, const std::string& nonce) {
  if (password.empty()) return std::string();
  const std::string stage1 = DigestBytes(Sha256(password));
  const std::string stage2 = DigestBytes(Sha256(stage1));
  return XorBytes(stage1, DigestBytes(Sha256(stage2 + ScrambleNonce(nonce))));
}

std::string CachingSha2FullAuthPlaintext(const std::string& password, const std::string& nonce) {
  std::string plain = password + '\0';
  const std::string key = ScrambleNonce(nonce);
  if (key.empty()) return plain;
  for (size_t i = 0; i < plain.size(); ++i) plain[i] = char(plain[i] ^ key[i % key.size()]);
  return plain;
}
