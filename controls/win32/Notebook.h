#pragma once
// A page control without tabs: its pages (TPage children, named by their captions) fill it, and
// only the active one is shown. Only code changes the page.
#include <string>
#include <vector>

#include "controls/win32/Window.h"

class TPage : public TCustomContainer {
  LINTORA_PUBLISHED(TPage)
 public:
  explicit TPage(TComponent* owner);
};

class TNotebook : public TCustomContainer {
  LINTORA_PUBLISHED(TNotebook)
 public:
  explicit TNotebook(TComponent* owner);

  std::vector<TPage*> Pages() const;
  // The names of the pages, in order.
  std::vector<std::string> PageNames() const;
  int PageIndex() const { return pageIndex_; }
  // An index outside the pages is ignored.
  void SetPageIndex(int index);
  // The name of the active page; setting a name no page has is ignored (ASCII case ignored).
  std::string ActivePage() const;
  void SetActivePage(const std::string& name);

  void Loaded() override;

 protected:
  void CreateHandle() override;

 private:
  void ShowActivePage();
  int pageIndex_ = 0;
};
