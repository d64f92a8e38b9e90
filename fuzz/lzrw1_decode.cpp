// The LZRW1 reader on any bytes: as a whole container and as a single block body. It must only
// ever succeed or raise EZipSourceError, within its buffers and the block size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "components/ZipLzImp.h"
#include "framework/MemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream source, plain;
  source.Write(data, size);
  source.Seek(0);
  try {
    DecompressStream(source, plain);
  } catch (const EZipSourceError&) {
  }
  // Every block yields at most its own size, and a block takes at least its header.
  if (plain.Size() > (size / ZipHeaderLength) * ZipBlockSize) std::abort();

  if (size <= ZipMaxBodyLength) {
    // Exactly the body's bytes, so that ASan sees any read past its end.
    std::vector<uint8_t> body(data, data + size), block(ZipDecodeCapacity);
    try {
      if (DecompressBlock(body.data(), block.data(), body.size()) > ZipBlockSize) std::abort();
    } catch (const EZipSourceError&) {
    }
  }
  return 0;
}
