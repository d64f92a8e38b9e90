#include "components/ZipLzImp.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "framework/MemoryStream.h"

const char* const SZipSourceError = "Fatal:Error Zip Source";

EZipSourceError::EZipSourceError() : Exception(SZipSourceError) {}

namespace {

TZipMessageLoopTurn& MessageLoopTurn() {
  static TZipMessageLoopTurn turn;
  return turn;
}

}  // namespace

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

void WriteBlock(TMemoryStream& destination, const ZipBlockJob& block, bool last) {
  WriteBlockHeader(destination, block.n, block.length, last);
  destination.Write(block.output, block.length);
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

// Decodes a body onto the destination at its position. At the destination's end, the usual
// case, the block is decoded in place, which spares copying every block once more; a failed
// block leaves nothing there.
void WriteDecodedBlock(TMemoryStream& destination, const uint8_t* body, size_t bodyLength) {
  const size_t at = destination.Position();
  if (at != destination.Size()) {
    std::vector<uint8_t> plain(ZipDecodeCapacity);
    destination.Write(plain.data(), DecompressBlock(body, plain.data(), bodyLength));
    return;
  }
  uint8_t* const plain = destination.Extend(ZipDecodeCapacity);
  size_t plainLength = 0;
  try {
    plainLength = DecompressBlock(body, plain, bodyLength);
  } catch (...) {
    destination.SetSize(at);
    throw;
  }
  destination.SetSize(at + plainLength);
  destination.Seek(at + plainLength);
}

}  // namespace

// Blocks are coded a batch at a time: the side-by-side coders keep busy while the batch lasts,
// and the work buffers stay small whatever the stream's length.
int64_t CompressStream(TMemoryStream& source, TMemoryStream& destination) {
  constexpr size_t BlocksPerBatch = 32;
  constexpr size_t BodyRoom = ZipBlockSize + ZipCodedSlack;
  size_t at = source.Position();
  const size_t end = std::max(source.Size(), at);
  // Room for the blocks there are, not for a whole batch: a short stream would otherwise pay for
  // a megabyte of zeroed work space on every call.
  const size_t blocks = (end - at + ZipBlockSize - 1) / ZipBlockSize;
  std::vector<uint8_t> bodies(std::min(blocks, BlocksPerBatch) * BodyRoom);
  std::vector<ZipBlockJob> jobs;
  while (at < end) {
    jobs.clear();
    while (jobs.size() < BlocksPerBatch && at < end) {
      const size_t n = std::min(end - at, ZipBlockSize);
      jobs.push_back({source.Memory() + at, bodies.data() + jobs.size() * BodyRoom, n});
      at += n;
    }
    CompressBlocks(jobs.data(), jobs.size());
    for (size_t i = 0; i < jobs.size(); ++i)
      WriteBlock(destination, jobs[i], at == end && i + 1 == jobs.size());
  }
  source.Seek(end);
  return static_cast<int64_t>(destination.Size());
}

int64_t DecompressStream(TMemoryStream& source, TMemoryStream& destination) {
  if (source.Position() >= source.Size()) return static_cast<int64_t>(destination.Size());
  bool last = false;
  while (!last) {
    if (const TZipMessageLoopTurn& turn = MessageLoopTurn()) turn();
    const size_t bodyLength = ReadBlockHeader(source, last);
    const size_t at = source.Position();
    if (bodyLength > source.Size() - at) throw EZipSourceError();
    WriteDecodedBlock(destination, source.Memory() + at, bodyLength);
    source.Seek(at + bodyLength);
  }
  return static_cast<int64_t>(destination.Size());
}
