// The LZRW1 block encoder: CompressBlock and its one-probe FindMatch.
//
// The coder's speed is set by how soon it knows whether the next item is a literal or a copy: the
// processor cannot guess it, so each wrong guess costs as long as the answer takes to compute.
// Hence the block is first copied between margins (no load needs a bounds test), the table index
// of every position is computed ahead in one pass, and while a literal is written the entry and
// the compared bytes of the next position are already being fetched.
#include <algorithm>
#include <cstring>

#include "components/ZipLzBytes.h"
#include "components/ZipLzImp.h"

using namespace ziplz;

// On processors without vector registers the compiler splits the lanes of the vector helpers
// below; they are internal and inlined, so GCC's note on their calling convention is moot.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

constexpr size_t Bias = TZipHashTable::Bias;

// Only the low four bits of the first byte survive the first step: this coder's own hash, not
// the published LZRW1 one, and it must stay so for the table to pick the same matches as the
// stored containers. For one position (unsigned) or for eight side by side (Lanes8 below).
template <typename Value>
inline Value HashIndex(Value b0, Value b1, Value b2) {
  const Value h = ((b0 & 0x0F) << 8) ^ (b1 << 4) ^ b2;
  return ((h * 40543) >> 4) & 4095;
}

// How far back the entry's position lies from p; ZipDistanceLimit or more for an empty entry.
inline size_t DistanceFrom(size_t entry, size_t p) {
  return p + Bias - entry;
}

inline bool CanCopyFrom(size_t distance, uint64_t difference) {
  // One test for both conditions: two separate branches would each be guessed wrong half the time.
  return ((difference & 0xFFFFFF) | (distance >> 12)) == 0;
}

// Number of equal leading bytes of a and b, at most `limit`; both must hold `limit` bytes.
inline size_t CommonPrefix(const uint8_t* a, const uint8_t* b, size_t limit) {
  size_t length = 0;
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

// The length (3 to 18) of the copy at `at` from `from`, whose first eight bytes differ by
// `difference` and agree in the first three; both have 18 readable bytes.
inline size_t CopyLength(const uint8_t* at, const uint8_t* from, uint64_t difference) {
  // The first differing byte of 16 without a branch on which half holds it.
  const uint64_t second = Load64(at + 8) ^ Load64(from + 8);
  if ((difference | second) != 0) {
    const uint64_t first = difference != 0 ? difference : second;
    return (difference != 0 ? 0 : 8) + (static_cast<size_t>(__builtin_ctzll(first)) >> 3);
  }
  return 16 + CommonPrefix(at + 16, from + 16, MaxMatchLength - 16);
}

// The number of leading bytes at `at` equal to the repeated byte of `pattern`, up to `limit`.
inline size_t RunLength(const uint8_t* at, uint64_t pattern, size_t limit) {
  size_t length = 0;
  while (length + 8 <= limit && Load64(at + length) == pattern) length += 8;
  while (length < limit && at[length] == at[0]) ++length;
  return length;
}

// True when the 16 bytes at `at` are one value: a run item may start there.
inline bool SixteenEqual(const uint8_t* at, uint64_t head) {
  // One test, not two: stretches of 8 to 15 equal bytes are common in programs.
  uint64_t differences = ((head ^ (head >> 8)) & 0x00FFFFFFFFFFFFFFull) | (Load64(at + 8) ^ head);
  asm("" : "+r"(differences));  // keeps the compiler from splitting the test into two branches
  return differences == 0;
}

// Where CompressBlock stands in its output: the item position, the position of the control
// word being filled, and that word, whose items stand below a marker bit that reaches bit 16
// after the 16th item. A local object whose address never escapes: it stays in registers.
struct Items {
  uint8_t* output;
  size_t controlAt = 1, o = 3;
  unsigned control = 1;

  // Every 16 items the control word is complete, and the next one is kept free in the output.
  void Start() {
    if (control < 0x10000) return;
    Store16BigEndian(output + controlAt, control);
    controlAt = o;
    o += 2;
    control = 1;
  }
  void Literal(uint8_t byte) {
    output[o++] = byte;
    control <<= 1;
  }
  void Copy(size_t distance, size_t length) {
    Store16BigEndian(output + o, static_cast<unsigned>(distance * 16 + length - MinMatchLength));
    o += 2;
    control = control * 2 + 1;
  }
  void Run(size_t length, uint8_t byte) {
    output[o] = 0;
    Store16BigEndian(output + o + 1, static_cast<unsigned>(length - MinRunLength));
    output[o + 3] = byte;
    o += 4;
    control = control * 2 + 1;
  }
  // The low bits of the last word that describe no item are 0.
  void Finish() {
    while (control < 0x10000) control <<= 1;
    Store16BigEndian(output + controlAt, control);
  }
};

// Eight positions at a time in 16-bit lanes; bits 4 to 15 of the product are all the index
// keeps, so 16 bits suffice. The last round reads and writes up to seven positions past n, into
// the margins.
using Bytes8 = uint8_t __attribute__((vector_size(8)));
using Lanes8 = uint16_t __attribute__((vector_size(16)));

inline Lanes8 Widen8(const uint8_t* at) {
  Bytes8 bytes;
  std::memcpy(&bytes, at, sizeof bytes);
  return __builtin_convertvector(bytes, Lanes8);
}

void HashEveryPosition(const uint8_t* block, size_t n, uint16_t* index) {
  for (size_t i = 0; i < n; i += 8) {
    const Lanes8 lanes = HashIndex(Widen8(block + i), Widen8(block + i + 1), Widen8(block + i + 2));
    std::memcpy(index + i, &lanes, sizeof lanes);
  }
}

// What CompressBlock works in besides its output: the table, a copy of the block with readable
// bytes before it (where an empty entry points) and zeros after it (which the coder reads ahead
// into), and the table index of every position. One static area, so that the coder addresses all
// of it from one register.
struct EncoderWork {
  static constexpr size_t LookBehind = ZipDistanceLimit;
  static constexpr size_t LookAhead = 64;
  TZipHashTable table;
  uint8_t block[LookBehind + ZipBlockSize + LookAhead];
  uint16_t index[ZipBlockSize + LookAhead];
};

EncoderWork work;

// Copies the block between its margins and computes the table index of each position; past the
// block's end the hash reads zeros.
const uint8_t* PrepareBlock(const uint8_t* input, size_t n) {
  uint8_t* block = work.block + EncoderWork::LookBehind;
  if (n > 0) std::memcpy(block, input, n);
  std::memset(block + n, 0, EncoderWork::LookAhead);
  HashEveryPosition(block, n, work.index);
  return block;
}

size_t StoreBlock(const uint8_t* input, uint8_t* output, size_t n) {
  output[0] = StoredFlag;
  if (n > 0) std::memcpy(output + 1, input, n);
  return n + 1;
}

}  // namespace

bool FindMatch(const uint8_t* input, size_t p, size_t n, TZipHashTable& table, TZipMatch& match) {
  // Past the block's end the hash reads zeros; no match can start there, as L is bounded by n - p.
  auto byteAt = [&](size_t i) -> unsigned { return i < n ? input[i] : 0; };
  uint16_t& entry = table.entries[HashIndex(byteAt(p), byteAt(p + 1), byteAt(p + 2))];
  const size_t distance = DistanceFrom(entry, p);
  entry = static_cast<uint16_t>(p + Bias);
  if (distance >= ZipDistanceLimit) return false;
  const size_t length =
      CommonPrefix(input + p, input + p - distance, std::min(MaxMatchLength, n - p));
  if (length < MinMatchLength) return false;
  match.start = static_cast<uint16_t>(p - distance);
  match.length = static_cast<uint16_t>(length);
  return true;
}

size_t CompressBlock(const uint8_t* input, uint8_t* output, size_t n) {
  uint16_t* const table = work.table.entries.data();
  const uint16_t* const index = work.index;
  work.table.Clear();
  const uint8_t* const block = PrepareBlock(input, n);
  output[0] = CodedFlag;
  Items items{output};
  // The entry of p and how its bytes differ from those at p, fetched ahead.
  size_t p = 0, entry = table[index[0]];
  uint64_t difference = Load64(block) ^ Load64(block + entry - Bias);
  auto probeAt = [&](size_t at) {
    entry = table[index[at]];
    difference = Load64(block + at) ^ Load64(block + entry - Bias);
  };
  while (p < n && items.o <= n) {
    items.Start();
    const uint64_t head = Load64(block + p);
    if (SixteenEqual(block + p, head)) {
      // Runs are caught before the table is consulted and do not enter it.
      const size_t run = RunLength(block + p, head, std::min(n - p, ZipMaxRunWritten));
      if (run >= MinRunLength) {
        items.Run(run, block[p]);
        p += run;
        probeAt(p);
        continue;
      }
    }
    table[index[p]] = static_cast<uint16_t>(p + Bias);
    // Should p be a literal, p + 1 comes next: its entry is read after p is stored in case both
    // share it.
    const size_t nextEntry = table[index[p + 1]];
    const uint64_t nextDifference = Load64(block + p + 1) ^ Load64(block + nextEntry - Bias);
    const size_t distance = DistanceFrom(entry, p);
    if (CanCopyFrom(distance, difference)) {
      const size_t length =
          std::min(CopyLength(block + p, block + p - distance, difference), n - p);
      if (length >= MinMatchLength) {
        items.Copy(distance, length);
        p += length;
        probeAt(p);
        continue;
      }
    }
    items.Literal(static_cast<uint8_t>(head));
    ++p;
    entry = nextEntry;
    difference = nextDifference;
  }
  items.Finish();
  // The loop stops as soon as the coded form outgrows the block, so it is never longer than it.
  if (items.o > n) return StoreBlock(input, output, n);
  return items.o;
}
