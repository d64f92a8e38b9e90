#pragma once
// Combo box. Items is a string list mirrored into the window (sorted in the locale's order when
// Sorted); Text is the edit field. Choosing an item sets the text to it, then runs OnClick and
// OnChange; typing runs OnChange; opening the list runs OnDropDown; leaving the control runs
// OnExit. Setting Text or Items from code runs no event.
#include "controls/win32/Window.h"
#include "framework/CodePages.h"
#include "framework/Strings.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl {
  LINTORA_PUBLISHED(TComboBox)
 public:
  explicit TComboBox(TComponent* owner);

  TStrings& Items() { return items_; }
  const TStrings& Items() const { return items_; }
  bool Sorted() const { return items_.Sorted(); }
  void SetSorted(bool sorted);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style) { style_ = style; }
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count) { dropDownCount_ = count; }
  // The chosen item, -1 when the text is not one chosen from the list.
  int ItemIndex() const;
  void SetItemIndex(int index);

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;

 public:
  // What the user types, or the program read, in the system's code page, as always.
  unsigned TextCodePage() const override { return kSystemCodePage; }

 protected:
  TCreateParams CreateParams() const override;
  RECT WindowBounds() const override;
  void InitializeHandle() override;
  void CommandNotify(WORD code) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ItemsChanged();
  TStrings items_;
  TComboBoxStyle style_ = csDropDown;
  int dropDownCount_ = 8;
  int itemIndex_ = -1;
};
