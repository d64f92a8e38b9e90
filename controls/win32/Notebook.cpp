#include "controls/win32/Notebook.h"

#include "framework/TextCompare.h"

const TClassInfo& TPage::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPage>("TPage", TCustomContainer::StaticClassInfo())
                                     .String("Caption", &TPage::Caption, &TPage::SetCaption)
                                     .TypeName("TCaption");
  return info;
}

TPage::TPage(TComponent* owner) : TCustomContainer(owner) {
  SetParentColor(true);
  SetAlign(alClient);
}

const TClassInfo& TNotebook::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TNotebook>("TNotebook", TCustomContainer::StaticClassInfo())
          .String("ActivePage", &TNotebook::ActivePage, &TNotebook::SetActivePage)
          .Stored([](const TNotebook&) { return false; })
          .Integer("PageIndex", &TNotebook::PageIndex, &TNotebook::SetPageIndex)
          .Default(0);
  return info;
}

TNotebook::TNotebook(TComponent* owner) : TCustomContainer(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 150, 150);
}

std::vector<TPage*> TNotebook::Pages() const {
  std::vector<TPage*> pages;
  for (int i = 0; i < ControlCount(); ++i) {
    if (auto* page = dynamic_cast<TPage*>(Controls(i))) pages.push_back(page);
  }
  return pages;
}

std::vector<std::string> TNotebook::PageNames() const {
  std::vector<std::string> names;
  for (TPage* page : Pages()) names.push_back(page->Caption());
  return names;
}

void TNotebook::SetPageIndex(int index) {
  if (IsLoading()) {
    pageIndex_ = index;  // the pages are read after this property
    return;
  }
  if (index < 0 || index >= static_cast<int>(Pages().size())) return;
  pageIndex_ = index;
  ShowActivePage();
}

std::string TNotebook::ActivePage() const {
  const std::vector<TPage*> pages = Pages();
  return pageIndex_ >= 0 && pageIndex_ < static_cast<int>(pages.size())
             ? pages[static_cast<size_t>(pageIndex_)]->Caption()
             : std::string();
}

void TNotebook::SetActivePage(const std::string& name) {
  const std::vector<std::string> names = PageNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameText(names[i], name)) SetPageIndex(static_cast<int>(i));
  }
}

void TNotebook::ShowActivePage() {
  const std::vector<TPage*> pages = Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    if (static_cast<int>(i) != pageIndex_) pages[i]->SetVisible(false);
  }
  if (pageIndex_ >= 0 && pageIndex_ < static_cast<int>(pages.size())) {
    pages[static_cast<size_t>(pageIndex_)]->SetVisible(true);
  }
}

void TNotebook::Loaded() {
  TCustomContainer::Loaded();
  ShowActivePage();
}

void TNotebook::CreateHandle() {
  ShowActivePage();
  TCustomContainer::CreateHandle();
}
