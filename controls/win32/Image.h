#pragma once
// A picture on a form (bitmap or JPEG, see Picture.h), drawn at the top left of the control.
// Transparent leaves the parent's colour where the picture has its bottom-left pixel's colour.
#include "controls/win32/Picture.h"
#include "controls/win32/Window.h"

class TImage : public TControl {
  LINTORA_PUBLISHED(TImage)
 public:
  explicit TImage(TComponent* owner);

  TPicture& Picture() { return picture_; }
  const TPicture& Picture() const { return picture_; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  bool IsGraphicControl() const override { return true; }

 protected:
  TCreateParams CreateParams() const override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client) override;

 private:
  TPicture picture_;
  bool transparent_ = false;
};
