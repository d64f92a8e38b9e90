#include "controls/win32/ComboBox.h"

#include <algorithm>
#include <cstddef>

const TClassInfo& TComboBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TComboBox>("TComboBox", TWinControl::StaticClassInfo())
          .Enum<TComboBoxStyle>("Style", "TComboBoxStyle",
                                {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
                                 "csOwnerDrawVariable"},
                                &TComboBox::Style, &TComboBox::SetStyle)
          .Default(csDropDown)
          .Integer("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount)
          .Default(8)
          .Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
          .Stored([](const TComboBox&) { return false; })
          .Strings(
              "Items", "TStrings", [](TComboBox& c) -> TStrings& { return c.Items(); },
              [](TComboBox& c, const TStrings& items) { c.Items().Assign(items); })
          .Boolean("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted)
          .Default(false)
          .String("Text", &TComboBox::Text, &TComboBox::SetText)
          .TypeName("TCaption")
          .Event("OnChange", &TComboBox::OnChange)
          .Event("OnDropDown", &TComboBox::OnDropDown);
  return info;
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
  items_.OnChange = [this] { ItemsChanged(); };
}

void TComboBox::SetSorted(bool sorted) {
  items_.SetSorted(sorted);
}

int TComboBox::ItemIndex() const {
  if (HWND window = WindowHandleOrNull()) {
    return static_cast<int>(SendMessageA(window, CB_GETCURSEL, 0, 0));
  }
  return itemIndex_;
}

void TComboBox::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < items_.Count() ? index : -1;
  if (HWND window = WindowHandleOrNull()) {
    SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  }
  if (itemIndex_ >= 0) caption_ = items_[itemIndex_];
}

TControl::TCreateParams TComboBox::CreateParams() const {
  static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                 CBS_DROPDOWN | CBS_OWNERDRAWFIXED,
                                 CBS_DROPDOWN | CBS_OWNERDRAWVARIABLE};
  TCreateParams params;
  params.className = "COMBOBOX";
  params.style = styles[style_] | CBS_AUTOHSCROLL | WS_VSCROLL | CBS_HASSTRINGS;
  return params;
}

// The window's height includes the opened list.
RECT TComboBox::WindowBounds() const {
  RECT r = TWinControl::WindowBounds();
  r.bottom += dropDownCount_ * (Height() > 4 ? Height() - 4 : 16) + 2;
  return r;
}

namespace {
const UINT_PTR kIdleFillTimer = 1;
// Some ten milliseconds of the window's work on a loaded machine, so that typing stays smooth.
const size_t kLinesPerIdleStep = 100;
const size_t kAllLines = static_cast<size_t>(-1);
}  // namespace

void TComboBox::AssignItemsWhenIdle(const TStrings& items) {
  addWhenIdle_ = true;
  try {
    items_.Assign(items);
  } catch (...) {
    addWhenIdle_ = false;
    throw;
  }
  addWhenIdle_ = false;
}

void TComboBox::ItemsChanged() {
  UpdateWindowItems(addWhenIdle_ ? kLinesPerIdleStep : kAllLines);
}

// Only the lines between those that stayed at the front and at the back are removed and added,
// with the window's drawing off. A change of most of the list empties the window instead: one
// reset costs less than removing its lines one by one.
void TComboBox::UpdateWindowItems(size_t limit) {
  HWND window = WindowHandleOrNull();
  if (!window) return;
  const std::vector<std::string>& lines = items_.Lines();
  const size_t shown = windowItems_.size(), wanted = lines.size();
  size_t front = 0;
  while (front < shown && front < wanted && windowItems_[front] == lines[front]) ++front;
  size_t back = 0;
  while (back < shown - front && back < wanted - front &&
         windowItems_[shown - 1 - back] == lines[wanted - 1 - back]) {
    ++back;
  }
  const size_t removed = shown - front - back, added = wanted - front - back;
  if (removed == 0 && added == 0) return;
  const std::string text = Caption();
  SendMessageA(window, WM_SETREDRAW, FALSE, 0);
  if (removed > shown / 2) {
    SendMessageA(window, CB_RESETCONTENT, 0, 0);
    windowItems_.clear();
    AddWindowItems(limit);
  } else {
    ReplaceWindowItems(front, removed, back == 0 ? 0 : added);
    if (back == 0) AddWindowItems(limit);
  }
  SetWindowTextA(window, text.c_str());
  SendMessageA(window, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window, nullptr, TRUE);
}

void TComboBox::ReplaceWindowItems(size_t from, size_t removed, size_t added) {
  HWND window = WindowHandleOrNull();
  for (size_t i = 0; i < removed; ++i) SendMessageA(window, CB_DELETESTRING, from, 0);
  windowItems_.erase(windowItems_.begin() + static_cast<std::ptrdiff_t>(from),
                     windowItems_.begin() + static_cast<std::ptrdiff_t>(from + removed));
  const std::vector<std::string>& lines = items_.Lines();
  for (size_t i = from; i < from + added; ++i) {
    SendMessageA(window, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(lines[i].c_str()));
  }
  // One insertion, so that the lines behind move once, not once per line added.
  windowItems_.insert(windowItems_.begin() + static_cast<std::ptrdiff_t>(from),
                      lines.begin() + static_cast<std::ptrdiff_t>(from),
                      lines.begin() + static_cast<std::ptrdiff_t>(from + added));
}

// The window holds the first lines of Items; up to limit more follow, with the window's storage
// reserved for them, and the idle-time timer runs while some are still missing.
void TComboBox::AddWindowItems(size_t limit) {
  HWND window = WindowHandleOrNull();
  const std::vector<std::string>& lines = items_.Lines();
  const size_t first = windowItems_.size();
  const size_t count = std::min(limit, lines.size() - first);
  size_t bytes = 0;
  for (size_t i = first; i < first + count; ++i) bytes += lines[i].size() + 1;
  SendMessageA(window, CB_INITSTORAGE, count, bytes);
  for (size_t i = first; i < first + count; ++i) {
    SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lines[i].c_str()));
    windowItems_.push_back(lines[i]);
  }
  if (windowItems_.size() < lines.size()) {
    SetTimer(window, kIdleFillTimer, USER_TIMER_MINIMUM, nullptr);
  } else {
    KillTimer(window, kIdleFillTimer);
  }
}

void TComboBox::FinishWindowItems() {
  if (WindowHandleOrNull() && windowItems_.size() < items_.Lines().size()) {
    UpdateWindowItems(kAllLines);
  }
}

void TComboBox::InitializeHandle() {
  windowItems_.clear();
  ItemsChanged();
  if (itemIndex_ >= 0) SetItemIndex(itemIndex_);
  SetWindowTextA(WindowHandleOrNull(), caption_.c_str());
}

void TComboBox::CommandNotify(WORD code) {
  switch (code) {
    case CBN_SELCHANGE: {
      // The edit field still shows the old text while the choice is announced.
      const int index = ItemIndex();
      if (index >= 0 && index < items_.Count()) {
        caption_ = items_[index];
        SetWindowTextA(WindowHandleOrNull(), caption_.c_str());
        SendMessageA(WindowHandleOrNull(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      }
      Click();
      RunEvent(OnChange);
      break;
    }
    case CBN_EDITCHANGE:
      RunEvent(OnChange);
      break;
    case CBN_DROPDOWN:
      // The list is shown whole, whatever the handler did or raised.
      try {
        RunEvent(OnDropDown);
      } catch (...) {
        FinishWindowItems();
        throw;
      }
      FinishWindowItems();
      break;
    case CBN_SETFOCUS:
      FocusChanged(true, nullptr);
      break;
    case CBN_KILLFOCUS:
      FocusChanged(false, GetFocus());
      break;
    default:
      break;
  }
}

// The edit field inside has the focus; enter and exit come from CBN_SETFOCUS and CBN_KILLFOCUS.
LRESULT TComboBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
    return DefaultHandler(message, wParam, lParam);
  }
  if (message == WM_TIMER && wParam == kIdleFillTimer) {
    AddWindowItems(kLinesPerIdleStep);
    return 0;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
