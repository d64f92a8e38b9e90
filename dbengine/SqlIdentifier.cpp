#include "dbengine/SqlIdentifier.h"

#include "framework/Exceptions.h"
#include "framework/TextCompare.h"

namespace {

// How the server's lexer tells a two-byte character of a character set: the byte ranges of its
// first and second bytes. A first byte not followed by a valid second byte stands alone.
struct DoubleByteCharset {
  const char* name;
  bool (*isLead)(unsigned char);
  bool (*isTrail)(unsigned char);
};

bool InRange(unsigned char c, unsigned char low, unsigned char high) {
  return c >= low && c <= high;
}

// The character sets whose second bytes reach below 0x80, where the backquote (0x60) is. In
// gb2312, utf8 and the EUC sets every byte of a multi-byte character is 0x80 or above, so a
// backquote is always one of its own there and byte-wise doubling is right.
const DoubleByteCharset kDoubleByteCharsets[] = {
    {"big5", [](unsigned char c) { return InRange(c, 0xa1, 0xf9); },
     [](unsigned char c) { return InRange(c, 0x40, 0x7e) || InRange(c, 0xa1, 0xfe); }},
    {"gbk", [](unsigned char c) { return InRange(c, 0x81, 0xfe); },
     [](unsigned char c) { return InRange(c, 0x40, 0x7e) || InRange(c, 0x80, 0xfe); }},
    {"gb18030", [](unsigned char c) { return InRange(c, 0x81, 0xfe); },
     [](unsigned char c) { return InRange(c, 0x40, 0x7e) || InRange(c, 0x80, 0xfe); }},
    {"sjis", [](unsigned char c) { return InRange(c, 0x81, 0x9f) || InRange(c, 0xe0, 0xfc); },
     [](unsigned char c) { return InRange(c, 0x40, 0x7e) || InRange(c, 0x80, 0xfc); }},
    {"cp932", [](unsigned char c) { return InRange(c, 0x81, 0x9f) || InRange(c, 0xe0, 0xfc); },
     [](unsigned char c) { return InRange(c, 0x40, 0x7e) || InRange(c, 0x80, 0xfc); }},
};

const DoubleByteCharset* DoubleByteCharsetNamed(const std::string& characterSet) {
  for (const DoubleByteCharset& charset : kDoubleByteCharsets) {
    if (SameText(characterSet, charset.name)) return &charset;
  }
  return nullptr;
}

}  // namespace

std::string QuoteIdentifier(const std::string& name, const std::string& characterSet) {
  const DoubleByteCharset* charset = DoubleByteCharsetNamed(characterSet);
  std::string quoted = "`";
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (charset && charset->isLead(c)) {
      if (i + 1 == name.size()) {
        throw EDatabaseError("Identifier '" + name + "' ends inside a character of " +
                             characterSet);
      }
      if (charset->isTrail(static_cast<unsigned char>(name[i + 1]))) {
        quoted += name.substr(i, 2);
        ++i;
        continue;
      }
    }
    if (c == '`') quoted += '`';
    quoted += static_cast<char>(c);
  }
  return quoted + '`';
}
