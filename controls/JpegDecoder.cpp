#include "controls/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "controls/PictureHeader.h"

namespace {
struct JpegErrorManager {
  jpeg_error_mgr base;
  jmp_buf escape;
  char message[JMSG_LENGTH_MAX];
};

void ExitWithMessage(j_common_ptr info) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->escape, 1);
}

void IgnoreMessage(j_common_ptr) {}

void ToBgra(const uint8_t* row, int width, int components, uint8_t* out) {
  for (int x = 0; x < width; ++x, out += 4) {
    const uint8_t* p = row + x * components;
    const uint8_t r = p[0], g = components == 3 ? p[1] : p[0], b = components == 3 ? p[2] : p[0];
    out[0] = b;
    out[1] = g;
    out[2] = r;
    out[3] = 255;
  }
}
}  // namespace

// The objects alive across setjmp live in this frame and are never unwound by longjmp; nothing
// between setjmp and a libjpeg call owns resources of its own.
bool DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& image, std::string& error) {
  jpeg_decompress_struct info;
  JpegErrorManager errors;
  std::vector<uint8_t> row;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ExitWithMessage;
  errors.base.output_message = IgnoreMessage;
  errors.message[0] = '\0';
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&info);
    error = errors.message;
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxPictureSide ||
      info.image_height > kMaxPictureSide ||
      (info.num_components != 1 && info.num_components != 3)) {
    jpeg_destroy_decompress(&info);
    error = "Unsupported JPEG size or colour format";
    return false;
  }
  info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&info);
  const int width = static_cast<int>(info.output_width);
  const int height = static_cast<int>(info.output_height);
  const int components = info.output_components;
  image.width = width;
  image.height = height;
  image.bgra.assign(static_cast<size_t>(width) * height * 4, 0);
  row.resize(static_cast<size_t>(width) * components);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, rows, 1);
    ToBgra(row.data(), width, components, &image.bgra[static_cast<size_t>(y) * width * 4]);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}
