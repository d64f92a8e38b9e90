// A language file's line on any bytes: the clean-up and split never fail and the names keep to
// their rules (a property name is not empty and holds no "=", a component name holds no "."),
// and a value holding no line break comes back unchanged through its list text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "i18n/LanguageFileText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  LanguageLine parsed;
  if (ParseLanguageLine(line, parsed)) {
    if (parsed.property.empty() || parsed.property.find('=') != std::string::npos) std::abort();
    if (parsed.component.find('.') != std::string::npos) std::abort();
    if (parsed.value.size() > line.size()) std::abort();
  }
  if (line.find("\r\n") == std::string::npos && ListTextToValue(ValueToListText(line)) != line) {
    std::abort();
  }
  return 0;
}
