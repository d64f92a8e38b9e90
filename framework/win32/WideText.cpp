#include "framework/win32/WideText.h"

#include <vector>

#include "framework/CodePages.h"

std::wstring WideFromCodePage(const std::string& text, unsigned codePage) {
  if (text.empty()) return std::wstring();
  const int length = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (wide <= 0) return std::wstring();
  std::wstring result(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, &result[0], wide);
  return result;
}

std::string CodePageFromWide(const std::wstring& text, unsigned codePage) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  const int bytes =
      WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string result(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), length, &result[0], bytes, nullptr, nullptr);
  return result;
}

std::string TextInCodePage(const std::string& text, unsigned from, unsigned to) {
  if (from == kSystemCodePage) from = GetACP();
  if (to == kSystemCodePage) to = GetACP();
  return from == to ? text : CodePageFromWide(WideFromCodePage(text, from), to);
}

std::string WindowTextIn(HWND window, unsigned codePage) {
  if (codePage == kSystemCodePage) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
  }
  std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return CodePageFromWide(std::wstring(text.data(), static_cast<size_t>(copied > 0 ? copied : 0)),
                          codePage);
}

void SetWindowTextIn(HWND window, const std::string& text, unsigned codePage) {
  if (codePage == kSystemCodePage) {
    SetWindowTextA(window, text.c_str());
  } else {
    SetWindowTextW(window, WideFromCodePage(text, codePage).c_str());
  }
}
