// The LZRW1 block decoder, safe on any body: DecompressBlock.
#include <algorithm>
#include <cstring>

#include "components/ZipLzBytes.h"
#include "components/ZipLzImp.h"

using namespace ziplz;

namespace {

// Appends `length` bytes from `distance` back. Copies of 8 or more bytes back go 8 bytes at a
// time and may write up to 24 bytes; the decode capacity leaves room for that.
inline void CopyBack(uint8_t* to, size_t distance, size_t length) {
  const uint8_t* from = to - distance;
  if (distance >= 8) {
    Copy8(to, from);
    Copy8(to + 8, from + 8);
    if (length > 16) Copy8(to + 16, from + 16);
  } else if (distance == 1) {
    std::memset(to, from[0], length);
  } else {
    for (size_t i = 0; i < length; ++i) to[i] = from[i];
  }
}

// Where DecompressBlock stands in its body; a local object, held in registers (see CoderState).
// The control bits not yet used stand at the top of `control`, the next one in bit 31.
struct DecoderState {
  const uint8_t* input;
  uint8_t* output;
  size_t m;
  size_t q, o;
  uint32_t control;
  unsigned bitsLeft;
};

// Takes the next control word when the last one is used up. A control word stands only before
// an item, so one without an item after it is a fault.
inline void NextControlWord(DecoderState& s) {
  if (s.bitsLeft != 0) return;
  if (s.m - s.q < 3) throw EZipSourceError();
  s.control = Load16BigEndian(s.input + s.q) << 16;
  s.q += 2;
  s.bitsLeft = 16;
}

inline void UseBits(DecoderState& s, unsigned count) {
  s.control <<= count;
  s.bitsLeft -= count;
}

// The literals up to the next 1 bit, as many as the body still holds.
inline unsigned LiteralsAhead(const DecoderState& s) {
  return static_cast<unsigned>(__builtin_clz(s.control | (1u << (31 - s.bitsLeft))));
}

// One step anywhere in the body: all literals up to the next 1 bit, or one copy or run.
void DecodeStep(DecoderState& s) {
  if ((s.control & 0x80000000u) == 0) {
    const unsigned zeros = LiteralsAhead(s);
    const size_t literals = std::min<size_t>(zeros, s.m - s.q);
    if (literals > ZipBlockSize - s.o) throw EZipSourceError();
    std::memcpy(s.output + s.o, s.input + s.q, literals);
    s.o += literals;
    s.q += literals;
    return UseBits(s, zeros);
  }
  if (s.m - s.q < 2) throw EZipSourceError();
  const unsigned code = Load16BigEndian(s.input + s.q);
  if (const size_t distance = code >> 4) {
    const size_t length = (code & 15u) + MinMatchLength;
    if (distance > s.o || length > ZipBlockSize - s.o) throw EZipSourceError();
    CopyBack(s.output + s.o, distance, length);
    s.o += length;
    s.q += 2;
  } else {
    if (s.m - s.q < 4) throw EZipSourceError();
    const size_t count = Load16BigEndian(s.input + s.q + 1) + MinRunLength;
    if (count > ZipBlockSize - s.o) throw EZipSourceError();
    std::memset(s.output + s.o, s.input[s.q + 3], count);
    s.o += count;
    s.q += 4;
  }
  UseBits(s, 1);
}

}  // namespace

size_t DecompressBlock(const uint8_t* input, uint8_t* output, size_t m) {
  static_assert(ZipDecodeCapacity >= ZipBlockSize + 24, "room for the 8-byte copies");
  if (m > ZipMaxBodyLength) throw EZipSourceError();
  if (m <= 1) return 0;
  if (input[0] == StoredFlag) {
    std::memcpy(output, input + 1, m - 1);
    return m - 1;
  }
  if (m == 2) return 0;  // half a control word and no item
  DecoderState s{input, output, m, 3, 0, Load16BigEndian(input + 1) << 16, 16};
  // While 32 body bytes are left, a literal batch or a copy of 8 or more bytes back is one
  // 24-byte move, chosen without a branch: which comes next is what the processor cannot guess.
  while (s.m - s.q >= 32) {
    NextControlWord(s);
    const bool copy = (s.control & 0x80000000u) != 0;
    const unsigned code = Load16BigEndian(s.input + s.q);
    const size_t distance = code >> 4;
    if (copy && distance < 8) {
      DecodeStep(s);  // a run, or a copy whose source overlaps its own output
      continue;
    }
    const unsigned literals = LiteralsAhead(s);
    const size_t count = copy ? (code & 15u) + MinMatchLength : literals;
    if (count > ZipBlockSize - s.o || (copy && distance > s.o)) throw EZipSourceError();
    const uint8_t* from = copy ? s.output + (s.o - distance) : s.input + s.q;
    Copy8(s.output + s.o, from);
    Copy8(s.output + s.o + 8, from + 8);
    Copy8(s.output + s.o + 16, from + 16);
    s.o += count;
    s.q += copy ? 2 : literals;
    UseBits(s, copy ? 1 : literals);
  }
  while (s.q < s.m) {
    NextControlWord(s);
    DecodeStep(s);
  }
  return s.o;
}
