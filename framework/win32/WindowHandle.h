#pragma once
// Owns one window: DestroyWindow when it goes away. Nothing here raises; creation failures are
// reported by an empty handle and turned into errors by the layer above.
#include <windows.h>

class WindowHandle {
 public:
  WindowHandle() = default;
  explicit WindowHandle(HWND handle) : handle_(handle) {}
  ~WindowHandle() { Destroy(); }
  WindowHandle(WindowHandle&& other) noexcept : handle_(other.Release()) {}
  WindowHandle& operator=(WindowHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  WindowHandle(const WindowHandle&) = delete;
  WindowHandle& operator=(const WindowHandle&) = delete;

  HWND Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives up ownership, for a window that Windows itself has destroyed (WM_NCDESTROY).
  HWND Release() {
    HWND handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void Reset(HWND handle = nullptr) {
    Destroy();
    handle_ = handle;
  }

 private:
  void Destroy() {
    if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
    handle_ = nullptr;
  }
  HWND handle_ = nullptr;
};
