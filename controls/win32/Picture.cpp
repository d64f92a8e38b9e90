#include "controls/win32/Picture.h"

#include <cstring>

#include "framework/Exceptions.h"

namespace {
// Draws a bitmap file whose header ReadPictureHeader passed through GDI (any bit depth, palette or
// compression it supports) into 32-bit pixels.
DecodedImage DrawBitmapFile(const std::vector<uint8_t>& bytes, const TPictureHeader& header) {
  const SIZE size = {header.width, header.height};
  DecodedImage image;
  image.width = size.cx;
  image.height = size.cy;
  BITMAPINFO target = {};
  target.bmiHeader.biSize = sizeof target.bmiHeader;
  target.bmiHeader.biWidth = size.cx;
  target.bmiHeader.biHeight = -size.cy;
  target.bmiHeader.biPlanes = 1;
  target.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  BitmapHandle dib(CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0));
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dib || !dc) {
    if (dc) DeleteDC(dc);
    throw EReadError("Bitmap image is not valid: no bitmap of its size could be made");
  }
  HGDIOBJ previous = SelectObject(dc, dib.Get());
  const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof(BITMAPFILEHEADER));
  const int lines = SetDIBitsToDevice(dc, 0, 0, size.cx, size.cy, 0, 0, 0, size.cy,
                                      bytes.data() + header.bitsOffset, info, DIB_RGB_COLORS);
  GdiFlush();
  image.bgra.assign(static_cast<const uint8_t*>(bits),
                    static_cast<const uint8_t*>(bits) + static_cast<size_t>(size.cx) * size.cy * 4);
  SelectObject(dc, previous);
  DeleteDC(dc);
  if (lines <= 0) throw EReadError("Bitmap image is not valid: its pixels could not be drawn");
  for (size_t i = 3; i < image.bgra.size(); i += 4) image.bgra[i] = 255;
  return image;
}
}  // namespace

const TClassInfo& TPicture::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPicture>("TPicture")
                                     .Binary("Data", &TPicture::ReadData, &TPicture::WriteData,
                                             [](const TPicture& p) { return !p.Empty(); });
  return info;
}

// The headers are checked now, the pixels decoded when first asked for: decoding a bitmap file
// needs the screen, which a dialog that never shows, as in an unattended run, never starts.
void TPicture::LoadFromBytes(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) {
    Clear();
    return;
  }
  const TPictureHeader header = ReadPictureHeader(bytes.data(), bytes.size());
  bytes_ = bytes;
  header_ = header;
  pixels_.reset();
  Changed();
}

// A picture whose pixels do not decode raises the error once and shows nothing after: the
// error box over a window must not make the window's next paint raise it again.
const DecodedImage& TPicture::Pixels() const {
  if (!pixels_) {
    pixels_.emplace();
    *pixels_ = Decode();
  }
  return *pixels_;
}

DecodedImage TPicture::Decode() const {
  if (bytes_.empty()) return DecodedImage();
  if (header_.kind == TPictureKind::kBitmap) return DrawBitmapFile(bytes_, header_);
  DecodedImage image;
  std::string error;
  if (!DecodeJpeg(bytes_.data(), bytes_.size(), image, error)) {
    throw EReadError("JPEG image is not valid: " + error);
  }
  // The picture is drawn and laid out at the size its headers gave.
  if (image.width != header_.width || image.height != header_.height) {
    throw EReadError("JPEG image is not valid: its pixels are not of the size its headers give");
  }
  return image;
}

void TPicture::Assign(const TPicture& other) {
  if (&other == this) return;
  bytes_ = other.bytes_;
  header_ = other.header_;
  pixels_ = other.pixels_;
  Changed();
}

void TPicture::Clear() {
  bytes_.clear();
  header_ = TPictureHeader();
  pixels_.reset();
  Changed();
}

void TPicture::Changed() {
  bitmap_.Reset();
  if (OnChange) OnChange();
}

COLORREF TPicture::TransparentColor() const {
  const DecodedImage& pixels = Pixels();
  if (pixels.bgra.empty()) return 0;
  const uint8_t* p = &pixels.bgra[static_cast<size_t>(pixels.height - 1) * pixels.width * 4];
  return RGB(p[2], p[1], p[0]);
}

HBITMAP CreateBitmapOf(const DecodedImage& image) {
  if (image.bgra.empty()) return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap) std::memcpy(bits, image.bgra.data(), image.bgra.size());
  return bitmap;
}

HBITMAP TPicture::Bitmap() const {
  if (!bitmap_) bitmap_.Reset(CreateBitmapOf(Pixels()));
  return bitmap_.Get();
}

void TPicture::ReadData(TMemoryStream& stream) {
  LoadFromBytes(std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.Size()));
}

void TPicture::WriteData(TMemoryStream& stream) const {
  if (!bytes_.empty()) stream.Write(bytes_.data(), bytes_.size());
}
