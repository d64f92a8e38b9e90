#pragma once
// Base of every object whose published properties can be stored in a form description or set
// by name: components, string lists, and sub-objects such as a control's font.
class TClassInfo;

class TPersistent {
 public:
  virtual ~TPersistent() = default;
  // The published properties of the object's class (framework/Rtti.h); nullptr for a class
  // that publishes none.
  virtual const TClassInfo* ClassInfo() const { return nullptr; }
};
