#pragma once
// Group boxes: a frame with a caption around other controls (TGroupBox), and a radio group, a
// group box whose items are radio buttons of its own, one of which is chosen (TRadioGroup). The
// two are siblings, not one kind of the other: code that treats group boxes alike does not reach
// radio groups.
#include <vector>

#include "controls/win32/Buttons.h"
#include "controls/win32/Window.h"
#include "framework/Strings.h"

class TCustomGroupBox : public TWinControl {
  LINTORA_PUBLISHED(TCustomGroupBox)
 public:
  explicit TCustomGroupBox(TComponent* owner);

 protected:
  TCreateParams CreateParams() const override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TGroupBox : public TCustomGroupBox {
  LINTORA_PUBLISHED(TGroupBox)
 public:
  using TCustomGroupBox::TCustomGroupBox;
};

// One radio button per line of Items, top to bottom. Choosing one (the user or ItemIndex) clears
// the others; the user's choice runs OnClick.
class TRadioGroup : public TCustomGroupBox {
  LINTORA_PUBLISHED(TRadioGroup)
 public:
  explicit TRadioGroup(TComponent* owner);

  TStrings& Items() { return items_; }
  const TStrings& Items() const { return items_; }
  // The chosen item, -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The radio button of item i.
  TRadioButton* Button(int i) const { return buttons_.at(static_cast<size_t>(i)); }
  void SetBounds(int left, int top, int width, int height) override;

 private:
  void ItemsChanged();
  void ArrangeButtons();
  TStrings items_;
  std::vector<TRadioButton*> buttons_;  // owned by this group, as components
  int itemIndex_ = -1;
};
