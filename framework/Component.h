#pragma once
// TComponent: a named object owned by another. The owner keeps its components in creation order,
// finds them by name without regard to ASCII case and destroys them with itself (the last
// created first). A component read from a stored form is in the reading state while its
// properties are set and in the loading state until the whole form is read; then Loaded runs.
#include <string>
#include <vector>

#include "framework/Rtti.h"

enum TComponentStateFlag : unsigned {
  csLoading = 1u << 0,  // the form it belongs to is being read; Loaded has not run yet
  csReading = 1u << 1,  // its own properties are being read
};
using TComponentState = unsigned;

class TComponent : public TPersistent {
  LINTORA_PUBLISHED(TComponent)
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // Raises Exception when another component of the same owner already has the name.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int i) const;
  TComponent* FindComponent(const std::string& name) const;  // nullptr when none
  void InsertComponent(TComponent* component);               // takes it over from its current owner
  void RemoveComponent(TComponent* component);               // it then has no owner
  // Destroys the owned components now, the last created first (a control does this before
  // its own parts go away).
  void DestroyComponents();

  TComponentState ComponentState() const { return state_; }
  bool IsReading() const { return (state_ & csReading) != 0; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  void IncludeState(TComponentStateFlag flag) { state_ |= flag; }
  void ExcludeState(TComponentStateFlag flag) { state_ &= ~static_cast<unsigned>(flag); }

  const char* ClassName() const { return ClassInfo()->Name().c_str(); }
  bool InheritsFrom(const std::string& className) const;  // is or derives from, ASCII case ignored

  // Runs once after the form this component came from has been read; ends the loading state.
  virtual void Loaded();

  // The tree of a stored form. A child object is read with its enclosing object as parent
  // component (controls take it as their parent window); GetChildren lists what a component
  // writes inside itself: by default the root writes the components it owns whose parent component
  // is none or the root itself.
  virtual void SetParentComponent(TComponent* parent);
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const;

 private:
  std::string name_;
  int tag_ = 0;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  TComponentState state_ = 0;
};
