#pragma once
// Owners of a CryptoAPI provider context, a key, and memory a CryptoAPI call allocated.
#include <windows.h>
// After windows.h, which it builds on.
#include <wincrypt.h>

#include "framework/win32/OwnedHandle.h"

struct CryptProviderTraits {
  using Handle = HCRYPTPROV;
  static HCRYPTPROV Empty() { return 0; }
  static void Close(HCRYPTPROV provider) { CryptReleaseContext(provider, 0); }
};
using CryptProvider = OwnedHandle<CryptProviderTraits>;

struct CryptKeyTraits {
  using Handle = HCRYPTKEY;
  static HCRYPTKEY Empty() { return 0; }
  static void Close(HCRYPTKEY key) { CryptDestroyKey(key); }
};
using CryptKey = OwnedHandle<CryptKeyTraits>;

// Memory from LocalAlloc, as CRYPT_DECODE_ALLOC_FLAG hands it out.
template <typename T>
struct LocalMemoryTraits {
  using Handle = T*;
  static T* Empty() { return nullptr; }
  static void Close(T* memory) { LocalFree(memory); }
};
template <typename T>
using LocalMemory = OwnedHandle<LocalMemoryTraits<T>>;

// A provider context for public-key work that needs no key container; empty when none is had.
inline CryptProvider AcquireVerifyContext() {
  HCRYPTPROV provider = 0;
  if (CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) ||
      CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
    return CryptProvider(provider);
  return CryptProvider();
}
