// Pictures from the stored form's bytes: bitmap files and JPEG files decoded with libjpeg.
#include "controls/win32/Picture.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/Exceptions.h"
#include "tests/unit/controls/win32/TestImages.h"

namespace {
// Left half red, right half blue, bottom row magenta.
unsigned Halves(int x, int y) {
  if (y == 5) return RGB(255, 0, 255);
  return x < 8 ? RGB(255, 0, 0) : RGB(0, 0, 255);
}

COLORREF PixelAt(const TPicture& picture, int x, int y) {
  const uint8_t* p = &picture.Pixels().bgra[(static_cast<size_t>(y) * picture.Width() + x) * 4];
  return RGB(p[2], p[1], p[0]);
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) < 48 && std::abs(GetGValue(a) - GetGValue(b)) < 48 &&
         std::abs(GetBValue(a) - GetBValue(b)) < 48;
}
}  // namespace

TEST(Picture, BitmapFileKeepsItsPixelsAndBottomLeftTransparentColour) {
  TPicture picture;
  picture.LoadFromBytes(MakeBitmapFile(16, 6, Halves));
  EXPECT_EQ(picture.Width(), 16);
  EXPECT_EQ(picture.Height(), 6);
  EXPECT_EQ(PixelAt(picture, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(picture, 15, 0), RGB(0, 0, 255));
  EXPECT_EQ(picture.TransparentColor(), RGB(255, 0, 255));
  EXPECT_NE(picture.Bitmap(), nullptr);
}

TEST(Picture, JpegFileIsDecoded) {
  TPicture picture;
  picture.LoadFromBytes(MakeJpegFile(16, 6, Halves));
  EXPECT_EQ(picture.Width(), 16);
  EXPECT_EQ(picture.Height(), 6);
  EXPECT_TRUE(Near(PixelAt(picture, 2, 1), RGB(255, 0, 0)));
  EXPECT_TRUE(Near(PixelAt(picture, 13, 1), RGB(0, 0, 255)));
  BITMAP info = {};
  ASSERT_TRUE(GetObjectA(picture.Bitmap(), sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 16);
}

TEST(Picture, DamagedOrUnknownBytesAreRefusedAndLeaveThePictureAsItWas) {
  TPicture picture;
  picture.LoadFromBytes(MakeBitmapFile(4, 4, Halves));
  std::vector<uint8_t> jpeg = MakeJpegFile(16, 6, Halves);
  jpeg.resize(40);  // cut inside the headers
  EXPECT_THROW(picture.LoadFromBytes(jpeg), EReadError);
  std::vector<uint8_t> bitmap = MakeBitmapFile(16, 6, Halves);
  bitmap.resize(bitmap.size() - 10);  // pixel rows missing
  EXPECT_THROW(picture.LoadFromBytes(bitmap), EReadError);
  bitmap = MakeBitmapFile(16, 6, Halves);
  bitmap[10] = 0xFF;  // pixels said to start beyond the end
  bitmap[11] = 0xFF;
  EXPECT_THROW(picture.LoadFromBytes(bitmap), EReadError);
  EXPECT_THROW(picture.LoadFromBytes({'G', 'I', 'F', '8'}), EReadError);
  EXPECT_EQ(picture.Width(), 4);
}

TEST(Picture, AssignCopiesTheBytes) {
  TPicture source, target;
  source.LoadFromBytes(MakeBitmapFile(3, 2, Halves));
  int changes = 0;
  target.OnChange = [&] { ++changes; };
  target.Assign(source);
  EXPECT_EQ(target.Bytes(), source.Bytes());
  EXPECT_EQ(target.Width(), 3);
  EXPECT_EQ(changes, 1);
}
