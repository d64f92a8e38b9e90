#pragma once
// Menus: a menu bar (TMainMenu) shown by its form, and a pop-up menu (TPopupMenu), each holding
// menu items (TMenuItem) to any depth. Every item is a component of the form with its caption,
// hint, enabled and checked state and OnClick; an item with sub-items opens them. A menu's
// items are its invisible root item's sub-items. In a stored form the items stand inside their
// menu or item, which takes them as sub-items when they are read.
//
// The Win32 menu is made from the items when it is first needed and made again after any change.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/win32/MenuHandle.h"

class TForm;
class TMenu;

class TMenuItem : public TComponent {
  LINTORA_PUBLISHED(TMenuItem)
 public:
  explicit TMenuItem(TComponent* owner);
  // Its sub-items go with it.
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int i) const { return items_.at(static_cast<size_t>(i)); }
  // Takes the item from its former parent item.
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  TMenuItem* ParentItem() const { return parent_; }
  // The menu whose root this item is, or whose root it is below; nullptr when none.
  TMenu* Menu() const;

  // The command identifier a Win32 menu reports for this item, and the item of an identifier.
  UINT Command() const { return command_; }
  static TMenuItem* FromCommand(UINT command);

  TNotifyEvent OnClick;
  void Click() { OnClick.Fire(this); }

  // A stored form's menu or item takes this item as its sub-item; the sub-items are what a
  // stored form keeps inside an item.
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;

 private:
  friend class TMenu;
  void Changed();
  // Appends the item, its caption read in the code set given, to the Win32 menu.
  void AppendTo(HMENU menu, unsigned codePage) const;

  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool checked_ = false;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  TMenu* menu_ = nullptr;  // set on a menu's root item only
  UINT command_;
};

class TMenu : public TComponent {
  LINTORA_PUBLISHED(TMenu)
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The invisible root item; its sub-items are the menu's items.
  TMenuItem* Items() const { return items_.get(); }
  // The Win32 menu, made from the items when missing.
  HMENU Handle();
  // The code set of the captions: the form's that owns the menu (Big5 without one).
  unsigned TextCodePage() const;

  void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;

 protected:
  virtual HMENU CreateMenuHandle() const = 0;
  // An item below changed: the Win32 menu is made again when it exists.
  virtual void MenuChanged();
  void DiscardHandle() { handle_.Reset(); }
  bool HandleAllocated() const { return static_cast<bool>(handle_); }

 private:
  friend class TMenuItem;
  std::unique_ptr<TMenuItem> items_;
  MenuHandle handle_;
};

// The menu bar of a form (TForm::SetMenu; a main menu read with a form becomes its bar when the
// form has none). Either may go first: the form gives the bar back, the menu leaves the form.
class TMainMenu : public TMenu {
  LINTORA_PUBLISHED(TMainMenu)
 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;
  // The form whose bar this menu is; nullptr when none.
  TForm* Form() const { return form_; }
  // The window whose bar this menu is; its window then shows the bar (nullptr: none).
  void SetWindow(HWND window);
  // The window gives the bar back before it goes: it would destroy the menu with itself.
  void WindowDestroying();

 protected:
  HMENU CreateMenuHandle() const override;
  void MenuChanged() override;

 private:
  // The form keeps both as it takes and gives back its bar; the menu that goes first gives
  // itself back through releaseFromForm_ (the form read with a main menu takes it as its bar).
  friend class TForm;
  HWND window_ = nullptr;
  TForm* form_ = nullptr;
  std::function<void()> releaseFromForm_;
};

class TPopupMenu : public TMenu {
  LINTORA_PUBLISHED(TPopupMenu)
 public:
  explicit TPopupMenu(TComponent* owner);
  // Shows the menu at the screen point for the window and runs the chosen item's OnClick.
  void Popup(HWND window, int x, int y);

 protected:
  HMENU CreateMenuHandle() const override;
};
