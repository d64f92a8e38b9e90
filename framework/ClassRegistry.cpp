#include "framework/ClassRegistry.h"

#include <map>

#include "framework/Exceptions.h"
#include "framework/TextCompare.h"

namespace {
struct LessText {
  bool operator()(const std::string& a, const std::string& b) const {
    return CompareText(a, b) < 0;
  }
};

std::map<std::string, TComponentFactory, LessText>& Factories() {
  static std::map<std::string, TComponentFactory, LessText> factories;
  return factories;
}
}  // namespace

void RegisterComponentClass(const std::string& className, TComponentFactory factory) {
  Factories()[className] = std::move(factory);
}

bool IsComponentClassRegistered(const std::string& className) {
  return Factories().count(className) > 0;
}

TComponent* CreateComponentOfClass(const std::string& className, TComponent* owner) {
  const auto found = Factories().find(className);
  if (found == Factories().end()) throw EReadError("Class " + className + " not found");
  return found->second(owner);
}
