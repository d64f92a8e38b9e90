#pragma once
// A list view in report style: a header of columns (Columns, each with its caption and width)
// over rows of texts. The columns are a collection (framework/Collection.h), so that code that
// knows the control only by its published properties reaches every column's caption.
#include <string>

#include "controls/win32/Window.h"
#include "framework/Collection.h"

class TListColumn : public TCollectionItem {
  LINTORA_PUBLISHED(TListColumn)
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int Width() const { return width_; }
  void SetWidth(int width);

 private:
  std::string caption_;
  int width_ = 50;
};

class TListColumns : public TCollection {
  LINTORA_PUBLISHED(TListColumns)
 public:
  TListColumns();
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int i) const { return static_cast<TListColumn*>(TCollection::Items(i)); }
};

class TListView : public TWinControl {
  LINTORA_PUBLISHED(TListView)
 public:
  explicit TListView(TComponent* owner);
  ~TListView() override;

  TListColumns& Columns() { return columns_; }
  const TListColumns& Columns() const { return columns_; }
  // The header text of column i as the window shows it (the caption before the window exists).
  std::string ColumnText(int i) const;

 protected:
  TCreateParams CreateParams() const override;
  void CreateHandle() override;
  void InitializeHandle() override;

 private:
  void ColumnsChanged(TCollectionItem* column);
  void ShowColumn(int i, bool insert);
  TListColumns columns_;
};
