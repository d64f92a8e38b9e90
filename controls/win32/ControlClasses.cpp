#include "controls/win32/ControlClasses.h"

#include "controls/win32/Buttons.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/Edits.h"
#include "controls/win32/Forms.h"
#include "controls/win32/GroupBoxes.h"
#include "controls/win32/Image.h"
#include "controls/win32/Label.h"
#include "controls/win32/ListView.h"
#include "controls/win32/Menus.h"
#include "controls/win32/Notebook.h"
#include "controls/win32/PageControl.h"
#include "controls/win32/Panel.h"
#include "controls/win32/WinXP.h"
#include "framework/ClassRegistry.h"

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
  RegisterComponentClass<TRadioButton>();
  RegisterComponentClass<TGroupBox>();
  RegisterComponentClass<TRadioGroup>();
  RegisterComponentClass<TListView>();
  RegisterComponentClass<TPageControl>();
  RegisterComponentClass<TTabSheet>();
  RegisterComponentClass<TMainMenu>();
  RegisterComponentClass<TPopupMenu>();
  RegisterComponentClass<TMenuItem>();
}
