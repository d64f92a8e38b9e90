#pragma once
// A page control with tabs: one tab per tab sheet, in the order the sheets were added, and only
// the chosen sheet shown in the area below the tabs. The user chooses by clicking a tab (OnChange
// follows); code by ActivePageIndex. A sheet's caption is its tab's text.
#include <string>
#include <vector>

#include "controls/win32/Window.h"

class TPageControl;

class TTabSheet : public TCustomContainer {
  LINTORA_PUBLISHED(TTabSheet)
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return pageControl_; }
  // Moves the sheet into that page control (nullptr: into none).
  void SetPageControl(TPageControl* pageControl);
  void SetCaption(const std::string& caption);
  // In a stored form a sheet stands inside its page control.
  void SetParentComponent(TComponent* parent) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
};

class TPageControl : public TWinControl {
  LINTORA_PUBLISHED(TPageControl)
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(sheets_.size()); }
  TTabSheet* Pages(int i) const { return sheets_.at(static_cast<size_t>(i)); }
  // The shown sheet; an index outside the sheets is ignored.
  int ActivePageIndex() const { return activeIndex_; }
  void SetActivePageIndex(int index);
  // The text tab i shows (the sheet's caption before the window exists).
  std::string TabText(int i) const;

  void SetBounds(int left, int top, int width, int height) override;
  TNotifyEvent OnChange;

 protected:
  TCreateParams CreateParams() const override;
  void CreateHandle() override;
  void InitializeHandle() override;
  LRESULT NotifyMessage(const NMHDR& header) override;

 private:
  friend class TTabSheet;
  void InsertSheet(TTabSheet* sheet);
  void RemoveSheet(TTabSheet* sheet);
  void ShowTab(int i, bool insert);
  void ShowTabs();
  void ArrangeSheets();
  std::vector<TTabSheet*> sheets_;
  int activeIndex_ = 0;
};
