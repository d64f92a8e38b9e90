#include "dbengine/TlsRecord.h"

#include "framework/Exceptions.h"

namespace {

constexpr uint8_t kChangeCipherSpec = 20;
constexpr uint8_t kApplicationData = 23;
constexpr uint8_t kMajorVersion = 3;
// An encrypted record carries at most 2^14 bytes plus 2048 of expansion.
constexpr size_t kMaxBody = 16384 + 2048;

}  // namespace

size_t TlsRecordBodyLength(const uint8_t (&header)[kTlsRecordHeaderSize]) {
  const size_t length = static_cast<size_t>(header[3]) << 8 | header[4];
  if (header[0] < kChangeCipherSpec || header[0] > kApplicationData || header[1] != kMajorVersion ||
      length == 0 || length > kMaxBody)
    throw EDatabaseError("The MySQL server did not answer with TLS");
  return length;
}
