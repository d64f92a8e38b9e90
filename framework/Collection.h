#pragma once
// Collections: an ordered list of items of one class that belongs to an object (a list view's
// columns). Each item publishes its own properties, so that code knowing only the class
// information can go through the items (Count, Items) and read or change them by name. An item
// that changes tells its collection, which tells its owner through OnUpdate.
#include <functional>
#include <memory>
#include <vector>

#include "framework/Rtti.h"

class TCollection;

class TCollectionItem : public TPersistent {
  LINTORA_PUBLISHED(TCollectionItem)
 public:
  TCollectionItem() = default;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return collection_; }
  // The place in the collection; -1 before the item is in one.
  int Index() const;

 protected:
  // Call after a change of a property: the collection's owner follows it.
  void Changed();

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
  LINTORA_PUBLISHED(TCollection)
 public:
  // newItem makes an item of the collection's class.
  explicit TCollection(std::function<std::unique_ptr<TCollectionItem>()> newItem)
      : newItem_(std::move(newItem)) {}
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // Raises Exception "List index out of bounds (%d)" for an index outside the items.
  TCollectionItem* Items(int i) const;
  int IndexOf(const TCollectionItem* item) const;  // -1 when not in this collection
  // A new item at the end.
  TCollectionItem* Add();
  void Delete(int i);
  void Clear();

  // Runs after an item changed (with that item) and after items were added or removed (with
  // nullptr: the whole collection changed).
  std::function<void(TCollectionItem* item)> OnUpdate;

 private:
  friend class TCollectionItem;
  void Update(TCollectionItem* item);

  std::function<std::unique_ptr<TCollectionItem>()> newItem_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
};
