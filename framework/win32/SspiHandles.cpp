#include "framework/win32/SspiHandles.h"

#include "framework/Exceptions.h"
#include "framework/win32/SystemLibrary.h"

namespace {

struct SspiLibrary {
  SystemLibrary library = SystemLibrary::Load("secur32.dll");
  const SecurityFunctionTableA* table =
      library.Find<INIT_SECURITY_INTERFACE_A>("InitSecurityInterfaceA")();
};

}  // namespace

const SecurityFunctionTableA& SspiFunctions() {
  static const SspiLibrary loaded;
  if (!loaded.table) throw Exception("Cannot use secur32.dll (no security interface)");
  return *loaded.table;
}
