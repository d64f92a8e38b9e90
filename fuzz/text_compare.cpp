// Case-insensitive comparison must be a consistent order on any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/TextCompare.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string all(reinterpret_cast<const char*>(data), size);
  const std::string a = all.substr(0, size / 2), b = all.substr(size / 2);
  const int ab = CompareText(a, b), ba = CompareText(b, a);
  if ((ab < 0) != (ba > 0) || (ab == 0) != (ba == 0)) std::abort();
  if (SameText(a, b) != (ab == 0)) std::abort();
  return 0;
}
