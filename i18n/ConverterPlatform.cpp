#include "i18n/ConverterPlatform.h"

namespace {

class TNoPlatform : public TConverterPlatform {
 public:
  std::unique_ptr<TTableResource> LoadTable(const std::string&) override { return nullptr; }
  uint16_t UserDefaultLangID() override { return 0; }
  int IntlInteger(const std::string&, int defaultValue) override { return defaultValue; }
  std::string IntlString(const std::string&, const std::string& defaultValue) override {
    return defaultValue;
  }
};

TNoPlatform noPlatform;
TConverterPlatform* installed = nullptr;

}  // namespace

void SetConverterPlatform(TConverterPlatform* platform) {
  installed = platform;
}

TConverterPlatform& ConverterPlatform() {
  return installed ? *installed : noPlatform;
}
