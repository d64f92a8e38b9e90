#include "controls/win32/Picture.h"

#include <cstring>

#include "framework/Exceptions.h"

namespace {
constexpr int kMaxSide = 16384;

// The checks of a bitmap file's headers: every field stays inside the bytes. Raises EReadError
// when one does not; gives the picture's size.
SIZE CheckBitmapFile(const std::vector<uint8_t>& bytes) {
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
  return {width, height};
}

// Draws a bitmap file that CheckBitmapFile passed, of that size, through GDI (any bit depth,
// palette or compression it supports) into 32-bit pixels.
DecodedImage DrawBitmapFile(const std::vector<uint8_t>& bytes, SIZE size) {
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
    throw EReadError("Bitmap image is not valid");
  }
  HGDIOBJ previous = SelectObject(dc, dib.Get());
  BITMAPFILEHEADER file;
  std::memcpy(&file, bytes.data(), sizeof file);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof file);
  const int lines = SetDIBitsToDevice(dc, 0, 0, size.cx, size.cy, 0, 0, 0, size.cy,
                                      bytes.data() + file.bfOffBits, info, DIB_RGB_COLORS);
  GdiFlush();
  image.bgra.assign(static_cast<const uint8_t*>(bits),
                    static_cast<const uint8_t*>(bits) + static_cast<size_t>(size.cx) * size.cy * 4);
  SelectObject(dc, previous);
  DeleteDC(dc);
  if (lines <= 0) throw EReadError("Bitmap image is not valid");
  for (size_t i = 3; i < image.bgra.size(); i += 4) image.bgra[i] = 255;
  return image;
}

bool IsBitmapFile(const std::vector<uint8_t>& bytes) {
  return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
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
  SIZE size;
  if (IsBitmapFile(bytes)) {
    size = CheckBitmapFile(bytes);
  } else if (IsJpeg(bytes.data(), bytes.size())) {
    std::string error;
    if (!ReadJpegSize(bytes.data(), bytes.size(), size.cx, size.cy, error)) {
      throw EReadError("JPEG image is not valid: " + error);
    }
  } else {
    throw EReadError("Unknown picture format");
  }
  bytes_ = bytes;
  size_ = size;
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
  if (IsBitmapFile(bytes_)) return DrawBitmapFile(bytes_, size_);
  DecodedImage image;
  std::string error;
  if (!DecodeJpeg(bytes_.data(), bytes_.size(), image, error)) {
    throw EReadError("JPEG image is not valid: " + error);
  }
  return image;
}

void TPicture::Assign(const TPicture& other) {
  if (&other == this) return;
  bytes_ = other.bytes_;
  size_ = other.size_;
  pixels_ = other.pixels_;
  Changed();
}

void TPicture::Clear() {
  bytes_.clear();
  size_ = {0, 0};
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
