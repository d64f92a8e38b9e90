#include "dbengine/win32/DbEngineClasses.h"

#include "dbengine/AliasEd.h"
#include "dbengine/win32/Database.h"
#include "dbengine/win32/Query.h"
#include "framework/ClassRegistry.h"

void RegisterDbEngineClasses() {
  RegisterComponentClass<TAliasEditor>();
  RegisterComponentClass<TDatabase>();
  RegisterComponentClass<TQuery>();
}
