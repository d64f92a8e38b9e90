#include "framework/Collection.h"

#include <string>

#include "framework/Exceptions.h"

const TClassInfo& TCollectionItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCollectionItem>("TCollectionItem");
  return info;
}

int TCollectionItem::Index() const {
  return collection_ ? collection_->IndexOf(this) : -1;
}

void TCollectionItem::Changed() {
  if (collection_) collection_->Update(this);
}

const TClassInfo& TCollection::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TCollection>("TCollection");
  return info;
}

TCollectionItem* TCollection::Items(int i) const {
  if (i < 0 || i >= Count()) {
    throw Exception("List index out of bounds (" + std::to_string(i) + ")");
  }
  return items_[static_cast<size_t>(i)].get();
}

int TCollection::IndexOf(const TCollectionItem* item) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == item) return static_cast<int>(i);
  }
  return -1;
}

TCollectionItem* TCollection::Add() {
  std::unique_ptr<TCollectionItem> item = newItem_();
  item->collection_ = this;
  items_.push_back(std::move(item));
  Update(nullptr);
  return items_.back().get();
}

void TCollection::Delete(int i) {
  Items(i);  // checks the index
  items_.erase(items_.begin() + i);
  Update(nullptr);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Update(nullptr);
}

void TCollection::Update(TCollectionItem* item) {
  if (OnUpdate) OnUpdate(item);
}
