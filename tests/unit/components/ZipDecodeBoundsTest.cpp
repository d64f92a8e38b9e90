// The block decoder at its bounds: bodies ending anywhere, copies reaching one byte too far
// back, and plain lengths one byte over the block, inside whole control words as well as near
// the end of a body. Bodies and outputs are exactly as long as documented, so ASan sees overruns.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "components/ZipLzImp.h"

namespace {

// Builds a coded body item by item and keeps the plain bytes that it stands for.
class BodyWriter {
 public:
  std::vector<uint8_t> body{0x40};
  std::vector<uint8_t> plain;
  std::vector<size_t> itemEnds, plainEnds;  // body and plain lengths after each item

  void Literal(uint8_t value) {
    plain.push_back(value);
    Item(0, {value});
  }
  void Copy(size_t distance, size_t length) {
    for (size_t i = 0; i < length && distance <= plain.size(); ++i)
      plain.push_back(plain[plain.size() - distance]);
    const unsigned code = static_cast<unsigned>(distance << 4 | (length - 3));
    Item(1, {static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code)});
  }
  void Run(size_t count, uint8_t value) {
    plain.insert(plain.end(), count, value);
    const size_t n = count - 16;
    Item(1, {0, static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n), value});
  }
  void Literals(size_t count) {
    for (size_t i = 0; i < count; ++i) Literal(static_cast<uint8_t>('a' + i % 26));
  }

 private:
  size_t control = 0, items = 0;

  void Item(unsigned kind, std::vector<uint8_t> bytes) {
    if (items % 16 == 0) {
      control = body.size();
      body.insert(body.end(), {0, 0});
    }
    body[control + (items % 16 < 8 ? 0 : 1)] |= static_cast<uint8_t>(kind << (7 - items % 8));
    ++items;
    body.insert(body.end(), bytes.begin(), bytes.end());
    itemEnds.push_back(body.size());
    plainEnds.push_back(plain.size());
  }
};

std::vector<uint8_t> Decode(std::vector<uint8_t> body) {
  body.shrink_to_fit();
  std::vector<uint8_t> plain(ZipDecodeCapacity);
  plain.resize(DecompressBlock(body.data(), plain.data(), body.size()));
  return plain;
}

// Every kind of item and distance, whole control words of runs and of longest copies among them.
BodyWriter MixedBody(unsigned seed) {
  std::mt19937 random(seed);
  BodyWriter writer;
  writer.Literals(16);
  for (int group = 0; group < 12; ++group) {
    for (int item = 0; item < 16; ++item) {
      const unsigned kind = group % 4 == 1 ? 1 : group % 4 == 2 ? 2 : random() % 4;
      if (kind == 0) writer.Literal(static_cast<uint8_t>(random()));
      if (kind == 1) writer.Run(16 + random() % 40, static_cast<uint8_t>(random()));
      if (kind >= 2) {
        const size_t distance = 1 + random() % std::min<size_t>(writer.plain.size(), 40);
        writer.Copy(distance, kind == 2 ? 18 : 3 + random() % 16);
      }
    }
  }
  return writer;
}

}  // namespace

TEST(ZipDecodeBounds, BodiesCutAnywhereDecodeTheirWholeItemsOrFail) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    const BodyWriter writer = MixedBody(seed);
    ASSERT_EQ(Decode(writer.body), writer.plain);
    for (size_t cut = 4, item = 0; cut < writer.body.size(); ++cut) {
      const std::vector<uint8_t> body(writer.body.begin(), writer.body.begin() + cut);
      while (item < writer.itemEnds.size() && writer.itemEnds[item] <= cut) ++item;
      // Whole items decode; a cut item, or a control word without an item after it, fails.
      if (item > 0 && writer.itemEnds[item - 1] == cut) {
        const auto end = writer.plain.begin() + writer.plainEnds[item - 1];
        EXPECT_EQ(Decode(body), std::vector<uint8_t>(writer.plain.begin(), end))
            << seed << " cut at " << cut;
      } else {
        EXPECT_THROW(Decode(body), EZipSourceError) << seed << " cut at " << cut;
      }
    }
  }
}

TEST(ZipDecodeBounds, CopiesReachingBeforeTheBlockFail) {
  // At the first item of a control word, after a run, and at the last item of a control word;
  // enough literals follow for the whole control word to be decoded at once.
  for (size_t itemsBefore : {0, 1, 15}) {
    for (size_t beyond : {0, 1}) {
      BodyWriter writer;
      writer.Literals(16);
      if (itemsBefore > 0) writer.Run(20, 'r');
      writer.Literals(itemsBefore > 1 ? itemsBefore - 1 : 0);
      writer.Copy(writer.plain.size() + beyond, 18);
      writer.Literals(120);
      if (beyond == 0) {
        EXPECT_EQ(Decode(writer.body), writer.plain);
      } else {
        EXPECT_THROW(Decode(writer.body), EZipSourceError) << itemsBefore;
      }
    }
  }
}

TEST(ZipDecodeBounds, PlainLengthsOverTheBlockFail) {
  // A block filled to its last byte by whole control words, then one more literal, short copy or
  // run, and three control words of longest copies after it: more than the output's spare room.
  for (int extra = 0; extra < 4; ++extra) {
    BodyWriter writer;
    writer.Literals(16);
    while (writer.plain.size() + 4111 <= ZipBlockSize) writer.Run(4111, 'x');
    // Copies of 18 bytes and literals fill the rest, as many items as end a control word.
    const size_t left = ZipBlockSize - writer.plain.size(), items = writer.itemEnds.size();
    size_t copies = left / 18;
    while (copies % 16 != (left + items) % 16) --copies;
    for (size_t i = 0; i < copies; ++i) writer.Copy(20, 18);
    writer.Literals(left - copies * 18);
    ASSERT_EQ(writer.itemEnds.size() % 16, 0u);
    EXPECT_EQ(Decode(writer.body), writer.plain);
    if (extra == 1) writer.Literal('y');
    if (extra == 2) writer.Copy(1, 3);
    if (extra == 3) writer.Run(16, 'z');
    for (int i = extra == 0 ? 0 : 1; i < 48; ++i) writer.Copy(20, 18);
    writer.Literals(100);
    EXPECT_THROW(Decode(writer.body), EZipSourceError) << extra;
  }
}
