#pragma once
// The message of the exception of type E that action raises, or a text saying it raised none.
#include <string>

template <typename E, typename Action>
std::string RaisedMessage(Action action) {
  try {
    action();
  } catch (const E& error) {
    return error.Message();
  }
  return "nothing raised";
}
