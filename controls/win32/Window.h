#pragma once
// The base of every control: a component with published position, size, visibility, text,
// colour and font that owns one real Win32 window. The window is made when it is first needed
// (the form's Show or HandleNeeded, or a control put on a parent that already has its window);
// until then, and whenever the window is gone, the properties live in the object and are
// applied when the window is made.
//
// Events (OnClick, OnChange, OnDropDown, OnEnter, OnExit, OnCreate) are TNotifyEvents
// (framework/Events.h): the stored form names their handlers, and the form binds those names when
// it has been read. Window messages reach the controls through one window procedure that catches
// every exception a handler raises and hands it to Application->HandleException: nothing ever
// unwinds through Windows.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/win32/Graphics.h"
#include "framework/Component.h"
#include "framework/win32/WindowHandle.h"

class TWinControl;
LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TControl : public TComponent {
  LINTORA_PUBLISHED(TControl)
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;

  // Position within the parent's client area and outer size, in pixels.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  virtual void SetBounds(int left, int top, int width, int height);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Caption and Text are one text: the window's text (what the user typed, for edits).
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }

  // Background colour; with ParentColor it follows the parent's.
  TColor Color() const;
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);
  // With ParentFont the font follows the parent's; setting any font field ends that for the
  // field (the others keep following).
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return !font_.HasExplicitFields(); }
  void SetParentFont(bool parentFont);

  TNotifyEvent OnClick;
  // Runs OnClick, whether or not the control is visible or has its window.
  virtual void Click();

  // The window, made (with its parents') when missing.
  HWND Handle();
  HWND WindowHandleOrNull() const { return window_.Get(); }
  bool HandleAllocated() const { return static_cast<bool>(window_); }
  void HandleNeeded() { Handle(); }
  // The control whose window this is, or nullptr.
  static TControl* FromHandle(HWND window);

  // Controls without a window of their own in other toolkits (labels, pictures, speed buttons):
  // never tab stops, below the windowed controls.
  virtual bool IsGraphicControl() const { return false; }

  // The code set of the form's own texts (Big5 unless the form was converted); a control takes
  // its form's.
  virtual unsigned FormCodePage() const;
  // The code set of this control's text: its form's for the program's own texts, the system's
  // (kSystemCodePage) where the text is a value the user types or the program reads.
  virtual unsigned TextCodePage() const { return FormCodePage(); }
  // The font's handle, its face name read in the form's code set.
  HFONT FontHandle();

  void Loaded() override;

  struct TCreateParams {
    std::string className;  // a system class ("BUTTON") is subclassed; others are registered
    DWORD style = 0;
    DWORD exStyle = 0;
    bool systemClass = true;
  };

 protected:
  virtual TCreateParams CreateParams() const = 0;
  // Makes the window from the properties; containers then make their children's.
  virtual void CreateHandle();
  // Applies the kind's own state to a new window (items, check mark, password character ...).
  virtual void InitializeHandle() {}
  // Text as the window holds it while it exists.
  virtual std::string WindowText() const;
  virtual void SetWindowTextOf(const std::string& text);
  // Messages of the window; the default is the window class's own handling.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
  // Notifications the parent receives about this control (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*).
  virtual void CommandNotify(WORD code) { (void)code; }
  virtual LRESULT NotifyMessage(const NMHDR& header) {
    (void)header;
    return 0;
  }
  virtual HBRUSH CtlColor(HDC dc);
  // Windows of our own classes paint themselves: Paint fills the client area (by default with
  // the colour); PaintMessage handles WM_ERASEBKGND and WM_PAINT with it.
  virtual void Paint(HDC dc, const RECT& client);
  bool PaintMessage(UINT message, LRESULT& result);
  // Size from content (auto-sized labels); called when text or font change.
  virtual void AdjustSize() {}
  // Where the window goes: in the parent's client area, or on the screen for a form.
  virtual RECT WindowBounds() const;
  // The text colour and background brush of the control.
  HBRUSH BackgroundBrush();
  void FontChanged();
  void ParentFontChanged();
  void ParentColorChanged();
  void Invalidate();
  void RunEvent(const TNotifyEvent& event) { event.Fire(this); }

  std::string caption_;

 private:
  friend class TWinControl;
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  void Attach(HWND window);
  void Detach();
  void Unhook();

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  std::string hint_;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  TFont font_;
  bool inheritingFont_ = false;
  BrushHandle brush_;
  TColor brushColor_ = 0;
  WindowHandle window_;
  WNDPROC originalProc_ = nullptr;
};

// A control that holds others: the tab order of its windowed children, focus, enter and exit.
class TWinControl : public TControl {
  LINTORA_PUBLISHED(TWinControl)
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The place in the parent's tab order: lower first; equal values keep creation order; -1
  // (the default) comes last.
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int tabOrder);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int i) const { return controls_.at(static_cast<size_t>(i)); }
  // The windowed children in tab order.
  std::vector<TWinControl*> TabList() const;

  void SetFocus();
  bool Focused() const;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;

 protected:
  void CreateHandle() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Puts the children's windows in tab order (windowed ones first).
  void ArrangeTabOrder();
  // Fires OnEnter and OnExit from the focus changes of the window.
  void FocusChanged(bool gained, HWND other);
  // The client area children are aligned in.
  virtual SIZE ClientSize() const;
  void AlignControls();

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  std::vector<TControl*> controls_;
  int tabOrder_ = -1;
  bool tabStop_ = false;
};

// A windowed container of our own window class, named after the component's class.
class TCustomContainer : public TWinControl {
  LINTORA_PUBLISHED(TCustomContainer)
 public:
  using TWinControl::TWinControl;

 protected:
  TCreateParams CreateParams() const override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Registered once per class name; the window procedure is the controls' shared one.
void RegisterControlWindowClass(const std::string& className);

// The text a call copies into a buffer of `size` characters, cutting what does not fit without
// saying so (read gives false when it fails: the text is then empty). A text that fills the
// buffer is asked for again with more room.
std::wstring ReadWholeText(const std::function<bool(wchar_t* buffer, int size)>& read);
