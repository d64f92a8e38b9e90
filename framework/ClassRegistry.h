#pragma once
// The classes a stored form may name. Each class is registered once, explicitly (for example by
// the module's RegisterXxxClasses function called at start-up), before a form naming it is read.
// (Not called RegisterClass: <windows.h> defines that name as a macro.)
#include <functional>
#include <string>

class TComponent;
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

// Registering a name again replaces its factory. Names compare ignoring ASCII case.
void RegisterComponentClass(const std::string& className, TComponentFactory factory);
template <typename T>
void RegisterComponentClass() {
  RegisterComponentClass(T::StaticClassInfo().Name(),
                         [](TComponent* owner) -> TComponent* { return new T(owner); });
}
bool IsComponentClassRegistered(const std::string& className);
// A new component of the class, owned by owner; raises EReadError "Class %s not found" when the
// class is not registered.
TComponent* CreateComponentOfClass(const std::string& className, TComponent* owner);
