#include "framework/TextCompare.h"
#include <utility>

// Big5 and GB2312 are double-byte code pages: a byte from 0x81 up starts a pair whose second
// byte may be an ASCII letter (安 is A6 77, "w"). Such trail bytes are never case-folded.
bool IsDoubleByteLead(unsigned char c) {
  return c >= 0x81 && c != 0xff;
}

namespace {
unsigned char FoldAscii(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

template <typename Fold>
std::string FoldLetters(std::string text, Fold fold) {
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsDoubleByteLead(c)) {
      ++i;
      continue;
    }
    text[i] = static_cast<char>(fold(c));
  }
  return text;
}
}  // namespace

int CompareText(const std::string& a, const std::string& b) {
  const std::string foldedA = UpperCaseAscii(a), foldedB = UpperCaseAscii(b);
  const int order = foldedA.compare(foldedB);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string UpperCaseAscii(std::string text) {
  return FoldLetters(std::move(text), FoldAscii);
}

std::string LowerCaseAscii(std::string text) {
  return FoldLetters(std::move(text), [](unsigned char c) -> unsigned char {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
  });
}
