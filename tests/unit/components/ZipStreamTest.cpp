// The "ZIP-LZRW1" container: block headers, block splitting, and what the reader refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ZipTestData.h"
#include "components/ZipLzImp.h"
#include "framework/MemoryStream.h"

namespace {

TMemoryStream StreamOf(const std::vector<uint8_t>& bytes) {
  TMemoryStream stream;
  stream.Write(bytes.data(), bytes.size());
  stream.Seek(0);
  return stream;
}

std::vector<uint8_t> Pack(const std::vector<uint8_t>& plain) {
  TMemoryStream source = StreamOf(plain), container;
  CompressStream(source, container);
  return container.Bytes();
}

std::vector<uint8_t> Unpack(const std::vector<uint8_t>& container) {
  TMemoryStream source = StreamOf(container), plain;
  DecompressStream(source, plain);
  return plain.Bytes();
}

int32_t Int32At(const std::vector<uint8_t>& bytes, size_t at) {
  int32_t value;
  std::memcpy(&value, bytes.data() + at, 4);  // the tests run on little-endian machines only
  return value;
}

void PutInt32At(std::vector<uint8_t>& bytes, size_t at, int32_t value) {
  std::memcpy(bytes.data() + at, &value, 4);
}

const std::string SignatureHex = "0D 5A 49 50 2D 4C 5A 52 57 31 20 20 20 20";

}  // namespace

TEST(ZipStream, OneFullBlock) {
  const std::vector<uint8_t> container = Pack(std::vector<uint8_t>(32768, 0));
  ASSERT_EQ(container.size(), 31u + 38u);
  EXPECT_EQ(Hex({container.begin(), container.begin() + 14}), SignatureHex);
  EXPECT_EQ(Int32At(container, 21), 32768);
  EXPECT_EQ(Int32At(container, 25), 38);
  EXPECT_EQ(container[29], 1);
  EXPECT_EQ(container[30], 1);
}

TEST(ZipStream, OneByteMoreStartsASecondBlock) {
  std::vector<uint8_t> plain = TextLikeBytes(32769, 5);
  plain.back() = 'Q';
  const std::vector<uint8_t> container = Pack(plain);
  const size_t second = 31 + static_cast<size_t>(Int32At(container, 25));
  ASSERT_EQ(container.size(), second + 31 + 2);
  EXPECT_EQ(Int32At(container, 21), 32768);
  EXPECT_EQ(container[30], 0);
  EXPECT_EQ(Hex({container.begin() + second, container.begin() + second + 14}), SignatureHex);
  EXPECT_EQ(Int32At(container, second + 21), 1);
  EXPECT_EQ(Int32At(container, second + 25), 2);
  EXPECT_EQ(container[second + 30], 1);
  EXPECT_EQ(Hex({container.end() - 2, container.end()}), "80 51");
  EXPECT_EQ(Unpack(container), plain);
}

TEST(ZipStream, EmptyInputIsAnEmptyContainer) {
  EXPECT_TRUE(Pack({}).empty());
  EXPECT_TRUE(Unpack({}).empty());
}

TEST(ZipStream, ReadsFromThePositionAndAppendsAtTheDestination) {
  TMemoryStream source = StreamOf(Bytes("skip:abcabcabcabc")), container;
  source.Seek(5);
  container.Write("ZZ", 2);
  EXPECT_EQ(CompressStream(source, container), 2 + 31 + 8);
  container.Seek(2);
  TMemoryStream plain;
  plain.Write("xy", 2);
  EXPECT_EQ(DecompressStream(container, plain), 14);
  EXPECT_EQ(plain.Bytes(), Bytes("xyabcabcabcabc"));
}

TEST(ZipStream, GivesTheMessageLoopOneTurnPerBlock) {
  int turns = 0;
  SetZipMessageLoopTurn([&turns] { ++turns; });
  Unpack(Pack(RandomBytes(3 * 32768 + 10, 1)));
  SetZipMessageLoopTurn(nullptr);
  EXPECT_EQ(turns, 4);
}

TEST(ZipStream, PlainLengthFieldIsIgnored) {
  std::vector<uint8_t> container = Pack(Bytes("abcabcabcabc"));
  PutInt32At(container, 21, 7);
  container[29] = 9;
  EXPECT_EQ(Unpack(container), Bytes("abcabcabcabc"));
}

TEST(ZipStream, SignatureMismatchFailsBeforeWriting) {
  const std::vector<uint8_t> good = Pack(Bytes("abcabcabcabc"));
  for (size_t at : {0, 1, 9, 13}) {
    std::vector<uint8_t> container = good;
    container[at] ^= 0x20;
    TMemoryStream source = StreamOf(container), plain;
    try {
      DecompressStream(source, plain);
      ADD_FAILURE() << "byte " << at;
    } catch (const EZipSourceError& error) {
      EXPECT_EQ(error.Message(), "Fatal:Error Zip Source");
    }
    EXPECT_EQ(plain.Size(), 0u);
  }
  // The reserved bytes are the reader's to ignore.
  std::vector<uint8_t> container = good;
  for (size_t at = 14; at < 21; ++at) container[at] = 0xEE;
  EXPECT_EQ(Unpack(container), Bytes("abcabcabcabc"));
}

TEST(ZipStream, FaultInALaterBlockKeepsTheEarlierBlocks) {
  const std::vector<uint8_t> plain = TextLikeBytes(32768 + 100, 9);
  std::vector<uint8_t> container = Pack(plain);
  const size_t second = 31 + static_cast<size_t>(Int32At(container, 25));
  container[second + 5] = 'X';
  TMemoryStream source = StreamOf(container), out;
  EXPECT_THROW(DecompressStream(source, out), EZipSourceError);
  EXPECT_EQ(out.Bytes(), std::vector<uint8_t>(plain.begin(), plain.begin() + 32768));
}

TEST(ZipStream, MalformedContainersFail) {
  const std::vector<uint8_t> plain = TextLikeBytes(40000, 4);
  const std::vector<uint8_t> good = Pack(plain);
  // Cut anywhere: inside a header, inside a body, or before the last block.
  for (size_t cut : {size_t{1}, size_t{30}, size_t{31}, size_t{40}, good.size() - 1}) {
    EXPECT_THROW(Unpack({good.begin(), good.begin() + cut}), EZipSourceError) << cut;
  }
  const size_t second = 31 + static_cast<size_t>(Int32At(good, 25));
  EXPECT_THROW(Unpack({good.begin(), good.begin() + second}), EZipSourceError);
  for (int32_t bodyLength : {-1, 32770, 65536 + 5}) {
    std::vector<uint8_t> container = good;
    PutInt32At(container, 25, bodyLength);
    container.resize(container.size() + 70000, 0x41);
    EXPECT_THROW(Unpack(container), EZipSourceError) << bodyLength;
  }
}

TEST(ZipStream, LastBlockByteEndsTheContainer) {
  std::vector<uint8_t> container = Pack(Bytes("first"));
  const std::vector<uint8_t> second = Pack(Bytes("second"));
  container[30] = 0;
  container.insert(container.end(), second.begin(), second.end());
  container.insert(container.end(), 10, 0xAA);  // after the last block: not read
  EXPECT_EQ(Unpack(container), Bytes("firstsecond"));
}

TEST(ZipStream, RoundTrips) {
  for (size_t size : {size_t{0}, size_t{1}, size_t{3}, size_t{4}, size_t{32767}, size_t{32768},
                      size_t{32769}, size_t{3 * 1024 * 1024 + 17}}) {
    for (const auto& [kind, plain] : SampleInputs(size)) {
      const std::vector<uint8_t> container = Pack(plain);
      const size_t blocks = (size + 32767) / 32768;
      EXPECT_LE(container.size(), size + blocks * 32) << kind << " " << size;
      EXPECT_EQ(Unpack(container), plain) << kind << " " << size;
    }
  }
}

TEST(ZipStream, EveryBlockIsCodedAsCompressBlockCodesIt) {
  // Blocks go through the coder in pairs: an odd and an even number of blocks, and a short last.
  for (size_t size : {size_t{2 * 32768}, size_t{3 * 32768 + 5}, size_t{4 * 32768 + 1}}) {
    const std::vector<uint8_t> plain = TextLikeBytes(size, 5);
    const std::vector<uint8_t> container = Pack(plain);
    size_t at = 0;
    for (size_t start = 0; start < size; start += 32768) {
      const size_t n = std::min<size_t>(32768, size - start);
      std::vector<uint8_t> body(n + ZipCodedSlack);
      body.resize(CompressBlock(plain.data() + start, body.data(), n));
      ASSERT_LE(at + 31 + body.size(), container.size()) << size;
      EXPECT_EQ(Int32At(container, at + 21), static_cast<int32_t>(n));
      EXPECT_EQ(Int32At(container, at + 25), static_cast<int32_t>(body.size()));
      EXPECT_EQ(container[at + 30], start + n == size ? 1 : 0) << size << " " << start;
      EXPECT_TRUE(std::equal(body.begin(), body.end(), container.begin() + at + 31));
      at += 31 + body.size();
    }
    EXPECT_EQ(at, container.size()) << size;
  }
}

TEST(ZipStream, FaultInsideALaterBodyKeepsTheEarlierBlocksOnly) {
  // The second body is a copy reaching before its block: nothing of it may stay behind.
  const std::vector<uint8_t> plain = TextLikeBytes(32768 + 100, 9);
  std::vector<uint8_t> container = Pack(plain);
  const size_t second = 31 + static_cast<size_t>(Int32At(container, 25));
  const std::vector<uint8_t> faulty = HexBytes("40 80 00 00 16");
  container.resize(second + 31);
  PutInt32At(container, second + 25, static_cast<int32_t>(faulty.size()));
  container.insert(container.end(), faulty.begin(), faulty.end());
  TMemoryStream source = StreamOf(container), out;
  EXPECT_THROW(DecompressStream(source, out), EZipSourceError);
  EXPECT_EQ(out.Bytes(), std::vector<uint8_t>(plain.begin(), plain.begin() + 32768));
  EXPECT_EQ(out.Position(), 32768u);
}

TEST(ZipStream, DecodesOverTheDestinationFromItsPosition) {
  TMemoryStream source = StreamOf(Pack(Bytes("abcabcabcabc"))), plain;
  plain.Write("0123456789ABCDEFGH", 18);
  plain.Seek(2);
  EXPECT_EQ(DecompressStream(source, plain), 18);
  EXPECT_EQ(plain.Bytes(), Bytes("01abcabcabcabcEFGH"));
  EXPECT_EQ(plain.Position(), 14u);
}
