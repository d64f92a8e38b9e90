#include <memory>

#include "dbengine/Session.h"
#include "dbengine/win32/RegistrySessionStorage.h"

TSession& Session() {
  static TSession session(
      [] { return std::make_unique<RegistrySessionStorage>(DefaultConfigFilePath()); });
  return session;
}
