// The component walk that converts a whole form's texts. It knows the controls only by their
// class names and published properties (the framework's class information), so that i18n/ needs
// nothing of controls/: a class is matched when it is, or derives from, the class a row names.
#include <vector>

#include "framework/CodePages.h"
#include "framework/Collection.h"
#include "framework/PropertyAccess.h"
#include "framework/Strings.h"
#include "i18n/GBBIGTRS.h"

namespace {

enum class WalkAction {
  DefaultCharset,  // the font's character set becomes 1, the system default
  Text,            // the text property converted, written back through its setter
  Lines,           // the string list converted line by line
  Columns,         // the caption of each item of the column collection, first to last
  Menu,            // the menu's items, deepest first
};

struct WalkRow {
  const char* className;
  WalkAction action;
  const char* property;
};

// In this order; every row whose class a component is or derives from applies. The classes are
// kept apart in the control hierarchy (a radio group is no group box, a check box no button), so
// no text is converted twice.
const WalkRow kWalkRows[] = {
    {"TControl", WalkAction::DefaultCharset, "Font"},
    {"TLabel", WalkAction::Text, "Caption"},
    {"TLabel", WalkAction::Text, "Hint"},
    {"TGroupBox", WalkAction::Text, "Caption"},
    {"TButton", WalkAction::Text, "Caption"},
    {"TRadioButton", WalkAction::Text, "Caption"},
    {"TPanel", WalkAction::Text, "Caption"},
    {"TSpeedButton", WalkAction::Text, "Caption"},
    {"TSpeedButton", WalkAction::Text, "Hint"},
    {"TNewButton", WalkAction::Text, "Caption"},
    {"TNewButton", WalkAction::Text, "Hint"},
    {"TListView", WalkAction::Columns, "Columns"},
    {"TCheckBox", WalkAction::Text, "Caption"},
    {"TRadioGroup", WalkAction::Text, "Caption"},
    {"TRadioGroup", WalkAction::Lines, "Items"},
    {"TComboBox", WalkAction::Lines, "Items"},
    {"TMemo", WalkAction::Lines, "Lines"},
    {"TMemos", WalkAction::Lines, "Lines"},
    {"TMainMenu", WalkAction::Menu, nullptr},
    {"TPopupMenu", WalkAction::Menu, nullptr},
    {"TTabSheet", WalkAction::Text, "Caption"},
};

constexpr int kDefaultCharset = 1;

void UseDefaultCharset(TComponent& control) {
  TPersistent* font = GetObjectProp(control, "Font");
  const TPropInfo* charset = font ? GetPropInfo(*font, "Charset") : nullptr;
  if (charset && charset->IsOrdinal()) charset->SetOrd(*font, kDefaultCharset);
}

// The items a menu or menu item holds, in order: what it lists as its children in a stored form.
std::vector<TComponent*> MenuItemsOf(const TComponent& menuOrItem) {
  std::vector<TComponent*> items;
  menuOrItem.GetChildren(items, menuOrItem.Owner());
  return items;
}

}  // namespace

void TGBtransfer::ConvertTextProp(TPersistent& object, const char* property) {
  const TPropInfo* prop = GetPropInfo(object, property);
  if (!prop || !prop->IsText()) return;
  prop->SetStr(object, ConvertText(prop->GetStr(object)));
}

void SetFormCodePage(TComponent& form, unsigned codePage) {
  const TPropInfo* prop = GetPropInfo(form, "CodePage");
  if (prop && prop->IsOrdinal()) prop->SetOrd(form, codePage);
}

// The form says its new code set first, so that every text set after it is shown in it.
void TGBtransfer::ConvertForm(TComponent& form) {
  if (FDirect == BIGtoGB) SetFormCodePage(form, kGb2312CodePage);
  if (FDirect == GBtoBIG) SetFormCodePage(form, kBig5CodePage);
  ConvertTextProp(form, "Caption");
  for (int i = 0; i < form.ComponentCount(); ++i) ConvertComponent(*form.Components(i));
}

void TGBtransfer::ConvertComponent(TComponent& component) {
  for (const WalkRow& row : kWalkRows) {
    if (!component.InheritsFrom(row.className)) continue;
    switch (row.action) {
      case WalkAction::DefaultCharset:
        UseDefaultCharset(component);
        break;
      case WalkAction::Text:
        ConvertTextProp(component, row.property);
        break;
      case WalkAction::Lines:
        if (TStrings* lines = GetStringsProp(component, row.property)) ConvertStrings(*lines);
        break;
      case WalkAction::Columns:
        if (auto* columns = dynamic_cast<TCollection*>(GetObjectProp(component, row.property))) {
          for (int c = 0; c < columns->Count(); ++c) ConvertTextProp(*columns->Items(c), "Caption");
        }
        break;
      case WalkAction::Menu:
        ConvertMenu(component);
        break;
    }
  }
}

void TGBtransfer::ConvertMenu(TComponent& menu) {
  for (TComponent* item : MenuItemsOf(menu)) ConvertMenuItem(*item);
}

void TGBtransfer::ConvertMenuItem(TComponent& item) {
  for (TComponent* subItem : MenuItemsOf(item)) ConvertMenuItem(*subItem);
  ConvertTextProp(item, "Caption");
}

void ConvertFormToGB(TComponent& form) {
  const int kind = GetChineseSystemKind();
  if (kind != 1 && kind != 2) return;
  TGBtransfer converter(nullptr);
  converter.SetDirect(BIGtoGB);
  converter.ConvertForm(form);
  converter.Release();
}
