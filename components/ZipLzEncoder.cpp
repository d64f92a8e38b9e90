// The LZRW1 block encoder: CompressBlock, CompressBlocks and the one-probe FindMatch.
//
// The coder's speed is set by the chain from one item to the next: the position gives the table
// index, the index the entry, the entry the bytes to compare and those the length, which gives the
// next position. Whether an item is a literal or a copy cannot be guessed, and a branch on it would
// throw away the work in flight about once per copy, so each item computes both and selects one.
// Hence the block is first copied between margins (no load needs a bounds test), the table index
// of every position is computed ahead in one pass, and three blocks are coded side by side, so
// that the processor has the others' work at hand while one block waits on its chain.
#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>

#include "components/ZipLzBytes.h"
#include "components/ZipLzImp.h"

using namespace ziplz;

// On processors without vector registers the compiler splits the lanes of the vector helpers
// below; they are internal and inlined, so GCC's note on their calling convention is moot.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

constexpr size_t Bias = ZipHashTable::Bias;

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

// Number of equal leading bytes of a and b, at most `limit`; both must hold `limit` bytes.
inline size_t CommonPrefix(const uint8_t* a, const uint8_t* b, size_t limit) {
  size_t length = 0;
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

// The number of equal leading bytes (0 to 15) of two 16-byte strings whose halves differ by
// `first` and `second`, not both 0; without a branch on which half holds the first difference.
inline size_t EqualLeadingBytes(uint64_t first, uint64_t second) {
  const uint64_t differing = first != 0 ? first : second;
  return (first != 0 ? 0 : 8) + (static_cast<size_t>(__builtin_ctzll(differing)) >> 3);
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
  ZipHashTable table;
  uint8_t block[LookBehind + ZipBlockSize + LookAhead];
  uint16_t index[ZipBlockSize + LookAhead];
};

EncoderArea areas[ZipBlocksSideBySide];

// One block being coded, or none. Where it stands: p in the block, and in the output the next
// item and the control word being filled, whose items stand below a marker bit that reaches bit
// 16 after the 16th item. A local object whose address never escapes, so that all of it stays in
// registers; it works in the area of its number, whose address is then a constant.
template <size_t Coder>
class BlockCoder {
 public:
  __attribute__((always_inline)) void Start(ZipBlockJob& job) {
    job_ = &job;
    n_ = job.n;
    end_ = job.output + n_;
    area_.table.Clear();
    if (n_ > 0) std::memcpy(block_, job.input, n_);
    std::memset(block_ + n_, 0, EncoderArea::LookAhead);
    HashEveryPosition(block_, n_, area_.index);
    job.output[0] = CodedFlag;
    controlAt_ = job.output + 1;
    item_ = job.output + 3;
    control_ = 1;
    p_ = 0;
  }

  bool Idle() const { return job_ == nullptr; }

  // The coded form is given up as soon as it outgrows the block, so it is never longer than it.
  bool Active() const { return p_ < n_ && item_ <= end_; }

  // No copy from here can reach past the block's end, so its length needs no bound.
  bool FarFromEnd() const { return p_ + MaxMatchLength <= n_ && item_ <= end_; }

  // Codes one item. Near the block's end a copy is cut short where the block ends.
  template <bool NearEnd>
  __attribute__((always_inline)) void Step() {
    StartItem();
    const uint8_t* const at = block_ + p_;
    const uint64_t head = Load64(at);
    // A run item may start where 16 bytes are one value. Nine equal bytes are tested first, which
    // shuts out nearly every position.
    if (__builtin_expect(head == Load64(at + 1) && Load64(at + 8) == head, 0)) {
      const size_t run = RunLength(at, head, std::min(n_ - p_, ZipMaxRunWritten));
      // Runs are caught before the table is consulted and do not enter it.
      if (run >= MinRunLength) return PutRun(run, static_cast<uint8_t>(head));
    }
    uint16_t& slot = area_.table.entries[area_.index[p_]];
    const size_t entry = slot;
    slot = static_cast<uint16_t>(p_ + Bias);
    const size_t distance = DistanceFrom(entry, p_);
    // The compared bytes are addressed from the entry alone, a step sooner than from the
    // distance. An empty entry points into the margin before the block.
    const uint8_t* const from = block_ + entry - Bias;
    // A distance of ZipDistanceLimit or more, shifted down by 12, is 1 to 8: as the low bits of
    // the difference it makes the length 0.
    const uint64_t first = (head ^ Load64(from)) | (distance >> 12);
    const uint64_t second = Load64(at + 8) ^ Load64(from + 8);
    size_t length = 0;
    if (__builtin_expect((first | second) != 0, 1)) {
      length = EqualLeadingBytes(first, second);
    } else {
      length = 16 + CommonPrefix(at + 16, from + 16, MaxMatchLength - 16);
    }
    if (NearEnd) length = std::min(length, n_ - p_);
    PutLiteralOrCopy(static_cast<uint8_t>(head), distance, length);
  }

  // Codes what is left of the block and records the body's length in its job; then the coder has
  // no block. Inlined like Step: a coder whose address were passed to a call would have to live
  // in memory, not in registers.
  __attribute__((always_inline)) void CodeRestAlone() {
    if (job_ == nullptr) return;
    while (FarFromEnd()) Step<false>();
    while (Active()) Step<true>();
    job_->length = Finish();
    job_ = nullptr;
  }

 private:
  // Writes the last control word and returns the body's length.
  size_t Finish() {
    // The low bits of the last word that describe no item are 0.
    while (control_ < 0x10000) control_ <<= 1;
    Store16BigEndian(controlAt_, control_);
    const size_t length = static_cast<size_t>(item_ - job_->output);
    if (length > n_) return StoreBlock(job_->input, job_->output, n_);
    return length;
  }

  // Every 16 items the control word is complete, and the next one is kept free in the output.
  void StartItem() {
    if (control_ < 0x10000) return;
    Store16BigEndian(controlAt_, control_);
    controlAt_ = item_;
    item_ += 2;
    control_ = 1;
  }

  // A copy of `length` bytes when it is 3 or more, otherwise the literal: selected by a mask. A
  // literal is written with a second byte that the next item overwrites.
  void PutLiteralOrCopy(uint8_t literal, size_t distance, size_t length) {
    const size_t copy = length >= MinMatchLength;
    const size_t mask = 0 - copy;
    const size_t copyCode = distance * 16 + length - MinMatchLength;
    Store16BigEndian(item_,
                     static_cast<unsigned>((copyCode & mask) | (size_t{literal} << 8 & ~mask)));
    item_ += 1 + copy;
    control_ = control_ * 2 + static_cast<unsigned>(copy);
    p_ += 1 + ((length - 1) & mask);
  }

  void PutRun(size_t length, uint8_t byte) {
    item_[0] = 0;
    Store16BigEndian(item_ + 1, static_cast<unsigned>(length - MinRunLength));
    item_[3] = byte;
    item_ += 4;
    control_ = control_ * 2 + 1;
    p_ += length;
  }

  static constexpr EncoderArea& area_ = areas[Coder];
  static constexpr uint8_t* block_ = areas[Coder].block + EncoderArea::LookBehind;
  ZipBlockJob* job_ = nullptr;
  uint8_t* end_ = nullptr;
  size_t n_ = 0;
  uint8_t* controlAt_ = nullptr;
  uint8_t* item_ = nullptr;
  unsigned control_ = 1;
  size_t p_ = 0;
};

// Steps every coder that has a block by one item in turn, while all of them are far from their
// block's end. A coder that comes near its end codes the rest alone and takes the next block, if
// one is left.
template <size_t... Coder>
void CodeSideBySide(ZipBlockJob* jobs, size_t count, std::index_sequence<Coder...>) {
  static_assert(sizeof...(Coder) <= ZipBlocksSideBySide, "one area per coder");
  std::tuple<BlockCoder<Coder>...> coders;
  size_t next = 0;
  (std::get<Coder>(coders).Start(jobs[next++]), ...);
  auto takeNextIfDone = [&](auto& coder) __attribute__((always_inline)) {
    if (coder.Idle() || coder.FarFromEnd()) return;
    coder.CodeRestAlone();
    if (next < count) coder.Start(jobs[next++]);
  };
  while (!(std::get<Coder>(coders).Idle() && ...)) {
    while ((std::get<Coder>(coders).FarFromEnd() && ...)) {
      (std::get<Coder>(coders).template Step<false>(), ...);
    }
    // Once the blocks run out, the coders still busy go on side by side.
    while (((std::get<Coder>(coders).Idle() || std::get<Coder>(coders).FarFromEnd()) && ...)) {
      ((std::get<Coder>(coders).Idle() ? void() : std::get<Coder>(coders).template Step<false>()),
       ...);
    }
    (takeNextIfDone(std::get<Coder>(coders)), ...);
  }
}

// CodeSideBySide with as many coders as there are blocks, at most ZipBlocksSideBySide.
template <size_t Most>
void CodeUpTo(ZipBlockJob* jobs, size_t count) {
  if constexpr (Most > 1) {
    if (count < Most) return CodeUpTo<Most - 1>(jobs, count);
  }
  CodeSideBySide(jobs, count, std::make_index_sequence<Most>());
}

}  // namespace

bool FindMatch(const uint8_t* input, size_t p, size_t n, ZipHashTable& table, ZipMatch& match) {
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
  ZipBlockJob job{input, output, n};
  CompressBlocks(&job, 1);
  return job.length;
}

void CompressBlocks(ZipBlockJob* jobs, size_t count) {
  if (count > 0) CodeUpTo<ZipBlocksSideBySide>(jobs, count);
}
