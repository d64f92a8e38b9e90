#include "i18n/ConverterPlatform.h"

namespace {

class NoPlatform : public ConverterPlatform {
 public:
  std::unique_ptr<TableResource> LoadTable(const std::string&) override { return nullptr; }
  uint16_t UserDefaultLangID() override { return 0; }
  int IntlInteger(const std::string&, int defaultValue) override { return defaultValue; }
  std::string IntlString(const std::string&, const std::string& defaultValue) override {
    return defaultValue;
  }
};

NoPlatform noPlatform;
ConverterPlatform* installed = nullptr;

}  // namespace

void SetConverterPlatform(ConverterPlatform* platform) {
  installed = platform;
}

ConverterPlatform& CurrentConverterPlatform() {
  return installed ? *installed : noPlatform;
}
