#include "controls/win32/Forms.h"

#include <algorithm>

#include "controls/MessageBoxLayout.h"
#include "controls/win32/Application.h"
#include "controls/win32/Menus.h"
#include "framework/Exceptions.h"
#include "framework/TextCompare.h"

namespace {
TForm* mainForm = nullptr;
int formCount = 0;
HHOOK dialogKeysHook = nullptr;

// Tab, the arrow keys, Enter and Escape move between the controls of a form as in a dialog,
// whichever message loop runs (the application's or a modal one).
LRESULT CALLBACK DialogKeys(int code, WPARAM removal, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && removal == PM_REMOVE && message->hwnd &&
      message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) {
    HWND root = GetAncestor(message->hwnd, GA_ROOT);
    if (dynamic_cast<TForm*>(TControl::FromHandle(root)) && IsDialogMessageW(root, message)) {
      message->message = WM_NULL;
    }
  }
  return CallNextHookEx(dialogKeysHook, code, removal, lParam);
}
}  // namespace

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TForm>("TForm", TCustomContainer::StaticClassInfo())
          .Enum<TFormBorderStyle>(
              "BorderStyle", "TFormBorderStyle",
              {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
              &TForm::BorderStyle, &TForm::SetBorderStyle)
          .Default(bsSizeable)
          .String("Caption", &TForm::Caption, &TForm::SetCaption)
          .TypeName("TCaption")
          .Integer("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
          .Integer("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
          .Enum<TPosition>(
              "Position", "TPosition",
              {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
               "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
              &TForm::Position, &TForm::SetPosition)
          .Default(poDesigned)
          .Boolean("Scaled", &TForm::Scaled, &TForm::SetScaled)
          .Default(true)
          .Integer("CodePage", &TForm::CodePage, &TForm::SetCodePage)
          .Default(kBig5CodePage)
          .Event("OnCreate", &TForm::OnCreate);
  return info;
}

TForm::TForm(TComponent* owner) : TCustomContainer(owner) {
  TControl::SetVisible(false);
  if (!mainForm) mainForm = this;
  if (formCount++ == 0) {
    dialogKeysHook = SetWindowsHookExW(WH_GETMESSAGE, DialogKeys, nullptr, GetCurrentThreadId());
  }
}

TForm::~TForm() {
  // The window goes after this and would destroy the bar with itself; the menu may outlive it.
  ReleaseMenu();
  if (mainForm == this) mainForm = nullptr;
  if (--formCount == 0 && dialogKeysHook) {
    UnhookWindowsHookEx(dialogKeysHook);
    dialogKeysHook = nullptr;
  }
}

TForm* TForm::MainForm() {
  return mainForm;
}

DWORD TForm::FrameStyle() const {
  switch (borderStyle_) {
    case bsNone:
      return WS_POPUP;
    case bsDialog:
      return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    case bsSingle:
    case bsToolWindow:
      return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case bsSizeable:
    case bsSizeToolWin:
      break;
  }
  return WS_OVERLAPPEDWINDOW;
}

DWORD TForm::FrameExStyle() const {
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (borderStyle_ == bsDialog) exStyle |= WS_EX_DLGMODALFRAME;
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) exStyle |= WS_EX_TOOLWINDOW;
  return exStyle;
}

SIZE TForm::OuterSizeFor(int clientWidth, int clientHeight) const {
  RECT r = {0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, FrameStyle(), menu_ != nullptr, FrameExStyle());
  return {r.right - r.left, r.bottom - r.top};
}

SIZE TForm::ClientSize() const {
  if (clientWidth_ && clientHeight_) return {*clientWidth_, *clientHeight_};
  const SIZE frame = OuterSizeFor(0, 0);
  return {clientWidth_.value_or(Width() - frame.cx), clientHeight_.value_or(Height() - frame.cy)};
}

void TForm::SetClientWidth(int width) {
  clientWidth_ = width;
  FitFrameToClient();
}

void TForm::SetClientHeight(int height) {
  clientHeight_ = height;
  FitFrameToClient();
}

// The frame's size comes from the screen's metrics, which are asked for only once the form has a
// window (WindowBounds makes it with the frame around the client size): a form that never shows,
// as in an unattended run, never starts the display.
void TForm::FitFrameToClient() {
  if (!WindowHandleOrNull()) {
    AlignControls();
    return;
  }
  const SIZE client = ClientSize();
  const SIZE outer = OuterSizeFor(client.cx, client.cy);
  TCustomContainer::SetBounds(Left(), Top(), outer.cx, outer.cy);
}

// An outer size set explicitly replaces a client size set before.
void TForm::SetBounds(int left, int top, int width, int height) {
  if (width != Width()) clientWidth_.reset();
  if (height != Height()) clientHeight_.reset();
  TCustomContainer::SetBounds(left, top, width, height);
}

RECT TForm::WindowBounds() const {
  const SIZE client = ClientSize();
  const SIZE outer = OuterSizeFor(client.cx, client.cy);
  int left = Left(), top = Top();
  if (position_ == poScreenCenter || position_ == poDesktopCenter ||
      position_ == poMainFormCenter || position_ == poOwnerFormCenter) {
    CenterOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), outer.cx, outer.cy,
                   &left, &top);
  }
  return {left, top, left + outer.cx, top + outer.cy};
}

TControl::TCreateParams TForm::CreateParams() const {
  TCreateParams params = TCustomContainer::CreateParams();
  params.style = FrameStyle() | WS_CLIPCHILDREN;
  params.exStyle = FrameExStyle();
  return params;
}

void TForm::CreateHandle() {
  TCustomContainer::CreateHandle();
  if (!WindowHandleOrNull()) return;
  if (menu_) menu_->SetWindow(WindowHandleOrNull());
  FitFrameToClient();
}

// A Win32 menu is the bar of one window at most: another form showing it gives it up.
void TForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  const SIZE client = ClientSize();
  ReleaseMenu();
  if (menu && menu->form_) menu->form_->SetMenu(nullptr);
  menu_ = menu;
  if (menu_) {
    menu_->form_ = this;
    menu_->releaseFromForm_ = [this] { SetMenu(nullptr); };
    if (WindowHandleOrNull()) menu_->SetWindow(WindowHandleOrNull());
  }
  const SIZE outer = OuterSizeFor(client.cx, client.cy);
  TCustomContainer::SetBounds(Left(), Top(), outer.cx, outer.cy);
}

void TForm::ReleaseMenu() {
  if (!menu_) return;
  menu_->SetWindow(nullptr);
  menu_->form_ = nullptr;
  menu_->releaseFromForm_ = nullptr;
  menu_ = nullptr;
}

void TForm::DoCreate() {
  try {
    RunEvent(OnCreate);
  } catch (...) {
    Application->HandleException(this);
  }
}

void TForm::SetVisible(bool visible) {
  if (!visible) {
    TCustomContainer::SetVisible(false);
    return;
  }
  HWND window = Handle();
  const bool wasVisible = IsWindowVisible(window);
  TControl::SetVisible(true);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  if (!wasVisible) {
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) ::SetFocus(first);
  }
}

void TForm::Close() {
  SetVisible(false);
  if (this == mainForm) Application->Terminate();
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    Close();
    return 0;
  }
  // A menu's command comes without a control; Enter and Escape's IDOK and IDCANCEL are no item's.
  if (message == WM_COMMAND && lParam == 0 && HIWORD(wParam) == 0) {
    if (TMenuItem* item = TMenuItem::FromCommand(LOWORD(wParam))) {
      item->Click();
      return 0;
    }
  }
  if (message == WM_DESTROY && menu_) menu_->WindowDestroying();
  // The focus leaves with a message box and comes back to the control that had it.
  if (message == WM_ACTIVATE) {
    HWND window = WindowHandleOrNull();
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = GetFocus();
      if (focus && IsChild(window, focus)) lastFocus_ = focus;
    } else if (lastFocus_ && IsWindow(lastFocus_) && IsChild(window, lastFocus_)) {
      ::SetFocus(lastFocus_);
      return 0;
    }
  }
  return TCustomContainer::WndProc(message, wParam, lParam);
}

void TForm::PublishMethod(const std::string& name, TNotifyHandler handler) {
  methods_[UpperCaseAscii(name)] = std::move(handler);
}

TNotifyHandler TForm::FindMethod(const std::string& name) const {
  const auto found = methods_.find(UpperCaseAscii(name));
  return found == methods_.end() ? nullptr : found->second;
}

void TForm::BindEventsOf(TPersistent& object) const {
  for (const TPropInfo* prop : GetPropList(object)) {
    if (prop->Kind != tkMethod) continue;
    const std::string name = prop->GetStr(object);
    if (name.empty()) continue;
    TNotifyHandler handler = FindMethod(name);
    if (!handler) throw EReadError("Method " + name + " not found");
    if (prop->GetEvent) prop->GetEvent(object)->Bind(std::move(handler));
  }
}

void TForm::BindEvents() {
  BindEventsOf(*this);
  for (int i = 0; i < ComponentCount(); ++i) BindEventsOf(*Components(i));
}

// The first main menu read with the form is its bar, unless one was set already.
void TForm::Loaded() {
  TCustomContainer::Loaded();
  BindEvents();
  for (int i = 0; i < ComponentCount() && !menu_; ++i) {
    if (auto* bar = dynamic_cast<TMainMenu*>(Components(i))) SetMenu(bar);
  }
}

// The root's own list (components without a parent or on the form) and the form's controls,
// each once.
void TForm::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const {
  TComponent::GetChildren(children, root);
  std::vector<TComponent*> controls;
  TCustomContainer::GetChildren(controls, root);
  for (TComponent* control : controls) {
    if (std::find(children.begin(), children.end(), control) == children.end()) {
      children.push_back(control);
    }
  }
}
