#include "controls/win32/Menus.h"

#include <algorithm>
#include <map>

#include "controls/win32/Window.h"
#include "framework/CodePages.h"
#include "framework/win32/WideText.h"

namespace {

// Command identifiers are 16 bits in WM_COMMAND. They start above the dialog manager's IDOK ...
// IDCONTINUE, which Enter and Escape send with no control behind them, like a menu's command.
constexpr UINT kFirstCommand = 0x100;
constexpr UINT kLastCommand = 0xFFFF;
std::map<UINT, TMenuItem*> itemsByCommand;
UINT nextCommand = kFirstCommand;

UINT FollowingCommand(UINT command) {
  return command == kLastCommand ? kFirstCommand : command + 1;
}

UINT AllocateCommand(TMenuItem* item) {
  while (itemsByCommand.count(nextCommand)) nextCommand = FollowingCommand(nextCommand);
  const UINT command = nextCommand;
  nextCommand = FollowingCommand(nextCommand);
  itemsByCommand[command] = item;
  return command;
}

}  // namespace

// --- TMenuItem ---------------------------------------------------------------------------------

const TClassInfo& TMenuItem::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TMenuItem>("TMenuItem", TComponent::StaticClassInfo())
          .String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
          .TypeName("TCaption")
          .Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
          .Default(false)
          .Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
          .Default(true)
          .String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
          .Event("OnClick", &TMenuItem::OnClick);
  return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
  while (!items_.empty()) delete items_.back();
  if (parent_) parent_->Remove(this);
  itemsByCommand.erase(command_);
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
  const auto found = itemsByCommand.find(command);
  return found == itemsByCommand.end() ? nullptr : found->second;
}

void TMenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  Changed();
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  items_.push_back(item);
  item->parent_ = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  const auto at = std::find(items_.begin(), items_.end(), item);
  if (at == items_.end()) return;
  items_.erase(at);
  item->parent_ = nullptr;
  Changed();
}

TMenu* TMenuItem::Menu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

void TMenuItem::Changed() {
  if (TMenu* menu = Menu()) menu->MenuChanged();
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TMenu*>(parent)) {
    menu->Items()->Add(this);
  } else if (auto* item = dynamic_cast<TMenuItem*>(parent)) {
    item->Add(this);
  }
}

// A menu's own items have the menu as their parent, the others their item.
TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::GetChildren(std::vector<TComponent*>& children, const TComponent*) const {
  children.insert(children.end(), items_.begin(), items_.end());
}

void TMenuItem::AppendTo(HMENU menu, unsigned codePage) const {
  if (caption_ == "-") {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  UINT flags = (enabled_ ? MF_ENABLED : MF_GRAYED) | (checked_ ? MF_CHECKED : MF_UNCHECKED);
  UINT_PTR id = command_;
  if (!items_.empty()) {
    HMENU subMenu = CreatePopupMenu();
    for (const TMenuItem* item : items_) item->AppendTo(subMenu, codePage);
    flags |= MF_POPUP;
    id = reinterpret_cast<UINT_PTR>(subMenu);  // the menu it is appended to owns it from now on
  }
  AppendMenuW(menu, flags | MF_STRING, id, WideFromCodePage(caption_, codePage).c_str());
}

// --- TMenu -------------------------------------------------------------------------------------

const TClassInfo& TMenu::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMenu>("TMenu", TComponent::StaticClassInfo());
  return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

// The root item takes its items with it; none of it reaches back to this menu meanwhile.
TMenu::~TMenu() {
  items_->menu_ = nullptr;
  items_.reset();
}

HMENU TMenu::Handle() {
  if (!handle_) {
    handle_.Reset(CreateMenuHandle());
    for (const TMenuItem* item : items_->items_) item->AppendTo(handle_.Get(), TextCodePage());
  }
  return handle_.Get();
}

unsigned TMenu::TextCodePage() const {
  const auto* form = dynamic_cast<const TControl*>(Owner());
  return form ? form->FormCodePage() : kBig5CodePage;
}

void TMenu::MenuChanged() {
  handle_.Reset();
}

void TMenu::GetChildren(std::vector<TComponent*>& children, const TComponent*) const {
  items_->GetChildren(children, nullptr);
}

// --- TMainMenu ---------------------------------------------------------------------------------

const TClassInfo& TMainMenu::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMainMenu>("TMainMenu", TMenu::StaticClassInfo());
  return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() {
  if (releaseFromForm_) releaseFromForm_();
  WindowDestroying();
}

HMENU TMainMenu::CreateMenuHandle() const {
  return CreateMenu();
}

void TMainMenu::SetWindow(HWND window) {
  WindowDestroying();
  window_ = window;
  if (!window_) return;
  ::SetMenu(window_, Handle());
  DrawMenuBar(window_);
}

void TMainMenu::WindowDestroying() {
  if (window_ && IsWindow(window_)) ::SetMenu(window_, nullptr);
  window_ = nullptr;
}

// The bar shown is given back before it is made again from the items.
void TMainMenu::MenuChanged() {
  HWND window = window_;
  WindowDestroying();
  TMenu::MenuChanged();
  if (window) SetWindow(window);
}

// --- TPopupMenu --------------------------------------------------------------------------------

const TClassInfo& TPopupMenu::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPopupMenu>("TPopupMenu", TMenu::StaticClassInfo());
  return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

HMENU TPopupMenu::CreateMenuHandle() const {
  return CreatePopupMenu();
}

void TPopupMenu::Popup(HWND window, int x, int y) {
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, 0,
                     window, nullptr));
  if (TMenuItem* item = TMenuItem::FromCommand(command)) item->Click();
}
