#include "i18n/win32/Win32ConverterPlatform.h"

#include <windows.h>

#include "framework/win32/IniFile.h"
#include "framework/win32/ProgramResource.h"
#include "framework/win32/SystemPaths.h"

namespace {

// A table used in place, where the program's module maps it.
class ResourceTable : public TableResource {
 public:
  explicit ResourceTable(ProgramResource resource) : resource_(std::move(resource)) {}
  ConversionTable Table() const override { return {resource_.Data(), resource_.Size()}; }

 private:
  ProgramResource resource_;
};

std::string WinIniPath() {
  return WindowsDirectory() + "WIN.INI";
}

}  // namespace

std::unique_ptr<TableResource> Win32ConverterPlatform::LoadTable(const std::string& name) {
  ProgramResource resource = ProgramResource::FindRcData(name);
  if (!resource) return nullptr;
  return std::make_unique<ResourceTable>(std::move(resource));
}

uint16_t Win32ConverterPlatform::UserDefaultLangID() {
  return GetUserDefaultLangID();
}

int Win32ConverterPlatform::IntlInteger(const std::string& key, int defaultValue) {
  return static_cast<int>(
      GetPrivateProfileIntA("intl", key.c_str(), defaultValue, WinIniPath().c_str()));
}

std::string Win32ConverterPlatform::IntlString(const std::string& key,
                                               const std::string& defaultValue) {
  return TIniFile(WinIniPath()).ReadString("intl", key, defaultValue);
}

void UseWin32ConverterPlatform() {
  static Win32ConverterPlatform platform;
  SetConverterPlatform(&platform);
}
