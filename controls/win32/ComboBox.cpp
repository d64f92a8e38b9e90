#include "controls/win32/ComboBox.h"

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

// A list of thousands of items (a machine's data sources) is handed over with the window's
// drawing off and its storage reserved, so that each item costs the same however many came
// before.
void TComboBox::ItemsChanged() {
  HWND window = WindowHandleOrNull();
  if (!window) return;
  const std::string text = Caption();
  SendMessageA(window, WM_SETREDRAW, FALSE, 0);
  SendMessageA(window, CB_RESETCONTENT, 0, 0);
  size_t bytes = 0;
  for (const std::string& item : items_.Lines()) bytes += item.size() + 1;
  SendMessageA(window, CB_INITSTORAGE, items_.Lines().size(), bytes);
  for (const std::string& item : items_.Lines()) {
    SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SetWindowTextA(window, text.c_str());
  SendMessageA(window, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window, nullptr, TRUE);
}

void TComboBox::InitializeHandle() {
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
      RunEvent(OnDropDown);
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
  return TWinControl::WndProc(message, wParam, lParam);
}
