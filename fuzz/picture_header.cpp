// A stored picture's bytes, any of them: the headers are either read or refused with EReadError,
// never anything else; a bitmap that passes has a size in range and its pixels inside the file; a
// JPEG that passes (and is small enough to decode quickly) is decoded by libjpeg to exactly the
// size its headers gave, or refused by libjpeg with a message.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "controls/JpegDecoder.h"
#include "controls/PictureHeader.h"
#include "framework/Exceptions.h"

namespace {
constexpr int64_t kLargestDecoded = 256 * 256;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TPictureHeader header;
  try {
    header = ReadPictureHeader(data, size);
  } catch (const EReadError&) {
    return 0;
  }
  if (header.width <= 0 || header.height <= 0 || header.width > kMaxPictureSide ||
      header.height > kMaxPictureSide) {
    std::abort();
  }
  if (header.kind == TPictureKind::kBitmap) {
    if (header.bitsOffset >= size) std::abort();
    return 0;
  }
  const int64_t pixels = static_cast<int64_t>(header.width) * header.height;
  if (pixels > kLargestDecoded) return 0;
  DecodedImage image;
  std::string error;
  if (!DecodeJpeg(data, size, image, error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (image.width != header.width || image.height != header.height ||
      image.bgra.size() != static_cast<size_t>(pixels) * 4) {
    std::abort();
  }
  return 0;
}
