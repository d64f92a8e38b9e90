// The five-byte header of a TLS record, which tells how long the record is before Schannel sees
// it: the TLS stream reads whole records, so a peer that answers with something other than TLS
// is told apart at once instead of being waited for.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kTlsRecordHeaderSize = 5;

// The length of the record's body. Raises EDatabaseError "The MySQL server did not answer with
// TLS" when the header is not one of a TLS record (an unknown content type, a version other than
// 3.x, a body longer than TLS allows).
size_t TlsRecordBodyLength(const uint8_t (&header)[kTlsRecordHeaderSize]);
