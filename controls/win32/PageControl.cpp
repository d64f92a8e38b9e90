#include "controls/win32/PageControl.h"

#include <commctrl.h>

#include <algorithm>

#include "controls/win32/CommonControls.h"
#include "framework/win32/WideText.h"

// --- TTabSheet ----------------------------------------------------------------------------------

const TClassInfo& TTabSheet::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTabSheet>("TTabSheet", TCustomContainer::StaticClassInfo())
          .String("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption)
          .TypeName("TCaption");
  return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TCustomContainer(owner) {
  SetParentColor(true);
}

TTabSheet::~TTabSheet() {
  SetPageControl(nullptr);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
  if (pageControl == pageControl_) return;
  if (pageControl_) pageControl_->RemoveSheet(this);
  pageControl_ = pageControl;
  if (pageControl_) pageControl_->InsertSheet(this);
}

void TTabSheet::SetCaption(const std::string& caption) {
  TCustomContainer::SetCaption(caption);
  if (!pageControl_) return;
  const auto& sheets = pageControl_->sheets_;
  const auto at = std::find(sheets.begin(), sheets.end(), this);
  if (at != sheets.end()) pageControl_->ShowTab(static_cast<int>(at - sheets.begin()), false);
}

void TTabSheet::SetParentComponent(TComponent* parent) {
  if (auto* pageControl = dynamic_cast<TPageControl*>(parent)) {
    SetPageControl(pageControl);
  } else {
    TCustomContainer::SetParentComponent(parent);
  }
}

// --- TPageControl -------------------------------------------------------------------------------

const TClassInfo& TPageControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TPageControl>("TPageControl", TWinControl::StaticClassInfo())
          .Integer("ActivePageIndex", &TPageControl::ActivePageIndex,
                   &TPageControl::SetActivePageIndex)
          .Default(0)
          .Event("OnChange", &TPageControl::OnChange);
  return info;
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetParentColor(true);
  SetBounds(0, 0, 289, 193);
}

// Sheets owned elsewhere stay, in no page control.
TPageControl::~TPageControl() {
  for (TTabSheet* sheet : sheets_) sheet->pageControl_ = nullptr;
}

TControl::TCreateParams TPageControl::CreateParams() const {
  TCreateParams params;
  params.className = WC_TABCONTROLA;
  params.style = WS_CLIPCHILDREN;
  params.exStyle = WS_EX_CONTROLPARENT;
  return params;
}

// The tab control's window class comes with the common controls, registered on request.
void TPageControl::CreateHandle() {
  InitCommonControlClasses(ICC_TAB_CLASSES);
  TWinControl::CreateHandle();
}

void TPageControl::InitializeHandle() {
  ShowTabs();
}

void TPageControl::InsertSheet(TTabSheet* sheet) {
  sheets_.push_back(sheet);
  sheet->SetParent(this);
  ShowTabs();
}

void TPageControl::RemoveSheet(TTabSheet* sheet) {
  sheets_.erase(std::remove(sheets_.begin(), sheets_.end(), sheet), sheets_.end());
  if (sheet->Parent() == this) sheet->SetParent(nullptr);
  if (activeIndex_ >= PageCount()) activeIndex_ = std::max(0, PageCount() - 1);
  ShowTabs();
}

void TPageControl::ShowTab(int i, bool insert) {
  HWND window = WindowHandleOrNull();
  if (!window) return;
  std::wstring text =
      WideFromCodePage(sheets_.at(static_cast<size_t>(i))->Caption(), FormCodePage());
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = &text[0];
  SendMessageW(window, insert ? TCM_INSERTITEMW : TCM_SETITEMW, static_cast<WPARAM>(i),
               reinterpret_cast<LPARAM>(&item));
}

// The tabs made anew from the sheets, the chosen one selected, the sheets laid out.
void TPageControl::ShowTabs() {
  if (HWND window = WindowHandleOrNull()) {
    SendMessageA(window, TCM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < PageCount(); ++i) ShowTab(i, true);
    SendMessageA(window, TCM_SETCURSEL, static_cast<WPARAM>(activeIndex_), 0);
  }
  ArrangeSheets();
}

// Every sheet fills the area below the tabs; only the chosen one is visible.
void TPageControl::ArrangeSheets() {
  RECT area = {0, 0, Width(), Height()};
  if (HWND window = WindowHandleOrNull()) {
    GetClientRect(window, &area);
    SendMessageA(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  }
  for (int i = 0; i < PageCount(); ++i) {
    TTabSheet* sheet = sheets_[static_cast<size_t>(i)];
    sheet->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
    sheet->SetVisible(i == activeIndex_);
  }
}

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || (index >= PageCount() && !IsLoading())) return;
  activeIndex_ = index;
  if (HWND window = WindowHandleOrNull()) {
    SendMessageA(window, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  ArrangeSheets();
}

std::string TPageControl::TabText(int i) const {
  HWND window = WindowHandleOrNull();
  if (!window) return sheets_.at(static_cast<size_t>(i))->Caption();
  const std::wstring text = ReadWholeText([window, i](wchar_t* buffer, int size) {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = size;
    return SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(&item)) != 0;
  });
  return CodePageFromWide(text, FormCodePage());
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  ArrangeSheets();
}

LRESULT TPageControl::NotifyMessage(const NMHDR& header) {
  if (header.code == static_cast<UINT>(TCN_SELCHANGE)) {
    SetActivePageIndex(static_cast<int>(SendMessageA(WindowHandleOrNull(), TCM_GETCURSEL, 0, 0)));
    RunEvent(OnChange);
  }
  return 0;
}
