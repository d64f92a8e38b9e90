#pragma once
// JPEG files decoded with libjpeg into 32-bit pixels. Corrupt or truncated input is reported,
// never read beyond its end. The size is known before, from the headers (PictureHeader.h).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bgra;  // top row first, 4 bytes per pixel: blue, green, red, 255
};

// False with the decoder's message in error when the data is no JPEG it can read.
bool DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& image, std::string& error);
