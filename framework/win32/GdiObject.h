#pragma once
// Owns one GDI object (font, bitmap, brush): DeleteObject when it goes away.
#include <windows.h>

#include "framework/win32/OwnedHandle.h"

template <typename GdiHandle>
struct GdiObjectTraits {
  using Handle = GdiHandle;
  static GdiHandle Empty() { return nullptr; }
  static void Close(GdiHandle handle) { DeleteObject(handle); }
};
template <typename GdiHandle>
using GdiObject = OwnedHandle<GdiObjectTraits<GdiHandle>>;

using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using BrushHandle = GdiObject<HBRUSH>;

// A device context of a window for measuring, released when it goes away.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context for a scope and puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
