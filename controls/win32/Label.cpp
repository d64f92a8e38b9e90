#include "controls/win32/Label.h"

#include "framework/win32/GdiObject.h"
#include "framework/win32/WideText.h"

const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TLabel>("TLabel", TControl::StaticClassInfo())
          .Enum<TAlignment>("Alignment", "TAlignment",
                            {"taLeftJustify", "taRightJustify", "taCenter"}, &TLabel::Alignment,
                            &TLabel::SetAlignment)
          .Default(taLeftJustify)
          .Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
          .Default(true)
          .String("Caption", &TLabel::Caption, &TLabel::SetCaption)
          .TypeName("TCaption");
  return info;
}

TLabel::TLabel(TComponent* owner) : TControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 65, 13);
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  if (HWND window = WindowHandleOrNull()) {
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
    SetWindowLongPtrA(window, GWL_STYLE, style | static_cast<LONG_PTR>(CreateParams().style));
    Invalidate();
  }
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustSize();
}

TControl::TCreateParams TLabel::CreateParams() const {
  TCreateParams params;
  params.className = "STATIC";
  params.style = alignment_ == taCenter         ? SS_CENTER
                 : alignment_ == taRightJustify ? SS_RIGHT
                                                : SS_LEFT;
  return params;
}

// Measuring the caption needs the screen: a label is measured when its window is made and on
// every change after, so that a dialog that never shows, as in an unattended run, never starts
// the display.
void TLabel::AdjustSize() {
  if (WindowHandleOrNull()) FitCaption();
}

void TLabel::CreateHandle() {
  FitCaption();
  TControl::CreateHandle();
}

void TLabel::FitCaption() {
  if (!autoSize_ || IsLoading()) return;
  WindowDC screen(nullptr);
  SelectedObject font(screen.Get(), FontHandle());
  const std::wstring text =
      caption_.empty() ? std::wstring(L" ") : WideFromCodePage(caption_, TextCodePage());
  RECT r = {0, 0, 0, 0};
  DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_EXPANDTABS);
  SetBounds(Left(), Top(), r.right, r.bottom);
}
