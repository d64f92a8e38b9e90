#pragma once
// Push button, check box, radio button and speed button. Each runs OnClick when pressed; Click()
// runs it from code too, also for a hidden button or one without a window (the dialog's hidden
// actions).
#include "controls/win32/Picture.h"
#include "controls/win32/Window.h"

class TButton : public TWinControl {
  LINTORA_PUBLISHED(TButton)
 public:
  explicit TButton(TComponent* owner);

 protected:
  TCreateParams CreateParams() const override;
  void CommandNotify(WORD code) override;
};

// A button with a check mark: check box and radio button. Checked follows the user's clicks.
class TButtonControl : public TWinControl {
  LINTORA_PUBLISHED(TButtonControl)
 public:
  explicit TButtonControl(TComponent* owner);
  bool Checked() const;
  virtual void SetChecked(bool checked);

 protected:
  void InitializeHandle() override;
  void CommandNotify(WORD code) override;

 private:
  bool checked_ = false;
};

class TCheckBox : public TButtonControl {
  LINTORA_PUBLISHED(TCheckBox)
 public:
  explicit TCheckBox(TComponent* owner);

 protected:
  TCreateParams CreateParams() const override;
};

// Checking a radio button clears the other radio buttons of its parent.
class TRadioButton : public TButtonControl {
  LINTORA_PUBLISHED(TRadioButton)
 public:
  explicit TRadioButton(TComponent* owner);
  void SetChecked(bool checked) override;

 protected:
  TCreateParams CreateParams() const override;
};

// A button that never takes part in the tab order nor takes the focus, showing its caption or its
// glyph.
class TSpeedButton : public TControl {
  LINTORA_PUBLISHED(TSpeedButton)
 public:
  explicit TSpeedButton(TComponent* owner);
  TPicture& Glyph() { return glyph_; }
  bool IsGraphicControl() const override { return true; }

 protected:
  TCreateParams CreateParams() const override;
  void InitializeHandle() override;
  void CommandNotify(WORD code) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ShowGlyph();
  void Press();
  void Release(bool click);
  TPicture glyph_;
  bool pressed_ = false;
  BitmapHandle face_;  // the glyph with its transparent colour in the button's face colour
};
