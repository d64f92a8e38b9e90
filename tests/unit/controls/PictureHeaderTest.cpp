// The stored pictures' headers are refused, with EReadError, wherever a field would send the
// drawing code or the decoder past the bytes there are.
#include "controls/PictureHeader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "framework/Exceptions.h"

namespace {
void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A 4 x 2 bitmap of 8 bits with a two-colour palette: headers (54 bytes), palette (8), rows (8).
std::vector<uint8_t> PaletteBitmap() {
  std::vector<uint8_t> bytes(70, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, 70);
  Put32(bytes, 10, 62);  // the pixels' offset
  Put32(bytes, 14, 40);  // info header size
  Put32(bytes, 18, 4);   // width
  Put32(bytes, 22, 2);   // height
  bytes[26] = 1;         // planes
  bytes[28] = 8;         // bits per pixel
  Put32(bytes, 46, 2);   // colours used
  return bytes;
}

// A JPEG's headers up to its scan: a baseline frame of 4 x 2 with one component.
std::vector<uint8_t> JpegHeaders() {
  return {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x02, 0x00, 0x04, 0x01, 0x01,
          0x11, 0x00, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00};
}

template <typename Change>
void ExpectRefused(std::vector<uint8_t> bytes, Change change) {
  change(bytes);
  EXPECT_THROW(ReadPictureHeader(bytes.data(), bytes.size()), EReadError);
}
}  // namespace

TEST(PictureHeader, FieldsThatReachPastTheBytesAreRefused) {
  std::vector<uint8_t> bitmap = PaletteBitmap();
  TPictureHeader header = ReadPictureHeader(bitmap.data(), bitmap.size());
  EXPECT_EQ(header.width, 4);
  EXPECT_EQ(header.height, 2);
  EXPECT_EQ(header.bitsOffset, 62u);
  Put32(bitmap, 22, static_cast<uint32_t>(-2));  // top row first
  EXPECT_EQ(ReadPictureHeader(bitmap.data(), bitmap.size()).height, 2);

  ExpectRefused(PaletteBitmap(), [](auto& b) { b.pop_back(); });  // last row cut short
  ExpectRefused(PaletteBitmap(), [](auto& b) { b.resize(40); });  // headers cut short
  ExpectRefused(PaletteBitmap(), [](auto& b) { Put32(b, 22, static_cast<uint32_t>(INT_MIN)); });
  ExpectRefused(PaletteBitmap(), [](auto& b) { Put32(b, 46, 0x40000000); });  // palette past end
  ExpectRefused(PaletteBitmap(), [](auto& b) { Put32(b, 10, 58); });  // pixels inside the palette
  ExpectRefused(PaletteBitmap(), [](auto& b) { Put32(b, 14, 0xFFFFFFF0); });  // header past end
  ExpectRefused(PaletteBitmap(), [](auto& b) { b[28] = 0; });                 // bit count 0

  const std::vector<uint8_t> jpeg = JpegHeaders();
  header = ReadPictureHeader(jpeg.data(), jpeg.size());
  EXPECT_EQ(header.kind, TPictureKind::kJpeg);
  EXPECT_EQ(header.width, 4);
  EXPECT_EQ(header.height, 2);
  ExpectRefused(JpegHeaders(), [](auto& b) { b.resize(b.size() - 1); });  // scan header cut short
  ExpectRefused(JpegHeaders(), [](auto& b) { b[5] = 0xFF; });             // frame runs past the end
  ExpectRefused(JpegHeaders(), [](auto& b) { b[7] = b[8] = 0; });         // no height
  ExpectRefused(JpegHeaders(), [](auto& b) { b[3] = 0xDA; });             // a scan before any frame
  ExpectRefused(JpegHeaders(), [](auto& b) { b[16] = 0xC2; });            // a second frame
  ExpectRefused(std::vector<uint8_t>{'G', 'I', 'F', '8'}, [](auto&) {});
}
