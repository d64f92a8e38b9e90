// The LZRW1 block decoder, safe on any body: DecompressBlock.
//
// Items are tiny (a literal byte, or a two-byte copy of 5.5 bytes on average) and which kind comes
// next is what the processor cannot guess, so the decoder works a whole control word at a time.
// A table turns each control byte into the literal counts between its copies; one step then moves
// the literals before a copy (one 16-byte move) and the copy (three 8-byte moves) with no branch
// on the item kinds. Runs and copies less than 8 bytes back are rare and leave the fast step.
// Near the end of the body, where the wide reads would pass its last byte, and for the first
// control word, where the output is still too short for the fast bound check, every item is
// decoded on its own with exact reads and writes.
#include <cstring>

#include "components/ZipLzBytes.h"
#include "components/ZipLzImp.h"

using namespace ziplz;

namespace {

constexpr unsigned ItemsPerControlWord = 16;
constexpr size_t LiteralMove = 16;  // bytes moved for any stretch of literals (at most 16)
constexpr size_t MinWideCopyDistance = 8;

// A fast control word reads at most this far from its first byte: the word, 16 items of up to 4
// bytes, then the literal move after them (made even when no literal follows).
constexpr size_t FastGroupInput = 2 + ItemsPerControlWord * 4 + LiteralMove;
// A fast control word may start at ZipBlockSize plain bytes and add 16 copies of 18 bytes before
// its last literal move; the block's length is checked after each control word.
constexpr size_t FastGroupOvershoot = ItemsPerControlWord * MaxMatchLength + LiteralMove;
static_assert(ZipDecodeCapacity >= ZipBlockSize + FastGroupOvershoot, "room for the wide moves");

struct DecodePosition {
  size_t q;  // body position of the next item
  size_t o;  // plain length so far
};

inline void Copy16(uint8_t* to, const uint8_t* from) {
  std::memcpy(to, from, 16);
}

// Copies of 8 or more bytes back: each 8-byte move reads only bytes that are already written.
inline void CopyWide(uint8_t* to, const uint8_t* from) {
  Copy8(to, from);
  Copy8(to + 8, from + 8);
  Copy8(to + 16, from + 16);
}

// The two bytes at `at` big-endian, read as four: one load and one byte swap on every target.
inline unsigned LoadItemCode(const uint8_t* at) {
  uint32_t word;
  std::memcpy(&word, at, sizeof word);
  return __builtin_bswap32(word) >> 16;
}

// One copy or run item with every check and exact writes; returns the position after it.
// Kept out of line: the fast step only comes here for runs, short distances and faults.
__attribute__((noinline)) DecodePosition DecodeCopyOrRun(const uint8_t* input, size_t m,
                                                         uint8_t* output, DecodePosition at) {
  if (m - at.q < 2) throw EZipSourceError();
  const unsigned code = Load16BigEndian(input + at.q);
  if (const size_t distance = code >> 4) {
    const size_t length = (code & 15u) + MinMatchLength;
    if (distance > at.o || at.o + length > ZipBlockSize) throw EZipSourceError();
    uint8_t* to = output + at.o;
    const uint8_t* from = to - distance;
    for (size_t i = 0; i < length; ++i) to[i] = from[i];
    return {at.q + 2, at.o + length};
  }
  if (m - at.q < 4) throw EZipSourceError();
  const size_t count = Load16BigEndian(input + at.q + 1) + MinRunLength;
  if (at.o + count > ZipBlockSize) throw EZipSourceError();
  std::memset(output + at.o, input[at.q + 3], count);
  return {at.q + 4, at.o + count};
}

// The control word at `at.q` and its items, one by one, as far as the body goes. A control word
// stands only before an item, so one without an item after it is a fault.
DecodePosition DecodeGroupExactly(const uint8_t* input, size_t m, uint8_t* output,
                                  DecodePosition at) {
  if (m - at.q < 3) throw EZipSourceError();
  unsigned control = Load16BigEndian(input + at.q);
  at.q += 2;
  for (unsigned item = 0; item < ItemsPerControlWord && at.q < m; ++item, control <<= 1) {
    if ((control & 0x8000u) != 0) {
      at = DecodeCopyOrRun(input, m, output, at);
    } else {
      if (at.o >= ZipBlockSize) throw EZipSourceError();
      output[at.o++] = input[at.q++];
    }
  }
  return at;
}

// One control byte (eight items, the first in bit 7): the literals before each of its copies,
// four bits each from the lowest up, how many copies it holds, and the literals after the last.
struct ControlByteSteps {
  uint32_t literalsBefore = 0;
  uint8_t copies = 0;
  uint8_t literalsAfter = 0;
};

constexpr ControlByteSteps StepsOfControlByte(unsigned value) {
  ControlByteSteps steps;
  unsigned literals = 0;
  for (unsigned bit = 8; bit-- > 0;) {
    if ((value >> bit) & 1u) {
      steps.literalsBefore |= literals << (4 * steps.copies++);
      literals = 0;
    } else {
      ++literals;
    }
  }
  steps.literalsAfter = static_cast<uint8_t>(literals);
  return steps;
}

struct ControlByteTable {
  ControlByteSteps entries[256];

  constexpr ControlByteTable() {
    for (unsigned value = 0; value < 256; ++value) entries[value] = StepsOfControlByte(value);
  }
};

constexpr ControlByteTable ControlBytes;

// The steps of a whole control word: up to 16 copies with the literals before each (at most 15,
// so four bits each still hold them), and the literals after the last copy (up to 16).
struct ControlWordSteps {
  uint64_t literalsBefore;
  unsigned copies;
  unsigned literalsAfter;
};

inline ControlWordSteps StepsOf(uint8_t high, uint8_t low) {
  const ControlByteSteps& first = ControlBytes.entries[high];
  const ControlByteSteps& second = ControlBytes.entries[low];
  // The literals after the first byte's last copy come before the second byte's first copy.
  const uint64_t secondLiterals = second.literalsBefore + first.literalsAfter;
  return {first.literalsBefore | (secondLiterals << (4 * first.copies)),
          unsigned{first.copies} + second.copies,
          second.literalsAfter + (second.copies == 0 ? first.literalsAfter : 0u)};
}

// The control word at `at.q` and its 16 items. The caller makes sure that FastGroupInput body
// bytes are left and that at least 8 plain bytes are written, so that one unsigned comparison
// of the copy's source position finds every copy that is short (under 8 bytes back), reaches
// before the block (its source wraps around), or is a run (distance 0). Wide moves may write
// FastGroupOvershoot bytes past the block; a plain length above ZipBlockSize is refused once the
// control word is done.
inline DecodePosition DecodeGroupFast(const uint8_t* input, size_t m, uint8_t* output,
                                      DecodePosition at) {
  ControlWordSteps steps = StepsOf(input[at.q], input[at.q + 1]);
  size_t q = at.q + 2, o = at.o;
  for (unsigned copy = steps.copies; copy != 0; --copy) {
    const unsigned literals = steps.literalsBefore & 15u;
    steps.literalsBefore >>= 4;
    Copy16(output + o, input + q);
    o += literals;
    q += literals;
    const unsigned code = LoadItemCode(input + q);
    const size_t from = o - (code >> 4);
    if (__builtin_expect(from > o - MinWideCopyDistance, 0)) {
      const DecodePosition after = DecodeCopyOrRun(input, m, output, {q, o});
      q = after.q;
      o = after.o;
      continue;
    }
    CopyWide(output + o, output + from);
    o += (code & 15u) + MinMatchLength;
    q += 2;
  }
  Copy16(output + o, input + q);
  o += steps.literalsAfter;
  q += steps.literalsAfter;
  if (o > ZipBlockSize) throw EZipSourceError();
  return {q, o};
}

}  // namespace

size_t DecompressBlock(const uint8_t* input, uint8_t* output, size_t m) {
  if (m > ZipMaxBodyLength) throw EZipSourceError();
  if (m <= 1) return 0;
  if (input[0] == StoredFlag) {
    std::memcpy(output, input + 1, m - 1);
    return m - 1;
  }
  if (m <= 3) return 0;  // at most a control word, and no item
  // The first control word's 16 items write at least 16 bytes, enough for the fast bound check.
  DecodePosition at = DecodeGroupExactly(input, m, output, {1, 0});
  while (m - at.q >= FastGroupInput) at = DecodeGroupFast(input, m, output, at);
  while (at.q < m) at = DecodeGroupExactly(input, m, output, at);
  return at.o;
}
