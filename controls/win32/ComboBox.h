#pragma once
// Combo box. Items is a string list mirrored into the window (sorted in the locale's order when
// Sorted); Text is the edit field. Choosing an item sets the text to it, then runs OnClick and
// OnChange; typing runs OnChange; opening the list runs OnDropDown; leaving the control runs
// OnExit. Setting Text or Items from code runs no event.
//
// The window is given only what changed in Items (the lines before and after the change stay),
// so that a list of thousands changed in one line costs one line.
#include <string>
#include <vector>

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
  // Items takes items at once, but lines added past the window's last are handed to the window a
  // few at a time while the program is idle, so that a list of thousands prepared ahead costs the
  // user no wait. The window has them all before its list drops down or Items changes again.
  void AssignItemsWhenIdle(const TStrings& items);
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
  // Brings the window's list to Items; at most limit lines are added past the window's last,
  // the rest wait for the idle-time timer.
  void UpdateWindowItems(size_t limit);
  void ReplaceWindowItems(size_t from, size_t removed, size_t added);
  void AddWindowItems(size_t limit);
  void FinishWindowItems();

  TStrings items_;
  std::vector<std::string> windowItems_;  // what the window's list holds, in its order
  bool addWhenIdle_ = false;
  TComboBoxStyle style_ = csDropDown;
  int dropDownCount_ = 8;
  int itemIndex_ = -1;
};
