#pragma once
// Own one CryptoAPI provider context and one key, released when they go away.
#include <windows.h>
// After windows.h, which it builds on.
#include <wincrypt.h>

class CryptProvider {
 public:
  CryptProvider() = default;
  ~CryptProvider() {
    if (provider_) CryptReleaseContext(provider_, 0);
  }
  CryptProvider(const CryptProvider&) = delete;
  CryptProvider& operator=(const CryptProvider&) = delete;

  // A context for public-key work that needs no key container.
  bool AcquireVerifyContext() {
    return CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) ||
           CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT);
  }
  HCRYPTPROV Get() const { return provider_; }

 private:
  HCRYPTPROV provider_ = 0;
};

class CryptKey {
 public:
  CryptKey() = default;
  ~CryptKey() {
    if (key_) CryptDestroyKey(key_);
  }
  CryptKey(const CryptKey&) = delete;
  CryptKey& operator=(const CryptKey&) = delete;

  HCRYPTKEY* Receive() { return &key_; }
  HCRYPTKEY Get() const { return key_; }

 private:
  HCRYPTKEY key_ = 0;
};

// Memory that a CryptoAPI call allocated with LocalAlloc (CRYPT_DECODE_ALLOC_FLAG).
template <typename T>
class LocalMemory {
 public:
  LocalMemory() = default;
  ~LocalMemory() {
    if (memory_) LocalFree(memory_);
  }
  LocalMemory(const LocalMemory&) = delete;
  LocalMemory& operator=(const LocalMemory&) = delete;

  T** Receive() { return &memory_; }
  T* Get() const { return memory_; }

 private:
  T* memory_ = nullptr;
};
