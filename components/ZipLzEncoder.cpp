// The LZRW1 block encoder: CompressBlock and its one-probe FindMatch.
#include <algorithm>
#include <cstring>

#include "components/ZipLzBytes.h"
#include "components/ZipLzImp.h"

using namespace ziplz;

namespace {

// The bytes at p as a little-endian word, zeros past the block's end.
inline uint64_t HeadAt(const uint8_t* input, size_t p, size_t n) {
  if (n - p >= 8) return Load64(input + p);
  uint64_t head = 0;
  for (size_t i = 0; i < n - p; ++i) head |= uint64_t{input[p + i]} << (8 * i);
  return head;
}

// Only the low four bits of the first byte survive the first step: this coder's own hash, not
// the published LZRW1 one, and it must stay so for the table to pick the same matches as the
// stored containers. The argument is the three bytes b0 b1 b2 in a little-endian word.
inline unsigned HashIndex(uint64_t head) {
  const uint32_t h = ((static_cast<uint32_t>(head) & 0x0F) << 8) ^
                     ((static_cast<uint32_t>(head) >> 4) & 0xFF0) ^
                     ((static_cast<uint32_t>(head) >> 16) & 0xFF);
  return ((h * 40543u) >> 4) & 4095;
}

// Number of equal leading bytes of a and b, at most `limit`; both must hold `limit` bytes.
inline size_t CommonPrefix(const uint8_t* a, const uint8_t* b, size_t limit) {
  size_t length = 0;
  while (length + 8 <= limit) {
    const uint64_t difference = Load64(a + length) ^ Load64(b + length);
    if (difference != 0) return length + (static_cast<size_t>(__builtin_ctzll(difference)) >> 3);
    length += 8;
  }
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

// Length of the run of equal bytes at p when it is at least MinRunLength, otherwise 0.
inline size_t RunAt(const uint8_t* input, size_t p, size_t n, uint64_t head) {
  if (((head ^ (head >> 8)) & 0xFF) != 0 || n - p < MinRunLength) return 0;
  const uint64_t pattern = (head & 0xFF) * 0x0101010101010101ull;
  if (head != pattern || Load64(input + p + 8) != pattern) return 0;
  const size_t limit = std::min(n - p, ZipMaxRunWritten);
  size_t length = MinRunLength;
  while (length + 8 <= limit && Load64(input + p + length) == pattern) length += 8;
  while (length < limit && input[p + length] == input[p]) ++length;
  return length;
}

inline bool FindMatchAt(const uint8_t* input, size_t p, size_t n, uint64_t head,
                        TZipHashTable& table, TZipMatch& match) {
  int16_t& entry = table.entries[HashIndex(head)];
  const int earlier = entry;
  entry = static_cast<int16_t>(p);
  if (earlier < 0 || p - static_cast<size_t>(earlier) >= ZipDistanceLimit) return false;
  const size_t length = CommonPrefix(input + p, input + earlier, std::min(MaxMatchLength, n - p));
  if (length < MinMatchLength) return false;
  match.start = static_cast<uint16_t>(earlier);
  match.length = static_cast<uint16_t>(length);
  return true;
}

size_t StoreBlock(const uint8_t* input, uint8_t* output, size_t n) {
  output[0] = StoredFlag;
  if (n > 0) std::memcpy(output + 1, input, n);
  return n + 1;
}

}  // namespace

bool FindMatch(const uint8_t* input, size_t p, size_t n, TZipHashTable& table, TZipMatch& match) {
  // Past the block's end the hash reads zeros; no match can start there, as L is bounded by n - p.
  return FindMatchAt(input, p, n, HeadAt(input, p, n), table, match);
}

namespace {

// Where CompressBlock stands in its block. Kept in a local object whose address never escapes,
// so that the compiler holds it in registers across the byte stores into the output.
struct CoderState {
  const uint8_t* input;
  uint8_t* output;
  size_t n;
  size_t controlAt, o, p;
  unsigned control, items;
};

// Every 16 items the control word is complete, and the next one is kept free in the output.
// Its old bits need no clearing: the next 16 items shift them out.
inline void StartItem(CoderState& s) {
  if (s.items < 16) return;
  Store16BigEndian(s.output + s.controlAt, s.control);
  s.controlAt = s.o;
  s.o += 2;
  s.items = 0;
}

inline void EndItem(CoderState& s, unsigned bit) {
  s.control = s.control * 2 + bit;
  ++s.items;
}

// Runs do not enter the hash table.
inline void PutRun(CoderState& s, size_t run) {
  s.output[s.o] = 0;
  Store16BigEndian(s.output + s.o + 1, static_cast<unsigned>(run - MinRunLength));
  s.output[s.o + 3] = s.input[s.p];
  s.o += 4;
  s.p += run;
  EndItem(s, 1);
}

// One item anywhere in the block.
inline void PutItem(CoderState& s, TZipHashTable& table) {
  const uint64_t head = HeadAt(s.input, s.p, s.n);
  TZipMatch match;
  if (const size_t run = RunAt(s.input, s.p, s.n, head)) {
    PutRun(s, run);
  } else if (FindMatchAt(s.input, s.p, s.n, head, table, match)) {
    Store16BigEndian(s.output + s.o,
                     static_cast<unsigned>((s.p - match.start) * 16 + (match.length - 3)));
    s.o += 2;
    s.p += match.length;
    EndItem(s, 1);
  } else {
    s.output[s.o++] = s.input[s.p++];
    EndItem(s, 0);
  }
}

// The table entry for the position about to be coded, looked up ahead of time.
struct Probe {
  uint64_t head;  // the bytes at p
  unsigned index;
  int earlier;  // the entry's position before p is stored in it
};

constexpr size_t InsideMargin = 32;  // readable bytes at p that the unchecked path needs

inline Probe ProbeAt(const CoderState& s, const TZipHashTable& table) {
  if (s.n - s.p < InsideMargin) return {0, 0, -1};  // the unchecked path ends here
  const uint64_t head = Load64(s.input + s.p);
  const unsigned index = HashIndex(head);
  return {head, index, table.entries[index]};
}

// The same item as PutItem where InsideMargin bytes at p are readable, so that no load needs a
// check. Gives the probe of the next position. The probe of p + 1 is taken before it is known
// whether p starts a copy, so that a literal does not wait for the comparison; it is taken after
// p is stored, so it sees p when both share an entry.
inline Probe PutItemInside(CoderState& s, TZipHashTable& table, const Probe& probe) {
  if (const size_t run = RunAt(s.input, s.p, s.n, probe.head)) {
    PutRun(s, run);
    return ProbeAt(s, table);
  }
  table.entries[probe.index] = static_cast<int16_t>(s.p);
  const unsigned nextIndex = HashIndex(probe.head >> 8);
  const int nextEarlier = table.entries[nextIndex];
  const size_t start = probe.earlier >= 0 ? static_cast<size_t>(probe.earlier) : 0;
  const size_t distance = s.p - start;
  const uint64_t difference = probe.head ^ Load64(s.input + start);
  const size_t length = difference != 0 ? static_cast<size_t>(__builtin_ctzll(difference)) >> 3
                                        : 8 + CommonPrefix(s.input + s.p + 8, s.input + start + 8,
                                                           MaxMatchLength - 8);
  if (probe.earlier >= 0 && distance < ZipDistanceLimit && length >= MinMatchLength) {
    Store16BigEndian(s.output + s.o, static_cast<unsigned>(distance * 16 + length - 3));
    s.o += 2;
    s.p += length;
    EndItem(s, 1);
    return ProbeAt(s, table);
  }
  s.output[s.o++] = static_cast<uint8_t>(probe.head);
  ++s.p;
  EndItem(s, 0);
  return {Load64(s.input + s.p), nextIndex, nextEarlier};
}

}  // namespace

size_t CompressBlock(const uint8_t* input, uint8_t* output, size_t n, TZipHashTable& table) {
  table.Clear();
  output[0] = CodedFlag;
  CoderState s{input, output, n, 1, 3, 0, 0, 0};
  for (Probe probe = ProbeAt(s, table); n - s.p >= InsideMargin && s.o <= n;) {
    StartItem(s);
    probe = PutItemInside(s, table, probe);
  }
  while (s.p < n && s.o <= n) {
    StartItem(s);
    PutItem(s, table);
  }
  if (s.items < 16) s.control <<= 16 - s.items;
  Store16BigEndian(output + s.controlAt, s.control & 0xFFFF);
  // The loop stops as soon as the coded form outgrows the block, so it is never longer than it.
  if (s.o > n) return StoreBlock(input, output, n);
  return s.o;
}

size_t CompressBlock(const uint8_t* input, uint8_t* output, size_t n) {
  TZipHashTable table;
  return CompressBlock(input, output, n, table);
}
