#pragma once
// A static text. With AutoSize (the default) it takes the size of its caption in its font (once
// it has a window); without, it keeps its size and aligns the text within it. Its background
// follows the parent's colour unless a colour of its own is set.
#include "controls/win32/Window.h"

class TLabel : public TControl {
  LINTORA_PUBLISHED(TLabel)
 public:
  explicit TLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool IsGraphicControl() const override { return true; }

 protected:
  TCreateParams CreateParams() const override;
  void AdjustSize() override;
  void CreateHandle() override;

 private:
  void FitCaption();
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
};
