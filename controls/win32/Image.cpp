#include "controls/win32/Image.h"

// The stored form reaches the picture's bytes as "Picture.Data".
const TClassInfo& TImage::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TImage>("TImage", TControl::StaticClassInfo())
          .Object("Picture", "TPicture", [](TImage& i) -> TPicture& { return i.Picture(); })
          .Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent)
          .Default(false);
  return info;
}

TImage::TImage(TComponent* owner) : TControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 105, 105);
  picture_.OnChange = [this] { Invalidate(); };
}

void TImage::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

TControl::TCreateParams TImage::CreateParams() const {
  TCreateParams params;
  params.className = "TImage";
  params.systemClass = false;
  return params;
}

void TImage::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, BackgroundBrush());
  HBITMAP bitmap = picture_.Bitmap();
  if (!bitmap) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, bitmap);
  const int width = picture_.Width(), height = picture_.Height();
  if (transparent_) {
    GdiTransparentBlt(dc, 0, 0, width, height, source, 0, 0, width, height,
                      picture_.TransparentColor());
  } else {
    BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
  }
  SelectObject(source, previous);
  DeleteDC(source);
}

// Clicks go through to the parent, as on a picture without a window.
LRESULT TImage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (PaintMessage(message, result)) return result;
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  return TControl::WndProc(message, wParam, lParam);
}
