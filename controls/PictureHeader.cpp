#include "controls/PictureHeader.h"

#include <string>

#include "framework/Exceptions.h"

namespace {
// --- bitmap files ------------------------------------------------------------------------------

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

uint16_t Little16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Little32(const uint8_t* p) {
  return Little16(p) | static_cast<uint32_t>(Little16(p + 2)) << 16;
}
uint16_t Big16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

[[noreturn]] void BadBitmap(const char* why) {
  throw EReadError(std::string("Bitmap image is not valid: ") + why);
}

// The pixel formats the drawing code takes: run-length coding only at its own depth, colour masks
// only for 16 and 32 bits.
bool KnownBitmapFormat(uint16_t bitCount, uint32_t compression) {
  switch (compression) {
    case kRgb:
      return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
             bitCount == 32;
    case kRle8:
      return bitCount == 8;
    case kRle4:
      return bitCount == 4;
    case kBitfields:
      return bitCount == 16 || bitCount == 32;
    default:
      return false;
  }
}

// The drawing code reads the info header, the colour masks a 40-byte header of BI_BITFIELDS is
// followed by, and the palette, then the pixels from the file header's offset: all of it must lie
// in the file, in that order. Sizes are added up in 64 bits, so no stored value can wrap them.
TPictureHeader ReadBitmapHeader(const uint8_t* data, size_t size) {
  if (size < kFileHeaderSize + kInfoHeaderSize) BadBitmap("its headers are cut short");
  const uint8_t* info = data + kFileHeaderSize;
  const uint32_t bitsOffset = Little32(data + 10);
  const uint32_t infoSize = Little32(info);
  const int32_t width = static_cast<int32_t>(Little32(info + 4));
  const int32_t storedHeight = static_cast<int32_t>(Little32(info + 8));
  const uint16_t planes = Little16(info + 12);
  const uint16_t bitCount = Little16(info + 14);
  const uint32_t compression = Little32(info + 16);
  const uint32_t compressedSize = Little32(info + 20);
  const uint32_t coloursUsed = Little32(info + 32);

  if (infoSize < kInfoHeaderSize || infoSize > size - kFileHeaderSize) {
    BadBitmap("its info header's size is out of range");
  }
  // A negative height stores the top row first; INT32_MIN has no positive counterpart in 32 bits.
  const int64_t height = storedHeight < 0 ? -static_cast<int64_t>(storedHeight) : storedHeight;
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
    BadBitmap("its width or height is out of range");
  }
  if (planes != 1) BadBitmap("it has more than one plane");
  if (!KnownBitmapFormat(bitCount, compression)) BadBitmap("unsupported bit count or compression");
  const bool runLength = compression == kRle8 || compression == kRle4;
  if (runLength && storedHeight < 0) BadBitmap("a top-down bitmap cannot be run-length coded");

  const uint64_t masks = compression == kBitfields && infoSize == kInfoHeaderSize ? 12 : 0;
  const uint64_t paletteEntries = coloursUsed != 0 ? coloursUsed
                                  : bitCount <= 8  ? uint64_t{1} << bitCount
                                                   : 0;
  const uint64_t paletteEnd = kFileHeaderSize + uint64_t{infoSize} + masks + paletteEntries * 4;
  if (bitsOffset < paletteEnd || bitsOffset >= size) {
    BadBitmap("its pixels do not start after its palette inside the file");
  }
  const uint64_t available = size - bitsOffset;
  if (runLength) {
    // The run-length decoder's only bound is the stored size of the coded pixels.
    if (compressedSize == 0 || compressedSize > available) {
      BadBitmap("its coded pixels run past the end of the file");
    }
  } else {
    const uint64_t stride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
    if (stride * static_cast<uint64_t>(height) > available) {
      BadBitmap("its pixel rows run past the end of the file");
    }
  }
  TPictureHeader header;
  header.kind = TPictureKind::kBitmap;
  header.width = width;
  header.height = static_cast<int>(height);
  header.bitsOffset = bitsOffset;
  return header;
}

// --- JPEG files --------------------------------------------------------------------------------

constexpr uint8_t kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA;

[[noreturn]] void BadJpeg(const char* why) {
  throw EReadError(std::string("JPEG image is not valid: ") + why);
}

// Start-of-frame markers are C0 to CF but for DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameMarker(uint8_t code) {
  return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}
// The decoder reads 8-bit baseline, extended and progressive frames, Huffman or arithmetic coded;
// not lossless, hierarchical or 12-bit ones.
bool DecodableFrame(uint8_t code, uint8_t precision) {
  return precision == 8 &&
         (code == 0xC0 || code == 0xC1 || code == 0xC2 || code == 0xC9 || code == 0xCA);
}
// Markers that stand alone, without a length: TEM and the restart markers.
bool HasNoLength(uint8_t code) {
  return code == 0x01 || (code >= 0xD0 && code <= 0xD7);
}

// A frame header's body (after its length): precision, height, width, component count, then
// three bytes for each component.
void ReadFrame(uint8_t code, const uint8_t* body, size_t length, TPictureHeader& header) {
  if (length < 6) BadJpeg("its frame header is cut short");
  const int height = Big16(body + 1), width = Big16(body + 3), components = body[5];
  if (length != 6 + 3 * static_cast<size_t>(components)) {
    BadJpeg("its frame header's length does not match its components");
  }
  if (!DecodableFrame(code, body[0])) BadJpeg("unsupported coding process or precision");
  if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
      (components != 1 && components != 3)) {
    BadJpeg("unsupported JPEG size or colour format");
  }
  header.width = width;
  header.height = height;
}

// The marker segments from the start of the image to its first scan, as the decoder's header
// read takes them: each segment whole, exactly one frame header, and the scan after it.
TPictureHeader ReadJpegHeader(const uint8_t* data, size_t size) {
  TPictureHeader header;
  header.kind = TPictureKind::kJpeg;
  bool framed = false;
  size_t at = 2;  // after the start-of-image marker
  for (;;) {
    if (at >= size || data[at] != 0xFF) BadJpeg("a marker is missing or the file is cut short");
    while (at < size && data[at] == 0xFF) ++at;  // fill bytes
    if (at >= size) BadJpeg("the file is cut short");
    const uint8_t code = data[at++];
    if (HasNoLength(code)) continue;
    if (code == kStartOfImage || code == kEndOfImage) BadJpeg("no scan follows the headers");
    if (code == kStartOfScan && !framed) BadJpeg("a scan comes before the frame header");
    if (size - at < 2) BadJpeg("a marker segment is cut short");
    const size_t length = Big16(data + at);
    if (length < 2 || length > size - at) BadJpeg("a marker segment runs past the end of the file");
    if (code == kStartOfScan) return header;
    if (IsFrameMarker(code)) {
      if (framed) BadJpeg("it has a second frame header");
      ReadFrame(code, data + at + 2, length - 2, header);
      framed = true;
    }
    at += length;
  }
}
}  // namespace

bool IsBitmapFile(const uint8_t* data, size_t size) {
  return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool IsJpegFile(const uint8_t* data, size_t size) {
  return size >= 3 && data[0] == 0xFF && data[1] == kStartOfImage && data[2] == 0xFF;
}

TPictureHeader ReadPictureHeader(const uint8_t* data, size_t size) {
  if (IsBitmapFile(data, size)) return ReadBitmapHeader(data, size);
  if (IsJpegFile(data, size)) return ReadJpegHeader(data, size);
  throw EReadError("Unknown picture format");
}
