#include "controls/win32/GroupBoxes.h"

#include <algorithm>

namespace {
// Room for the frame: the caption's line above the first button, a margin on the other sides.
constexpr int kFrameTop = 16;
constexpr int kFrameMargin = 8;
constexpr int kButtonHeight = 17;
}  // namespace

// --- TCustomGroupBox, TGroupBox ---------------------------------------------------------------

const TClassInfo& TCustomGroupBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomGroupBox>("TCustomGroupBox", TWinControl::StaticClassInfo())
          .String("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption)
          .TypeName("TCaption");
  return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 185, 105);
}

TControl::TCreateParams TCustomGroupBox::CreateParams() const {
  TCreateParams params;
  params.className = "BUTTON";
  params.style = BS_GROUPBOX | WS_CLIPCHILDREN;
  params.exStyle = WS_EX_CONTROLPARENT;
  return params;
}

// The system's group box draws its frame and caption only; the inside is the control's colour.
LRESULT TCustomGroupBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(WindowHandleOrNull(), &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
    return 1;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

const TClassInfo& TGroupBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TGroupBox>("TGroupBox", TCustomGroupBox::StaticClassInfo());
  return info;
}

// --- TRadioGroup --------------------------------------------------------------------------------

const TClassInfo& TRadioGroup::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TRadioGroup>("TRadioGroup", TCustomGroupBox::StaticClassInfo())
          .Strings(
              "Items", "TStrings", [](TRadioGroup& g) -> TStrings& { return g.Items(); },
              [](TRadioGroup& g, const TStrings& items) { g.Items().Assign(items); })
          .Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex)
          .Default(-1);
  return info;
}

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {
  items_.OnChange = [this] { ItemsChanged(); };
}

int TRadioGroup::ItemIndex() const {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->Checked()) return static_cast<int>(i);
  }
  // While the form is read the items may come after the index.
  return buttons_.empty() ? itemIndex_ : -1;
}

void TRadioGroup::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < static_cast<int>(buttons_.size()) ? index : -1;
  if (buttons_.empty() && IsLoading()) itemIndex_ = index;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->SetChecked(static_cast<int>(i) == itemIndex_);
  }
}

// One button per item, captioned with it; surplus buttons go.
void TRadioGroup::ItemsChanged() {
  const int chosen = ItemIndex();
  const int wanted = items_.Count();
  while (static_cast<int>(buttons_.size()) > wanted) {
    delete buttons_.back();
    buttons_.pop_back();
  }
  while (static_cast<int>(buttons_.size()) < wanted) {
    auto* button = new TRadioButton(this);
    button->OnClick.Bind([this](TComponent*) { Click(); });
    button->SetParent(this);
    buttons_.push_back(button);
  }
  for (int i = 0; i < wanted; ++i) buttons_[static_cast<size_t>(i)]->SetCaption(items_[i]);
  SetItemIndex(chosen);
  ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  const int count = static_cast<int>(buttons_.size());
  const int step = std::max(kButtonHeight, (Height() - kFrameTop - kFrameMargin) / count);
  const int width = std::max(0, Width() - 2 * kFrameMargin);
  for (int i = 0; i < count; ++i) {
    buttons_[static_cast<size_t>(i)]->SetBounds(kFrameMargin, kFrameTop + i * step, width,
                                                kButtonHeight);
  }
}

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
  TCustomGroupBox::SetBounds(left, top, width, height);
  ArrangeButtons();
}
