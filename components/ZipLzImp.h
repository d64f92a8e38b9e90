#pragma once
// LZRW1 block coder and the "ZIP-LZRW1" stream container in which TBinStream may hold its bytes.
//
// The container is our own layout, not the published LZRW1 one: a sequence of blocks of at most
// 32768 plain bytes, each a 31-byte header followed by a body. A body starts with a flag byte
// (0x80 stored, anything else coded); a coded body is a stream of items, described 16 at a time
// by big-endian control words: a literal byte (bit 0), or (bit 1) a two-byte copy of 3 to 18 bytes
// from up to 4095 bytes back, or a four-byte run of 16 to 4111 equal bytes. Blocks never refer to
// each other, and every block starts with an empty hash table.
//
// The decoder is safe on any input: it never reads or writes outside its buffers, and everything
// that is not a well-formed container raises EZipSourceError ("Fatal:Error Zip Source").
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "framework/Exceptions.h"

class TMemoryStream;

constexpr size_t ZipBlockSize = 32768;  // plain bytes per block, the last may be shorter
constexpr size_t ZipMaxBodyLength = ZipBlockSize + 1;  // a stored block: flag byte + the block
constexpr size_t ZipHeaderLength = 31;
constexpr size_t ZipCodedSlack = 6;  // a coded body may run this far past n before it is given up
constexpr size_t ZipMaxRunCount = 4095 + 16;  // the longest run the decoder accepts
constexpr size_t ZipMaxRunWritten = 4095;     // the longest run the encoder writes
constexpr unsigned ZipDistanceLimit = 4096;

extern const char* const SZipSourceError;  // "Fatal:Error Zip Source"

// Raised for every container or body that is not well formed.
class EZipSourceError : public Exception {
 public:
  EZipSourceError();
};

// The encoder's table of recent positions: 4096 block positions. Each is kept as position +
// ZipDistanceLimit, so that an empty entry (0) lies too far back for a copy from every position
// and needs no test of its own. Each CompressBlock clears it first.
struct ZipHashTable {
  static constexpr size_t Bias = ZipDistanceLimit;
  std::array<uint16_t, 4096> entries;
  void Clear() { entries.fill(0); }
};

struct ZipMatch {
  uint16_t start = 0;   // block position of the earlier occurrence
  uint16_t length = 0;  // 3 to 18
};

// Probes the table once for a match of the bytes at p (of a block of n bytes) and records p in
// the probed entry, match or not. Positions closer than three bytes to n never match.
bool FindMatch(const uint8_t* input, size_t p, size_t n, ZipHashTable& table, ZipMatch& match);

// Codes n (0 to 32768) plain bytes into a block body and returns the body's length. `output` must
// hold n + ZipCodedSlack bytes (at least 1). Input that does not shrink is stored: flag 0x80 and
// the n bytes, n + 1 in all. Not re-entrant: the coder works in static areas of about 110 KB
// each (its table among them), as everything that codes runs on the user-interface thread.
size_t CompressBlock(const uint8_t* input, uint8_t* output, size_t n);

// Codes `count` blocks into the same bodies as CompressBlock gives each, ZipBlocksSideBySide of
// them at a time: while the processor waits on one block it works on the others, which is
// faster. Not re-entrant either.
constexpr size_t ZipBlocksSideBySide = 3;  // a fourth gains nothing more
struct ZipBlockJob {
  const uint8_t* input;
  uint8_t* output;  // n + ZipCodedSlack bytes
  size_t n;
  size_t length = 0;  // of the body, once coded
};
void CompressBlocks(ZipBlockJob* jobs, size_t count);

// Decodes a body of m bytes (at most ZipMaxBodyLength) into `output`, which must hold
// ZipDecodeCapacity bytes, and returns the plain length (at most ZipBlockSize). A body of 0 or 1
// bytes decodes to nothing. Raises EZipSourceError for a truncated item, a copy reaching before
// the block start or more than ZipBlockSize plain bytes.
constexpr size_t ZipDecodeCapacity = ZipBlockSize + 512;  // room for the decoder's wide moves
size_t DecompressBlock(const uint8_t* input, uint8_t* output, size_t m);

// The turn of the user interface's message loop that DecompressStream gives before each block.
// The Windows program sets it to its application object's ProcessMessages; by default it is empty.
using TZipMessageLoopTurn = std::function<void()>;
void SetZipMessageLoopTurn(TZipMessageLoopTurn turn);

// Codes the source's bytes from its current position to its end into a container appended at
// the destination's position. Returns the destination's total length. No bytes: no blocks.
// Source and destination are two different streams (also for DecompressStream).
int64_t CompressStream(TMemoryStream& source, TMemoryStream& destination);

// Decodes the container at the source's position and appends the plain bytes to the
// destination; returns the destination's total length. A source already at its end is an empty
// container. On EZipSourceError the blocks decoded before the faulty one stay appended.
int64_t DecompressStream(TMemoryStream& source, TMemoryStream& destination);
