#include "i18n/win32/Win32ConverterPlatform.h"

#include <windows.h>

#include "framework/win32/IniFile.h"
#include "framework/win32/SystemPaths.h"

namespace {

// A loaded and locked resource of the program's own module. Unlocking and freeing are no-ops on
// Win32, but they end the resource's use as the platform documents it.
class TResourceTable : public TTableResource {
 public:
  TResourceTable(HGLOBAL handle, const void* data, DWORD size)
      : handle_(handle), table_{static_cast<const uint8_t*>(data), size} {}
  ~TResourceTable() override {
    UnlockResource(handle_);
    FreeResource(handle_);
  }
  TResourceTable(const TResourceTable&) = delete;
  TResourceTable& operator=(const TResourceTable&) = delete;

  TConversionTable Table() const override { return table_; }

 private:
  HGLOBAL handle_;
  TConversionTable table_;
};

std::string WinIniPath() {
  return WindowsDirectory() + "WIN.INI";
}

}  // namespace

std::unique_ptr<TTableResource> TWin32ConverterPlatform::LoadTable(const std::string& name) {
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC resource = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));  // RCDATA
  if (!resource) return nullptr;
  const HGLOBAL handle = LoadResource(module, resource);
  if (!handle) return nullptr;
  const void* data = LockResource(handle);
  const DWORD size = SizeofResource(module, resource);
  if (!data || size == 0) {
    FreeResource(handle);
    return nullptr;
  }
  return std::make_unique<TResourceTable>(handle, data, size);
}

uint16_t TWin32ConverterPlatform::UserDefaultLangID() {
  return GetUserDefaultLangID();
}

int TWin32ConverterPlatform::IntlInteger(const std::string& key, int defaultValue) {
  return static_cast<int>(
      GetPrivateProfileIntA("intl", key.c_str(), defaultValue, WinIniPath().c_str()));
}

std::string TWin32ConverterPlatform::IntlString(const std::string& key,
                                                const std::string& defaultValue) {
  return TIniFile(WinIniPath()).ReadString("intl", key, defaultValue);
}

void UseWin32ConverterPlatform() {
  static TWin32ConverterPlatform platform;
  SetConverterPlatform(&platform);
}
