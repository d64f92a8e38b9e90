// The GB2312/Big5 pair conversion on any text with any table (the input's first bytes give the
// table's length and cells): it never reads outside the table or the text, keeps the text's
// length and every byte below A1 that does not follow a lead byte, and counts no more failures
// than the text has pairs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "i18n/CodeConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const auto direct = static_cast<TConvertDirect>(data[0] & 1);
  const size_t tableSize = ((size_t(data[1]) << 8) | data[2]) % (size - 2);
  // A copy of its own, so that ASan sees any read past its end.
  const std::vector<uint8_t> cells(data + 3, data + 3 + tableSize);
  const ConversionTable table{cells.empty() ? nullptr : cells.data(), cells.size()};
  const std::string original(reinterpret_cast<const char*>(data + 3 + tableSize),
                             size - 3 - tableSize);
  std::string text = original;
  const int failures = ConvertPairs(text, direct, table);
  if (text.size() != original.size() || failures < 0 ||
      static_cast<size_t>(failures) > original.size() / 2) {
    std::abort();
  }
  for (size_t i = 0; i < original.size(); ++i) {
    if (static_cast<unsigned char>(original[i]) >= 0xa1 && i + 1 < original.size()) {
      ++i;  // a pair: both bytes may change
    } else if (text[i] != original[i]) {
      std::abort();
    }
  }
  return 0;
}
