#include "components/ZipLzImp.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "framework/MemoryStream.h"

const char* const SZipSourceError = "Fatal:Error Zip Source";

EZipSourceError::EZipSourceError() : Exception(SZipSourceError) {}

namespace {

constexpr uint8_t StoredFlag = 0x80;
constexpr uint8_t CodedFlag = 0x40;
constexpr size_t MaxMatchLength = 18;
constexpr size_t MinMatchLength = 3;
constexpr size_t MinRunLength = 16;

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "words are read little-endian");

inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline void Copy8(uint8_t* to, const uint8_t* from) {
  std::memcpy(to, from, 8);
}

inline void Store16BigEndian(uint8_t* p, unsigned value) {
  p[0] = static_cast<uint8_t>(value >> 8);
  p[1] = static_cast<uint8_t>(value);
}

inline unsigned Load16BigEndian(const uint8_t* p) {
  return (unsigned{p[0]} << 8) | p[1];
}

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

TZipMessageLoopTurn& MessageLoopTurn() {
  static TZipMessageLoopTurn turn;
  return turn;
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

void SetZipMessageLoopTurn(TZipMessageLoopTurn turn) {
  MessageLoopTurn() = std::move(turn);
}

namespace {

// Offset 0 holds the length of the signature text that follows it.
constexpr uint8_t Signature[14] = {13,  'Z', 'I', 'P', '-', 'L', 'Z',
                                   'R', 'W', '1', ' ', ' ', ' ', ' '};
constexpr size_t PlainLengthAt = 21;
constexpr size_t BodyLengthAt = 25;
constexpr size_t VersionAt = 29;
constexpr size_t LastBlockAt = 30;

void StoreInt32LittleEndian(uint8_t* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

int32_t LoadInt32LittleEndian(const uint8_t* p) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | p[i];
  return static_cast<int32_t>(value);
}

void WriteBlockHeader(TMemoryStream& destination, size_t plainLength, size_t bodyLength,
                      bool last) {
  uint8_t header[ZipHeaderLength] = {};  // the reserved bytes are written as zeros
  std::memcpy(header, Signature, sizeof Signature);
  StoreInt32LittleEndian(header + PlainLengthAt, static_cast<uint32_t>(plainLength));
  StoreInt32LittleEndian(header + BodyLengthAt, static_cast<uint32_t>(bodyLength));
  header[VersionAt] = 1;
  header[LastBlockAt] = last ? 1 : 0;
  destination.Write(header, sizeof header);
}

// Reads one block header and returns the length of the body that follows it. The plain length
// and the version byte are not trusted: the decoded length is what the body yields.
size_t ReadBlockHeader(TMemoryStream& source, bool& last) {
  uint8_t header[ZipHeaderLength];
  if (source.Read(header, sizeof header) != sizeof header) throw EZipSourceError();
  if (std::memcmp(header, Signature, sizeof Signature) != 0) throw EZipSourceError();
  const int32_t bodyLength = LoadInt32LittleEndian(header + BodyLengthAt);
  if (bodyLength < 0 || static_cast<size_t>(bodyLength) > ZipMaxBodyLength) throw EZipSourceError();
  last = header[LastBlockAt] != 0;
  return static_cast<size_t>(bodyLength);
}

}  // namespace

int64_t CompressStream(TMemoryStream& source, TMemoryStream& destination) {
  std::vector<uint8_t> body(ZipBlockSize + ZipCodedSlack);
  TZipHashTable table;
  size_t left = source.Size() > source.Position() ? source.Size() - source.Position() : 0;
  while (left > 0) {
    // Coded in place: CompressBlock reads nothing past the block's n bytes.
    const size_t n = std::min(left, ZipBlockSize), at = source.Position();
    const size_t m = CompressBlock(source.Memory() + at, body.data(), n, table);
    source.Seek(at + n);
    left -= n;
    WriteBlockHeader(destination, n, m, left == 0);
    destination.Write(body.data(), m);
  }
  return static_cast<int64_t>(destination.Size());
}

int64_t DecompressStream(TMemoryStream& source, TMemoryStream& destination) {
  if (source.Position() >= source.Size()) return static_cast<int64_t>(destination.Size());
  std::vector<uint8_t> plain(ZipDecodeCapacity);
  bool last = false;
  while (!last) {
    if (const TZipMessageLoopTurn& turn = MessageLoopTurn()) turn();
    const size_t bodyLength = ReadBlockHeader(source, last);
    const size_t at = source.Position();
    if (bodyLength > source.Size() - at) throw EZipSourceError();
    const size_t plainLength = DecompressBlock(source.Memory() + at, plain.data(), bodyLength);
    source.Seek(at + bodyLength);
    destination.Write(plain.data(), plainLength);
  }
  return static_cast<int64_t>(destination.Size());
}
