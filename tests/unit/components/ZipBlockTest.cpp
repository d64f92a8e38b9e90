// Block bodies of the LZRW1 coder: the stored containers depend on these exact bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZipTestData.h"
#include "components/ZipLzImp.h"

namespace {

std::vector<uint8_t> Body(const std::vector<uint8_t>& plain) {
  std::vector<uint8_t> body(plain.size() + ZipCodedSlack + 1);
  body.resize(CompressBlock(plain.data(), body.data(), plain.size()));
  return body;
}

std::vector<uint8_t> Decode(const std::vector<uint8_t>& body) {
  std::vector<uint8_t> plain(ZipDecodeCapacity);
  plain.resize(DecompressBlock(body.data(), plain.data(), body.size()));
  return plain;
}

std::vector<uint8_t> Repeated(size_t count, uint8_t value) {
  return std::vector<uint8_t>(count, value);
}

}  // namespace

TEST(ZipBlock, WorkedExamples) {
  EXPECT_EQ(Hex(Body(Bytes("abcabcabcabc"))), "40 10 00 61 62 63 00 36");

  std::string zeros = "40 FF 40";
  for (int i = 0; i < 8; ++i) zeros += " 00 0F EF 00";
  zeros += " 00 00 14";
  EXPECT_EQ(Hex(Body(Repeated(32768, 0))), zeros);
  EXPECT_EQ(Body(Repeated(32768, 0)).size(), 38u);

  EXPECT_EQ(Hex(Body(Bytes("a"))), "80 61");
  EXPECT_EQ(Hex(Body({})), "80");
}

TEST(ZipBlock, RunItems) {
  // Sixteen equal bytes are the shortest run (count 0).
  EXPECT_EQ(Hex(Body(Repeated(16, 'A'))), "40 80 00 00 00 00 41");
  // Fifteen are a literal and a copy of distance 1: a copy whose first byte is 0 as well.
  const std::vector<uint8_t> fifteen = Repeated(15, 'A');
  EXPECT_EQ(Hex(Body(fifteen)), "40 40 00 41 00 1B");
  EXPECT_EQ(Decode(HexBytes("40 40 00 41 00 1B")), fifteen);
  // Longer than 4095: split into several run items.
  EXPECT_EQ(Hex(Body(Repeated(5000, 'A'))), "40 C0 00 00 0F EF 41 00 03 79 41");
  // The decoder takes counts up to 4095 (4111 bytes), beyond what the encoder writes.
  EXPECT_EQ(Decode(HexBytes("40 80 00 00 0F FF 41")), Repeated(4111, 'A'));
}

TEST(ZipBlock, ShortAndIncompressibleBlocksAreStored) {
  for (const char* text : {"ab", "abc", "aaa"}) EXPECT_EQ(Body(Bytes(text))[0], 0x80) << text;
  const std::vector<uint8_t> noise = RandomBytes(1000, 7);
  const std::vector<uint8_t> body = Body(noise);
  ASSERT_EQ(body.size(), noise.size() + 1);
  EXPECT_EQ(body[0], 0x80);
  EXPECT_EQ(std::vector<uint8_t>(body.begin() + 1, body.end()), noise);
  // Four bytes too: the flag and the control word leave no room for a coded form.
  EXPECT_EQ(Hex(Body(Bytes("aaaa"))), "80 61 61 61 61");
}

TEST(ZipBlock, ControlWordsEveryHundredAndTwentyEightBits) {
  // 16 literals, then a second control word before the 17th item; its unused low bits are 0.
  // The second copy comes from position 2, as positions inside the first copy are not hashed.
  const std::vector<uint8_t> plain = Bytes("0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(Hex(Body(plain)),
            "40 00 00 30 31 32 33 34 35 36 37 38 39 41 42 43 44 45 46 C0 00 01 0F 02 0B");
  EXPECT_EQ(Decode(Body(plain)), plain);
}

TEST(ZipBlock, FindMatchProbesOnceAndRecordsEveryProbe) {
  const std::vector<uint8_t> plain = Bytes("xyzxyzxyz");
  ZipHashTable table;
  table.Clear();
  ZipMatch match;
  EXPECT_FALSE(FindMatch(plain.data(), 0, plain.size(), table, match));
  EXPECT_TRUE(FindMatch(plain.data(), 3, plain.size(), table, match));
  EXPECT_EQ(match.start, 0);
  EXPECT_EQ(match.length, 6);
  // Position 3 replaced 0 in the entry: the next probe sees the nearer one.
  EXPECT_TRUE(FindMatch(plain.data(), 6, plain.size(), table, match));
  EXPECT_EQ(match.start, 3);
  EXPECT_EQ(match.length, 3);
  // Only the low four bits of the first byte reach the hash: "abc" and "qbc" share an entry, so
  // "qbc" finds no match and displaces "abc", and the second "abc" is not found either.
  const std::vector<uint8_t> collide = Bytes("abcqbcabc");
  table.Clear();
  for (size_t p : {0, 3, 6})
    EXPECT_FALSE(FindMatch(collide.data(), p, collide.size(), table, match));
}

TEST(ZipBlock, MatchesStopAtDistance4096) {
  // The same 3 bytes 4096 apart, noise between: too far back for a copy.
  std::vector<uint8_t> plain = RandomBytes(4100, 11);
  plain[4096] = plain[0];
  plain[4097] = plain[1];
  plain[4098] = plain[2];
  ZipHashTable table;
  table.Clear();
  ZipMatch match;
  FindMatch(plain.data(), 0, plain.size(), table, match);
  EXPECT_FALSE(FindMatch(plain.data(), 4096, plain.size(), table, match));
  plain.erase(plain.begin() + 100);  // now 4095 apart
  table.Clear();
  FindMatch(plain.data(), 0, plain.size(), table, match);
  EXPECT_TRUE(FindMatch(plain.data(), 4095, plain.size(), table, match));
}

TEST(ZipBlock, MalformedBodiesFail) {
  const char* const bodies[] = {
      "40 80 00 00 16",           // a copy reaching before the block start
      "40 10 00 41 41 41 00 46",  // distance 4 after three bytes
      "40 80 00 00",              // a copy cut after its first byte
      "40 80 00 00 00 00",        // a run cut short
  };
  for (const char* body : bodies) {
    EXPECT_THROW(Decode(HexBytes(body)), EZipSourceError) << body;
  }
  // After 16 literals: half a control word, or a control word and no item.
  std::string sixteenLiterals = "40 00 00";
  for (int i = 0; i < 16; ++i) sixteenLiterals += " 41";
  EXPECT_THROW(Decode(HexBytes(sixteenLiterals + " 00")), EZipSourceError);
  EXPECT_THROW(Decode(HexBytes(sixteenLiterals + " 00 00")), EZipSourceError);
  EXPECT_EQ(Decode(HexBytes(sixteenLiterals + " 00 00 42")).size(), 17u);
  // Nine runs of 4111 bytes decode to more than one block can hold.
  std::string tooLong = "40 FF 80";
  for (int i = 0; i < 9; ++i) tooLong += " 00 0F FF 41";
  EXPECT_THROW(Decode(HexBytes(tooLong)), EZipSourceError);
  // A body longer than a stored block is refused before it is read.
  const std::vector<uint8_t> huge(ZipMaxBodyLength + 1, 0x80);
  EXPECT_THROW(Decode(huge), EZipSourceError);
}

TEST(ZipBlock, DegenerateBodies) {
  EXPECT_TRUE(Decode({}).empty());
  EXPECT_TRUE(Decode(HexBytes("80")).empty());
  EXPECT_TRUE(Decode(HexBytes("40 FF")).empty());
  // Any flag but 0x80 means coded.
  EXPECT_EQ(Decode(HexBytes("00 00 00 61 62")), Bytes("ab"));
  // A full block stored, and a full block of copies.
  const std::vector<uint8_t> full = RandomBytes(ZipBlockSize, 3);
  EXPECT_EQ(Decode(Body(full)), full);
  EXPECT_EQ(Decode(Body(Repeated(ZipBlockSize, 9))), Repeated(ZipBlockSize, 9));
}

TEST(ZipBlock, RoundTripsEveryKindOfBlock) {
  for (size_t n : {size_t{0}, size_t{1}, size_t{3}, size_t{4}, size_t{17}, size_t{4111},
                   size_t{32767}, size_t{32768}}) {
    for (const auto& [kind, plain] : SampleInputs(n)) {
      const std::vector<uint8_t> body = Body(plain);
      EXPECT_LE(body.size(), n + 1) << kind << " " << n;
      EXPECT_EQ(Decode(body), plain) << kind << " " << n;
    }
  }
}

TEST(ZipBlock, BlocksSideBySideGiveTheBodiesOfSingleBlocks) {
  // Blocks of different kinds and lengths, so that some end long before the others and their
  // coders take the next blocks.
  std::vector<std::vector<uint8_t>> plains;
  for (size_t n : {size_t{0}, size_t{5}, size_t{4111}, size_t{32768}}) {
    for (const auto& sample : SampleInputs(n)) plains.push_back(sample.second);
  }
  for (size_t count = 1; count <= 3 * ZipBlocksSideBySide + 1; ++count) {
    for (size_t i = 0; i < plains.size(); i += 5) {
      std::vector<std::vector<uint8_t>> bodies(count);
      std::vector<ZipBlockJob> jobs(count);
      for (size_t k = 0; k < count; ++k) {
        const std::vector<uint8_t>& plain = plains[(i + k * 7) % plains.size()];
        bodies[k].resize(plain.size() + ZipCodedSlack + 1);
        jobs[k] = {plain.data(), bodies[k].data(), plain.size()};
      }
      CompressBlocks(jobs.data(), count);
      for (size_t k = 0; k < count; ++k) {
        bodies[k].resize(jobs[k].length);
        EXPECT_EQ(bodies[k], Body(plains[(i + k * 7) % plains.size()])) << count << " " << i;
      }
    }
  }
}

namespace {

// The coder as described, item by item through FindMatch, against which the fast one is checked.
std::vector<uint8_t> DescribedBody(const std::vector<uint8_t>& plain) {
  const size_t n = plain.size();
  std::vector<uint8_t> body(n + ZipCodedSlack + 1);
  ZipHashTable table;
  table.Clear();
  body[0] = 0x40;
  size_t t = 1, o = 3, p = 0, k = 0;
  uint16_t w = 0;
  auto put16 = [&](size_t at, unsigned value) {
    body[at] = static_cast<uint8_t>(value >> 8);
    body[at + 1] = static_cast<uint8_t>(value);
  };
  while (p < n && o <= n) {
    if (k == 16) {
      put16(t, w);
      t = o;
      o += 2;
      k = 0;
    }
    size_t run = 1;
    while (p + run < n && run < 4095 && plain[p + run] == plain[p]) ++run;
    ZipMatch match;
    if (run >= 16) {
      body[o] = 0;
      put16(o + 1, static_cast<unsigned>(run - 16));
      body[o + 3] = plain[p];
      o += 4;
      p += run;
      w = static_cast<uint16_t>(w * 2 + 1);
    } else if (FindMatch(plain.data(), p, n, table, match)) {
      put16(o, static_cast<unsigned>((p - match.start) * 16 + match.length - 3));
      o += 2;
      p += match.length;
      w = static_cast<uint16_t>(w * 2 + 1);
    } else {
      body[o++] = plain[p++];
      w = static_cast<uint16_t>(w * 2);
    }
    ++k;
  }
  put16(t, static_cast<uint16_t>(w << (16 - k)));
  if (o > n) {
    body.assign(1, 0x80);
    body.insert(body.end(), plain.begin(), plain.end());
    return body;
  }
  body.resize(o);
  return body;
}

// Fixed-size records with a counter, as in the tables of a program file: copies of every
// length up to 18, and from distances below 16.
std::vector<uint8_t> RecordBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes;
  for (uint32_t record = 0; bytes.size() < size; ++record) {
    const size_t width = 4 + random() % 20;
    for (size_t i = 0; i < width; ++i)
      bytes.push_back(i < 4 ? static_cast<uint8_t>(record >> (8 * i)) : static_cast<uint8_t>(i));
    if (random() % 4 == 0) bytes.push_back(static_cast<uint8_t>(random() % 3));
  }
  bytes.resize(size);
  return bytes;
}

}  // namespace

TEST(ZipBlock, BodiesAreThoseOfTheCoderAsDescribed) {
  for (size_t n : {size_t{0}, size_t{1}, size_t{4}, size_t{17}, size_t{18}, size_t{19}, size_t{40},
                   size_t{4095}, size_t{4111}, size_t{20000}, size_t{32767}, size_t{32768}}) {
    auto inputs = SampleInputs(n);
    inputs.emplace_back("records", RecordBytes(n, static_cast<unsigned>(n)));
    std::vector<uint8_t> twoLetters = RandomBytes(n, static_cast<unsigned>(n) + 5);
    for (uint8_t& b : twoLetters) b = 'a' + (b & 1);
    inputs.emplace_back("two letters", twoLetters);
    for (const auto& [kind, plain] : inputs)
      EXPECT_EQ(Hex(Body(plain)), Hex(DescribedBody(plain))) << kind << " " << n;
  }
}
