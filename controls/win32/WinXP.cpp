#include "controls/win32/WinXP.h"

#include "controls/win32/Forms.h"
#include "framework/Exceptions.h"

const TClassInfo& TWinXP::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TWinXP>("TWinXP", TComponent::StaticClassInfo());
  return info;
}

TWinXP::TWinXP(TComponent* owner) : TComponent(owner) {
  if (!dynamic_cast<TForm*>(owner)) throw Exception("Control parent must be a form!");
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* other = owner->Components(i);
    if (other != this && dynamic_cast<TWinXP*>(other)) {
      throw Exception("Only one instance of TWinXP allowed on form");
    }
  }
}
