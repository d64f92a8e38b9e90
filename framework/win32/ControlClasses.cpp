#include "framework/win32/ControlClasses.h"

#include "framework/ClassRegistry.h"
#include "framework/win32/Buttons.h"
#include "framework/win32/ComboBox.h"
#include "framework/win32/Edits.h"
#include "framework/win32/Forms.h"
#include "framework/win32/Image.h"
#include "framework/win32/Label.h"
#include "framework/win32/Notebook.h"
#include "framework/win32/Panel.h"
#include "framework/win32/WinXP.h"

void RegisterControlClasses() {
  RegisterComponentClass<TForm>();
  RegisterComponentClass<TNotebook>();
  RegisterComponentClass<TPage>();
  RegisterComponentClass<TPanel>();
  RegisterComponentClass<TLabel>();
  RegisterComponentClass<TButton>();
  RegisterComponentClass<TSpeedButton>();
  RegisterComponentClass<TCheckBox>();
  RegisterComponentClass<TComboBox>();
  RegisterComponentClass<TEdit>();
  RegisterComponentClass<TMemo>();
  RegisterComponentClass<TImage>();
  RegisterComponentClass<TWinXP>();
}
