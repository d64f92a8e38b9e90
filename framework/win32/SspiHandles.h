#pragma once
// The security support provider interface (Schannel's TLS among its packages) from secur32,
// which the program loads when it first needs it, as few servers speak TLS to it and an
// unattended run against a plain server should not pay for it; and the owners of what its calls
// hand out: a credentials handle, a security context and a buffer the package allocated.
#include <windows.h>
// After windows.h, which they build on.
#define SECURITY_WIN32
#include <security.h>
#include <sspi.h>

#include "framework/win32/OwnedHandle.h"

// The interface's function table; raises Exception "Cannot load secur32.dll (reason)" or "Cannot
// find ..." when the system has no such library.
const SecurityFunctionTableA& SspiFunctions();

// A handle of the interface is two words; {-1, -1} is its empty value, as SecInvalidateHandle
// makes it.
inline bool operator==(const SecHandle& left, const SecHandle& right) {
  return left.dwLower == right.dwLower && left.dwUpper == right.dwUpper;
}
inline bool operator!=(const SecHandle& left, const SecHandle& right) {
  return !(left == right);
}

inline SecHandle EmptySecHandle() {
  SecHandle handle;
  handle.dwLower = handle.dwUpper = static_cast<ULONG_PTR>(-1);
  return handle;
}

struct SspiCredentialsTraits {
  using Handle = CredHandle;
  static CredHandle Empty() { return EmptySecHandle(); }
  static void Close(CredHandle credentials) { SspiFunctions().FreeCredentialsHandle(&credentials); }
};
using SspiCredentials = OwnedHandle<SspiCredentialsTraits>;

struct SspiContextTraits {
  using Handle = CtxtHandle;
  static CtxtHandle Empty() { return EmptySecHandle(); }
  static void Close(CtxtHandle context) { SspiFunctions().DeleteSecurityContext(&context); }
};
using SspiContext = OwnedHandle<SspiContextTraits>;

// Memory a call allocated for its output (ISC_REQ_ALLOCATE_MEMORY).
struct SspiBufferTraits {
  using Handle = void*;
  static void* Empty() { return nullptr; }
  static void Close(void* buffer) { SspiFunctions().FreeContextBuffer(buffer); }
};
using SspiBuffer = OwnedHandle<SspiBufferTraits>;
