#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "framework/Exceptions.h"
#include "framework/MemoryStream.h"

namespace {
std::string ContentOf(const TMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.Memory()), stream.Size());
}

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("lintora_fw_" + name)).string();
}
}  // namespace

TEST(MemoryStream, ReadsAndWritesAtThePosition) {
  TMemoryStream stream;
  stream.Write("hello world", 11);
  EXPECT_EQ(stream.Position(), 11u);
  stream.Seek(6);
  stream.Write("there!", 6);  // overwrites and grows
  EXPECT_EQ(ContentOf(stream), "hello there!");

  char buffer[8] = {};
  stream.Seek(9);
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 3u);  // only what is left
  EXPECT_EQ(std::string(buffer, 3), "re!");
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0u);
  stream.Seek(100);
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0u);
  stream.Write("x", 1);  // a gap before the position becomes zero bytes
  EXPECT_EQ(stream.Size(), 101u);
  EXPECT_EQ(stream.Memory()[50], 0);
  stream.Seek(SIZE_MAX - 1);  // a position where the write would wrap around
  EXPECT_THROW(stream.Write("xyz", 3), std::length_error);
  EXPECT_EQ(stream.Size(), 101u);
}

TEST(MemoryStream, SetSizeCutsAndKeepsThePositionInside) {
  TMemoryStream stream;
  stream.Write("abcdef", 6);
  stream.SetSize(3);
  EXPECT_EQ(stream.Position(), 3u);
  EXPECT_EQ(ContentOf(stream), "abc");
  stream.SetSize(5);
  EXPECT_EQ(ContentOf(stream), std::string("abc\0\0", 5));
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0u);
  EXPECT_EQ(stream.Position(), 0u);
}

// The storage keeps cut bytes and does not clear what it grows by: every way of growing again
// must show zeros, not the old content.
TEST(MemoryStream, CutBytesNeverComeBack) {
  TMemoryStream stream;
  stream.Write("abcdefgh", 8);
  stream.SetSize(2);
  stream.Seek(5);
  stream.Write("x", 1);
  EXPECT_EQ(ContentOf(stream), std::string("ab\0\0\0x", 6));

  uint8_t* const added = stream.Extend(3);
  EXPECT_EQ(added, stream.Memory() + 6);
  EXPECT_EQ(stream.Size(), 9u);
  EXPECT_EQ(stream.Position(), 6u);
  std::memcpy(added, "yz", 2);
  stream.SetSize(8);  // the caller filled two of the three
  stream.SetSize(10);
  EXPECT_EQ(ContentOf(stream), std::string("ab\0\0\0xyz\0\0", 10));
  EXPECT_THROW(stream.Extend(SIZE_MAX), std::length_error);
  EXPECT_EQ(stream.Size(), 10u);
}

TEST(MemoryStream, CopyFromTakesTheWholeSourceAtThePosition) {
  TMemoryStream source, target;
  source.Write("12345", 5);
  source.Seek(3);  // the source position does not limit the copy
  target.Write("ab", 2);
  target.CopyFrom(source);
  EXPECT_EQ(ContentOf(target), "ab12345");
  EXPECT_EQ(source.Position(), 3u);
  target.CopyFrom(target);
  EXPECT_EQ(ContentOf(target), "ab12345ab12345");
}

// Lent bytes (the program's image) are read where they lie and travel with a swap; the first
// change copies them in and the lender's bytes stay as they were.
TEST(MemoryStream, BorrowedBytesAreReadInPlaceUntilTheFirstChange) {
  const char lent[] = "driver";
  const auto* at = reinterpret_cast<const uint8_t*>(lent);
  TMemoryStream stream = TMemoryStream::Borrowing(at, 6);
  char first[3];
  EXPECT_EQ(stream.Read(first, 3), 3u);
  EXPECT_EQ(std::string(first, 3), "dri");
  TMemoryStream holder;
  holder.Swap(stream);
  EXPECT_EQ(static_cast<const TMemoryStream&>(holder).Memory(), at);
  EXPECT_EQ(holder.Position(), 3u);
  EXPECT_EQ(stream.Size(), 0u);
  holder.Write("VE", 2);
  EXPECT_EQ(ContentOf(holder), "driVEr");
  EXPECT_STREQ(lent, "driver");

  TMemoryStream doubled = TMemoryStream::Borrowing(at, 6);
  doubled.Seek(6);
  doubled.CopyFrom(doubled);
  EXPECT_EQ(ContentOf(doubled), "driverdriver");
  TMemoryStream cut = TMemoryStream::Borrowing(at, 6);
  cut.SetSize(3);
  EXPECT_EQ(ContentOf(cut), "dri");
  cut = TMemoryStream::Borrowing(at, 6);
  cut.Clear();
  EXPECT_EQ(cut.Size(), 0u);
  EXPECT_STREQ(lent, "driver");
}

// The stream's own bytes as the source of a write that makes it grow: the storage moves.
TEST(MemoryStream, WritesItsOwnBytesWhileGrowing) {
  TMemoryStream stream;
  std::string expected;
  for (char c = 'a'; c <= 'p'; ++c) {
    stream.Write(&c, 1);
    expected += c;
  }
  for (int round = 0; round < 12; ++round) {
    stream.Write(stream.Memory() + 1, stream.Size() - 1);
    expected += expected.substr(1);
  }
  EXPECT_EQ(ContentOf(stream), expected);
}

TEST(MemoryStream, SavesAndLoadsFilesByteForByte) {
  const std::string path = TempPath("stream.bin");
  TMemoryStream stream;
  const std::string bytes("MZ\0\x90\r\n\x1a\xff", 8);
  stream.Write(bytes.data(), bytes.size());
  stream.SaveToFile(path);

  TMemoryStream loaded;
  loaded.Write("old", 3);
  loaded.LoadFromFile(path);
  EXPECT_EQ(ContentOf(loaded), bytes);
  EXPECT_EQ(loaded.Position(), 0u);

  TMemoryStream empty;
  empty.SaveToFile(path);  // replaces the file with an empty one
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
  std::remove(path.c_str());
}

TEST(MemoryStream, FileErrorsNameThePath) {
  const std::string missing = TempPath("no_such_dir") + "/x.bin";
  TMemoryStream stream;
  stream.Write("keep", 4);
  try {
    stream.LoadFromFile(missing);
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + missing);
  }
  EXPECT_EQ(ContentOf(stream), "keep");
  try {
    stream.SaveToFile(missing);
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + missing);
  }
}
