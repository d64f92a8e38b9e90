#include "i18n/CodeConversion.h"

#include "i18n/ConversionTableLayout.h"

namespace {

template <std::ptrdiff_t (*Position)(uint8_t, uint8_t), std::size_t RowsSize>
int ConvertWith(std::string& text, const ConversionTable& table) {
  const std::size_t rowsEnd = table.Size < RowsSize ? table.Size : RowsSize;
  int failures = 0;
  const std::size_t length = text.size();
  auto* bytes = reinterpret_cast<uint8_t*>(text.data());
  std::size_t p = 0;
  while (p < length) {
    const uint8_t lead = bytes[p];
    if (lead < 0xA1) {
      ++p;
      continue;
    }
    if (p + 1 == length) break;  // a lead byte without its trail byte stays as it is
    const std::ptrdiff_t position = Position(lead, bytes[p + 1]);
    if (table.Data == nullptr || position < 0 ||
        static_cast<std::size_t>(position) + 1 >= rowsEnd) {
      ++failures;
    } else {
      bytes[p] = table.Data[position];
      bytes[p + 1] = table.Data[position + 1];
    }
    p += 2;
  }
  return failures;
}

}  // namespace

int ConvertPairs(std::string& text, TConvertDirect direct, const ConversionTable& table) {
  return direct == GBtoBIG ? ConvertWith<GbToBigPosition, kGbToBigRowsSize>(text, table)
                           : ConvertWith<BigToGbPosition, kBigToGbRowsSize>(text, table);
}
