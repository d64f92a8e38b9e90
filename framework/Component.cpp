#include "framework/Component.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/TextCompare.h"

const TClassInfo& TComponent::StaticClassInfo() {
  // Name is stored in each object's header, not among its properties.
  static const TClassInfo info = TClassBuilder<TComponent>("TComponent")
                                     .String("Name", &TComponent::Name, &TComponent::SetName)
                                     .TypeName("TComponentName")
                                     .Stored([](const TComponent&) { return false; })
                                     .Integer("Tag", &TComponent::Tag, &TComponent::SetTag)
                                     .Default(0);
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    RemoveComponent(last);
    delete last;
  }
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (owner_ && !name.empty()) {
    const TComponent* same = owner_->FindComponent(name);
    if (same && same != this) throw Exception("A component named " + name + " already exists");
  }
  name_ = name;
}

TComponent* TComponent::Components(int i) const {
  if (i < 0 || i >= ComponentCount()) {
    throw Exception("List index out of bounds (" + std::to_string(i) + ")");
  }
  return components_[static_cast<size_t>(i)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : components_) {
    if (SameText(component->name_, name)) return component;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_ == this) return;
  if (!component->name_.empty() && FindComponent(component->name_)) {
    throw Exception("A component named " + component->name_ + " already exists");
  }
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* component) {
  const auto at = std::find(components_.begin(), components_.end(), component);
  if (at == components_.end()) return;
  components_.erase(at);
  component->owner_ = nullptr;
}

bool TComponent::InheritsFrom(const std::string& className) const {
  return ClassInfo()->InheritsFrom(className);
}

void TComponent::Loaded() {
  ExcludeState(csLoading);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const {
  if (root != this) return;
  for (TComponent* component : components_) {
    const TComponent* parent = component->GetParentComponent();
    if (!parent || parent == this) children.push_back(component);
  }
}
