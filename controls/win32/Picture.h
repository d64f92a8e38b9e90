#pragma once
// A picture kept as the bytes of its file, as the stored form holds it (the byte block "Data"):
// a Windows bitmap file ("BM") or a JPEG file. Its headers are checked when set, its pixels
// decoded into 32 bits when first asked for; bytes of any other kind, or a damaged file, raise
// EReadError.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "controls/JpegDecoder.h"
#include "controls/PictureHeader.h"
#include "framework/MemoryStream.h"
#include "framework/Persistent.h"
#include "framework/Rtti.h"
#include "framework/win32/GdiObject.h"

// A new 32-bit bitmap of the pixels (nullptr when it cannot be made); the caller owns it.
HBITMAP CreateBitmapOf(const DecodedImage& image);

class TPicture : public TPersistent {
  LINTORA_PUBLISHED(TPicture)
 public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  void LoadFromBytes(const std::vector<uint8_t>& bytes);
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  void Assign(const TPicture& other);
  void Clear();

  bool Empty() const { return bytes_.empty(); }
  int Width() const { return header_.width; }
  int Height() const { return header_.height; }
  // The pixels, top row first (blue, green, red, 255 each).
  const DecodedImage& Pixels() const;
  // The colour shown transparently: that of the bottom left pixel.
  COLORREF TransparentColor() const;
  // A bitmap of the picture, made when first asked for; nullptr when empty.
  HBITMAP Bitmap() const;

  // The stored form's byte block.
  void ReadData(TMemoryStream& stream);
  void WriteData(TMemoryStream& stream) const;

  std::function<void()> OnChange;

 private:
  void Changed();
  DecodedImage Decode() const;
  std::vector<uint8_t> bytes_;
  TPictureHeader header_;
  mutable std::optional<DecodedImage> pixels_;
  mutable BitmapHandle bitmap_;
};
