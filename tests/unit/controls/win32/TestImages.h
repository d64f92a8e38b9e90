#pragma once
// Small picture files made on the spot for the picture tests.
#include <cstdint>
#include <string>
#include <vector>

// A 24-bit bitmap file of width x height whose pixels come from colour(x, y) (COLORREF, y = 0 at
// the top).
std::vector<uint8_t> MakeBitmapFile(int width, int height, unsigned (*colour)(int x, int y));
// A JPEG file of the same kind, encoded with libjpeg at quality 95.
std::vector<uint8_t> MakeJpegFile(int width, int height, unsigned (*colour)(int x, int y));
std::string Hex(const std::vector<uint8_t>& bytes);
