#pragma once
// An event of a component (OnClick, OnChange ...). It holds the name of its handler, as a stored
// form gives it, and the handler that name is bound to. The component that publishes the
// handlers (the form) binds every event's name once, when it has been read; firing runs the
// bound handler and looks nothing up. Code may also bind a handler directly.
#include <functional>
#include <string>

class TComponent;
using TNotifyHandler = std::function<void(TComponent* sender)>;

class TNotifyEvent {
 public:
  const std::string& Name() const { return name_; }
  // A new name ends the binding until the handlers' owner binds the event again.
  void SetName(const std::string& name);
  void Bind(TNotifyHandler handler) { handler_ = std::move(handler); }
  bool Assigned() const { return handler_ || !name_.empty(); }

  // Runs the bound handler for sender; an empty event does nothing. Raises Exception
  // "Handler %s not found" when the event names a handler that was never bound.
  void Fire(TComponent* sender) const;

 private:
  std::string name_;
  TNotifyHandler handler_;
};
