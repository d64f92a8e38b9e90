#include "controls/win32/Picture.h"

#include <cstring>

#include "framework/Exceptions.h"

namespace {
constexpr int kMaxSide = 16384;

// Draws the bitmap file through GDI (any bit depth, palette or compression it supports) into
// 32-bit pixels, after checking that every header field stays inside the bytes.
DecodedImage DecodeBitmapFile(const std::vector<uint8_t>& bytes) {
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER header;
  if (bytes.size() < sizeof file + sizeof header) throw EReadError("Bitmap image is not valid");
  std::memcpy(&file, bytes.data(), sizeof file);
  std::memcpy(&header, bytes.data() + sizeof file, sizeof header);
  const int width = header.biWidth;
  const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  if (header.biSize < sizeof header || header.biSize > bytes.size() - sizeof file || width <= 0 ||
      height <= 0 || width > kMaxSide || height > kMaxSide || file.bfOffBits >= bytes.size() ||
      file.bfOffBits < sizeof file + header.biSize) {
    throw EReadError("Bitmap image is not valid");
  }
  if (header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS) {
    const uint64_t stride = ((static_cast<uint64_t>(width) * header.biBitCount + 31) / 32) * 4;
    if (header.biBitCount == 0 || stride * height > bytes.size() - file.bfOffBits) {
      throw EReadError("Bitmap image is not valid");
    }
  } else if (header.biSizeImage > bytes.size() - file.bfOffBits) {
    throw EReadError("Bitmap image is not valid");
  }
  // Palette entries sit between the header and the bits.
  const uint64_t colours = header.biBitCount <= 8
                               ? (header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount))
                               : header.biClrUsed;
  if (sizeof file + header.biSize + colours * sizeof(RGBQUAD) > file.bfOffBits &&
      header.biCompression != BI_BITFIELDS) {
    throw EReadError("Bitmap image is not valid");
  }

  DecodedImage image;
  image.width = width;
  image.height = height;
  BITMAPINFO target = {};
  target.bmiHeader.biSize = sizeof target.bmiHeader;
  target.bmiHeader.biWidth = width;
  target.bmiHeader.biHeight = -height;
  target.bmiHeader.biPlanes = 1;
  target.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  BitmapHandle dib(CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0));
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dib || !dc) {
    if (dc) DeleteDC(dc);
    throw EReadError("Bitmap image is not valid");
  }
  HGDIOBJ previous = SelectObject(dc, dib.Get());
  const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof file);
  const int lines = SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height,
                                      bytes.data() + file.bfOffBits, info, DIB_RGB_COLORS);
  GdiFlush();
  image.bgra.assign(static_cast<const uint8_t*>(bits),
                    static_cast<const uint8_t*>(bits) + static_cast<size_t>(width) * height * 4);
  SelectObject(dc, previous);
  DeleteDC(dc);
  if (lines <= 0) throw EReadError("Bitmap image is not valid");
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

void TPicture::LoadFromBytes(const std::vector<uint8_t>& bytes) {
  DecodedImage image;
  if (bytes.empty()) {
    Clear();
    return;
  }
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    image = DecodeBitmapFile(bytes);
  } else if (IsJpeg(bytes.data(), bytes.size())) {
    std::string error;
    if (!DecodeJpeg(bytes.data(), bytes.size(), image, error)) {
      throw EReadError("JPEG image is not valid: " + error);
    }
  } else {
    throw EReadError("Unknown picture format");
  }
  bytes_ = bytes;
  pixels_ = std::move(image);
  Changed();
}

void TPicture::Assign(const TPicture& other) {
  if (&other == this) return;
  bytes_ = other.bytes_;
  pixels_ = other.pixels_;
  Changed();
}

void TPicture::Clear() {
  bytes_.clear();
  pixels_ = DecodedImage();
  Changed();
}

void TPicture::Changed() {
  bitmap_.Reset();
  if (OnChange) OnChange();
}

COLORREF TPicture::TransparentColor() const {
  if (pixels_.bgra.empty()) return 0;
  const uint8_t* p = &pixels_.bgra[static_cast<size_t>(pixels_.height - 1) * pixels_.width * 4];
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
  if (!bitmap_) bitmap_.Reset(CreateBitmapOf(pixels_));
  return bitmap_.Get();
}

void TPicture::ReadData(TMemoryStream& stream) {
  LoadFromBytes(std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.Size()));
}

void TPicture::WriteData(TMemoryStream& stream) const {
  if (!bytes_.empty()) stream.Write(bytes_.data(), bytes_.size());
}
