// decode(encode(x)) == x for any x, and no block body is longer than its block plus the flag.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "components/ZipLzImp.h"
#include "framework/MemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Exactly the block's bytes and the documented output room, so that ASan sees any overrun.
  const size_t n = size < ZipBlockSize ? size : ZipBlockSize;
  std::vector<uint8_t> plain(data, data + n), body(n + ZipCodedSlack);
  const size_t m = CompressBlock(plain.data(), body.data(), n);
  if (m > n + 1) std::abort();
  body.resize(m);
  std::vector<uint8_t> decoded(ZipDecodeCapacity);
  decoded.resize(DecompressBlock(body.data(), decoded.data(), m));
  if (decoded != plain) std::abort();

  TMemoryStream source, container, restored;
  source.Write(data, size);
  source.Seek(0);
  CompressStream(source, container);
  container.Seek(0);
  DecompressStream(container, restored);
  if (restored.Size() != size || (size > 0 && std::memcmp(restored.Memory(), data, size) != 0)) {
    std::abort();
  }
  return 0;
}
