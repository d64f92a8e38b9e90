// The LZRW1 block encoder: CompressBlock, CompressBlocks and the one-probe FindMatch.
//
// The coder's speed is set by how soon it knows whether the next item is a literal or a copy: the
// processor cannot guess it, so each wrong guess costs as long as the answer takes to compute.
// Hence the block is first copied between margins (no load needs a bounds test), the table index
// of every position is computed ahead in one pass, while a literal is written the entry and the
// compared bytes of the next position are already being fetched, and a stream codes several blocks
// side by side, so that the processor has another block's work at hand while it waits.
#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <tuple>
#include <utility>

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

size_t StoreBlock(const uint8_t* input, uint8_t* output, size_t n) {
  output[0] = StoredFlag;
  if (n > 0) std::memcpy(output + 1, input, n);
  return n + 1;
}

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

// What a BlockCoder works in besides its output: the table, a copy of the block with readable
// bytes before it (where an empty entry points) and zeros after it (which the coder reads ahead
// into), and the table index of every position. Static, so that the coder addresses all of it
// from one register; one per block coded side by side.
struct EncoderArea {
  static constexpr size_t LookBehind = ZipDistanceLimit;
  static constexpr size_t LookAhead = 64;
  TZipHashTable table;
  uint8_t block[LookBehind + ZipBlockSize + LookAhead];
  uint16_t index[ZipBlockSize + LookAhead];
};

EncoderArea areas[ZipBlocksSideBySide];

// One block being coded. Where it stands: p in the block; in the output, the next item and the
// control word being filled, whose items stand below a marker bit that reaches bit 16 after the
// 16th item; and the entry of p with how its bytes differ from those at p, fetched ahead. A local
// object whose address never escapes, so that all of it stays in registers; it works in the area
// of its number, whose address is then a constant.
template <size_t Coder>
class BlockCoder {
 public:
  BlockCoder(const uint8_t* input, uint8_t* output, size_t n)
      : input_(input), output_(output), end_(output + n), n_(n) {
    EncoderArea& area = areas[Coder];
    area.table.Clear();
    if (n > 0) std::memcpy(block_, input, n);
    std::memset(block_ + n, 0, EncoderArea::LookAhead);
    HashEveryPosition(block_, n, area.index);
    output[0] = CodedFlag;
    ProbeAt(0);
  }

  // The coded form is given up as soon as it outgrows the block, so it is never longer than it.
  bool Active() const { return p_ < n_ && item_ <= end_; }

  // Codes one item.
  __attribute__((always_inline)) void Step() {
    StartItem();
    // A run item may start where 16 bytes are one value. Nine equal bytes are tested first,
    // with the bytes at p + 1 that are loaded anyway: that shuts out nearly every position.
    const uint64_t head = Load64(block_ + p_), nextHead = Load64(block_ + p_ + 1);
    if (head == nextHead && Load64(block_ + p_ + 8) == head) {
      // Runs are caught before the table is consulted and do not enter it.
      const size_t run = RunLength(block_ + p_, head, std::min(n_ - p_, ZipMaxRunWritten));
      if (run >= MinRunLength) return PutRun(run, static_cast<uint8_t>(head));
    }
    uint16_t* const table = area_.table.entries.data();
    table[area_.index[p_]] = static_cast<uint16_t>(p_ + Bias);
    // Should p be a literal, p + 1 comes next: its entry is read after p is stored in case both
    // share it.
    const size_t nextEntry = table[area_.index[p_ + 1]];
    const uint64_t nextDifference = nextHead ^ Load64(block_ + nextEntry - Bias);
    const size_t distance = DistanceFrom(entry_, p_);
    if (CanCopyFrom(distance, difference_)) {
      const size_t length =
          std::min(CopyLength(block_ + p_, block_ + p_ - distance, difference_), n_ - p_);
      if (length >= MinMatchLength) return PutCopy(distance, length);
    }
    *item_++ = static_cast<uint8_t>(head);
    control_ <<= 1;
    ++p_;
    entry_ = nextEntry;
    difference_ = nextDifference;
  }

  // Codes what is left of the block and returns the body's length. Inlined like Step: a coder
  // whose address were passed to a call would have to live in memory, not in registers.
  __attribute__((always_inline)) size_t CodeRestAlone() {
    while (Active()) Step();
    return Finish();
  }

 private:
  // Writes the last control word and returns the body's length.
  size_t Finish() {
    // The low bits of the last word that describe no item are 0.
    while (control_ < 0x10000) control_ <<= 1;
    Store16BigEndian(controlAt_, control_);
    const size_t length = static_cast<size_t>(item_ - output_);
    if (length > n_) return StoreBlock(input_, output_, n_);
    return length;
  }

  void ProbeAt(size_t p) {
    p_ = p;
    entry_ = area_.table.entries[area_.index[p]];
    difference_ = Load64(block_ + p) ^ Load64(block_ + entry_ - Bias);
  }

  // Every 16 items the control word is complete, and the next one is kept free in the output.
  void StartItem() {
    if (control_ < 0x10000) return;
    Store16BigEndian(controlAt_, control_);
    controlAt_ = item_;
    item_ += 2;
    control_ = 1;
  }

  void PutCopy(size_t distance, size_t length) {
    Store16BigEndian(item_, static_cast<unsigned>(distance * 16 + length - MinMatchLength));
    item_ += 2;
    control_ = control_ * 2 + 1;
    ProbeAt(p_ + length);
  }

  void PutRun(size_t length, uint8_t byte) {
    item_[0] = 0;
    Store16BigEndian(item_ + 1, static_cast<unsigned>(length - MinRunLength));
    item_[3] = byte;
    item_ += 4;
    control_ = control_ * 2 + 1;
    ProbeAt(p_ + length);
  }

  static constexpr EncoderArea& area_ = areas[Coder];
  static constexpr uint8_t* block_ = areas[Coder].block + EncoderArea::LookBehind;
  const uint8_t* const input_;
  uint8_t* const output_;
  uint8_t* const end_;
  const size_t n_;
  uint8_t* controlAt_ = output_ + 1;
  uint8_t* item_ = output_ + 3;
  unsigned control_ = 1;
  size_t p_ = 0, entry_ = 0;
  uint64_t difference_ = 0;
};

// Steps every coder by one item in turn while all have items left; then each finishes alone.
template <size_t... Coder>
void CodeSideBySide(TZipBlockJob* jobs, std::index_sequence<Coder...>) {
  static_assert(sizeof...(Coder) <= ZipBlocksSideBySide, "one area per coder");
  std::tuple<BlockCoder<Coder>...> coders(
      BlockCoder<Coder>(jobs[Coder].input, jobs[Coder].output, jobs[Coder].n)...);
  while ((std::get<Coder>(coders).Active() && ...)) (std::get<Coder>(coders).Step(), ...);
  ((jobs[Coder].length = std::get<Coder>(coders).CodeRestAlone()), ...);
}

// CodeSideBySide for `count` (1 to Most) coders.
template <size_t Most>
void CodeUpTo(TZipBlockJob* jobs, size_t count) {
  if constexpr (Most > 1) {
    if (count < Most) return CodeUpTo<Most - 1>(jobs, count);
  }
  CodeSideBySide(jobs, std::make_index_sequence<Most>());
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
  TZipBlockJob job{input, output, n};
  CompressBlocks(&job, 1);
  return job.length;
}

void CompressBlocks(TZipBlockJob* jobs, size_t count) {
  if (count == 0 || count > ZipBlocksSideBySide) {
    throw std::invalid_argument("CompressBlocks: 1 to ZipBlocksSideBySide blocks");
  }
  CodeUpTo<ZipBlocksSideBySide>(jobs, count);
}
