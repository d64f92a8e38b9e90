#include "framework/Events.h"

#include "framework/Exceptions.h"

void TNotifyEvent::SetName(const std::string& name) {
  name_ = name;
  handler_ = nullptr;
}

void TNotifyEvent::Fire(TComponent* sender) const {
  if (handler_) {
    handler_(sender);
    return;
  }
  if (!name_.empty()) throw Exception("Handler " + name_ + " not found");
}
