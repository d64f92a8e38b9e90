#pragma once
// The headers of a stored picture (the form's byte block "Data" of a picture or a glyph: the
// bytes of a Windows bitmap file or of a JPEG file), checked against the bytes there are before
// anything decodes them. A bitmap passes only when its header, colour masks, palette and pixel
// rows all lie inside the file in that order; a JPEG only when its marker segments up to its
// first scan are whole and its frame header is one the decoder reads.
#include <cstddef>
#include <cstdint>

enum class TPictureKind { kBitmap, kJpeg };

struct TPictureHeader {
  TPictureKind kind = TPictureKind::kBitmap;
  int width = 0;
  int height = 0;  // rows, whether stored bottom row first or top row first
  // Bitmap files only: where the pixel rows (or the compressed pixels) start in the file.
  uint32_t bitsOffset = 0;
};

// The largest side of a picture the dialog shows: bounds what decoding one may allocate.
constexpr int kMaxPictureSide = 16384;

bool IsBitmapFile(const uint8_t* data, size_t size);
bool IsJpegFile(const uint8_t* data, size_t size);

// Raises EReadError saying what is wrong when the bytes are no bitmap or JPEG file, or a damaged
// one, or one of a size or format the program does not show.
TPictureHeader ReadPictureHeader(const uint8_t* data, size_t size);
