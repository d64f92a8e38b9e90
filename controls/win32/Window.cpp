#include "controls/win32/Window.h"

#include <algorithm>
#include <climits>

#include "controls/win32/Application.h"
#include "framework/CodePages.h"
#include "framework/Exceptions.h"
#include "framework/win32/SystemError.h"
#include "framework/win32/WideText.h"

namespace {
const char kControlProperty[] = "LintoraControl";
// Child window identifiers start above the dialog manager's IDOK ... IDHELP, so that Enter and
// Escape (which send IDOK and IDCANCEL) are never taken for a control's notification.
int nextChildId = 1000;
}  // namespace

// --- the window procedure -------------------------------------------------------------------

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* control =
        static_cast<TControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (control) {
      control->originalProc_ = DefWindowProcW;
      control->Attach(window);
    }
  }
  TControl* control = TControl::FromHandle(window);
  if (!control) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const WNDPROC original = control->originalProc_;
    control->Unhook();
    control->window_.Release();
    return CallWindowProcW(original, window, message, wParam, lParam);
  }
  try {
    return control->WndProc(message, wParam, lParam);
  } catch (...) {
    Application->HandleException(control);
    return 0;
  }
}

// The windows are Unicode windows, so that the wide texts reach them unchanged.
void RegisterControlWindowClass(const std::string& className) {
  const std::wstring wideName = WideFromCodePage(className, kSystemCodePage);
  WNDCLASSW existing;
  if (GetClassInfoW(GetModuleHandleW(nullptr), wideName.c_str(), &existing)) return;
  WNDCLASSW windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = ControlWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = wideName.c_str();
  if (!RegisterClassW(&windowClass)) throw Exception("Cannot register window class " + className);
}

std::wstring ReadWholeText(const std::function<bool(wchar_t* buffer, int size)>& read) {
  for (size_t size = 256;; size *= 2) {
    std::vector<wchar_t> buffer(size, L'\0');
    if (!read(buffer.data(), static_cast<int>(size))) return std::wstring();
    buffer.back() = L'\0';
    const std::wstring text(buffer.data());
    if (text.size() + 1 < size) return text;
  }
}

// --- TControl --------------------------------------------------------------------------------

const TClassInfo& TControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TControl>("TControl", TComponent::StaticClassInfo())
          .Integer("Left", &TControl::Left, &TControl::SetLeft)
          .Integer("Top", &TControl::Top, &TControl::SetTop)
          .Integer("Width", &TControl::Width, &TControl::SetWidth)
          .Integer("Height", &TControl::Height, &TControl::SetHeight)
          .Enum<TAlign>("Align", "TAlign",
                        {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
                        &TControl::Align, &TControl::SetAlign)
          .Default(alNone)
          .Integer("Color", &TControl::Color, &TControl::SetColor)
          .TypeName("TColor")
          .Stored([](const TControl& c) { return !c.ParentColor(); })
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
          .Default(true)
          .Object("Font", "TFont", [](TControl& c) -> TFont& { return c.Font(); })
          .Stored([](const TControl& c) { return !c.ParentFont(); })
          .String("Hint", &TControl::Hint, &TControl::SetHint)
          .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
          .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .Default(true)
          .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
          .Default(true)
          .Event("OnClick", &TControl::OnClick);
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  DestroyComponents();
  if (parent_) parent_->RemoveControl(this);
  Unhook();
  font_.OnChange = nullptr;
}

void TControl::Attach(HWND window) {
  SetPropA(window, kControlProperty, this);
  if (window_.Get() != window) window_.Reset(window);
}

// The window keeps existing (its parent destroys it) but no longer reaches this object.
void TControl::Unhook() {
  HWND window = window_.Get();
  if (!window) return;
  RemovePropA(window, kControlProperty);
  if (originalProc_ && originalProc_ != DefWindowProcW) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc_));
  }
}

TControl* TControl::FromHandle(HWND window) {
  return window ? static_cast<TControl*>(GetPropA(window, kControlProperty)) : nullptr;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (window_) {
    Unhook();
    window_.Reset();
  }
  parent_ = nullptr;
  if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* container = dynamic_cast<TWinControl*>(parent)) SetParent(container);
}

TComponent* TControl::GetParentComponent() const {
  return parent_;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (window_) {
    const RECT r = WindowBounds();
    MoveWindow(window_.Get(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
  if (auto* container = dynamic_cast<TWinControl*>(this)) container->AlignControls();
}

RECT TControl::WindowBounds() const {
  return {left_, top_, left_ + width_, top_ + height_};
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (window_) ShowWindow(window_.Get(), visible ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (window_) EnableWindow(window_.Get(), enabled);
}

// A value is what the window holds now, typed or set; the program's own text is what it set (the
// window holds its UTF-16 copy, which a form's new code set would read differently).
std::string TControl::Caption() const {
  return window_ && TextCodePage() == kSystemCodePage ? WindowText() : caption_;
}

void TControl::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (window_) SetWindowTextOf(caption);
  AdjustSize();
}

std::string TControl::WindowText() const {
  return WindowTextIn(window_.Get(), TextCodePage());
}

void TControl::SetWindowTextOf(const std::string& text) {
  SetWindowTextIn(window_.Get(), text, TextCodePage());
}

unsigned TControl::FormCodePage() const {
  return parent_ ? parent_->FormCodePage() : kBig5CodePage;
}

HFONT TControl::FontHandle() {
  font_.SetNameCodePage(FormCodePage());
  return font_.Handle();
}

TColor TControl::Color() const {
  return parentColor_ && parent_ ? parent_->Color() : color_;
}

void TControl::SetColor(TColor color) {
  color_ = color;
  parentColor_ = false;
  ParentColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  ParentColorChanged();
}

void TControl::ParentColorChanged() {
  Invalidate();
  if (auto* container = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < container->ControlCount(); ++i) {
      if (container->Controls(i)->parentColor_) container->Controls(i)->ParentColorChanged();
    }
  }
}

void TControl::SetParentFont(bool parentFont) {
  if (!parentFont) return;  // fields set explicitly already stop following the parent
  font_.ForgetExplicitFields();
  ParentFontChanged();
}

void TControl::FontChanged() {
  if (window_) {
    SendMessageW(window_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
  }
  if (!inheritingFont_) AdjustSize();
  if (auto* container = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < container->ControlCount(); ++i) container->Controls(i)->ParentFontChanged();
  }
}

void TControl::ParentFontChanged() {
  if (!parent_) return;
  inheritingFont_ = true;
  font_.InheritFrom(parent_->Font());
  inheritingFont_ = false;
  AdjustSize();
}

void TControl::Invalidate() {
  if (window_) InvalidateRect(window_.Get(), nullptr, TRUE);
}

HBRUSH TControl::BackgroundBrush() {
  const TColor color = Color();
  if (!brush_ || brushColor_ != color) {
    brush_.Reset(CreateSolidBrush(ColorToRGB(color)));
    brushColor_ = color;
  }
  return brush_.Get();
}

HBRUSH TControl::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(font_.Color()));
  SetBkColor(dc, ColorToRGB(Color()));
  return BackgroundBrush();
}

void TControl::Click() {
  RunEvent(OnClick);
}

HWND TControl::Handle() {
  if (!window_) {
    if (parent_) {
      parent_->Handle();  // makes this window too, with the parent's other children
      if (!window_) CreateHandle();
    } else {
      CreateHandle();
    }
  }
  return window_.Get();
}

void TControl::CreateHandle() {
  const TCreateParams params = CreateParams();
  if (!params.systemClass) RegisterControlWindowClass(params.className);
  DWORD style = params.style | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
  HWND parentWindow = nullptr;
  HMENU id = nullptr;
  if (parent_) {
    parentWindow = parent_->WindowHandleOrNull();
    if (!parentWindow) return;
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextChildId++));
  }
  const RECT r = WindowBounds();
  HWND window = CreateWindowExW(
      params.exStyle, WideFromCodePage(params.className, kSystemCodePage).c_str(),
      WideFromCodePage(caption_, TextCodePage()).c_str(), style, r.left, r.top, r.right - r.left,
      r.bottom - r.top, parentWindow, id, GetModuleHandleW(nullptr), this);
  // A class the process cannot use (a common control of the wrong architecture, say) leaves no
  // window: say which, rather than show a form with holes in it.
  if (!window) {
    throw Exception("Cannot create the " + params.className + " window of " + Name() + " (" +
                    SystemErrorText(GetLastError()) + ")");
  }
  if (params.systemClass) {
    Attach(window);
    originalProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWindowProc)));
  }
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  InitializeHandle();
}

LRESULT TControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(originalProc_ ? originalProc_ : DefWindowProcW, window_.Get(), message,
                         wParam, lParam);
}

LRESULT TControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(message, wParam, lParam);
}

void TControl::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, BackgroundBrush());
}

bool TControl::PaintMessage(UINT message, LRESULT& result) {
  if (message == WM_ERASEBKGND) {
    result = 1;
    return true;
  }
  if (message != WM_PAINT) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_.Get(), &paint);
  RECT client;
  GetClientRect(window_.Get(), &client);
  Paint(dc, client);
  EndPaint(window_.Get(), &paint);
  result = 0;
  return true;
}

void TControl::Loaded() {
  TComponent::Loaded();
  AdjustSize();
}

// --- TWinControl -----------------------------------------------------------------------------

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TWinControl>("TWinControl", TControl::StaticClassInfo())
          .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
          .Default(-1)
          .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
          .Event("OnEnter", &TWinControl::OnEnter)
          .Event("OnExit", &TWinControl::OnExit);
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children owned elsewhere outlive this parent: their windows go with this one.
  for (TControl* control : controls_) {
    control->Unhook();
    control->window_.Release();
    control->parent_ = nullptr;
  }
  controls_.clear();
}

void TWinControl::SetTabOrder(int tabOrder) {
  tabOrder_ = tabOrder;
  if (Parent()) Parent()->ArrangeTabOrder();
}

void TWinControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  if (HWND window = WindowHandleOrNull()) {
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrA(window, GWL_STYLE, style);
  }
}

std::vector<TWinControl*> TWinControl::TabList() const {
  std::vector<TWinControl*> list;
  for (TControl* control : controls_) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed && !control->IsGraphicControl()) list.push_back(windowed);
  }
  auto key = [](const TWinControl* c) { return c->tabOrder_ < 0 ? INT_MAX : c->tabOrder_; };
  std::stable_sort(list.begin(), list.end(),
                   [&](const TWinControl* a, const TWinControl* b) { return key(a) < key(b); });
  return list;
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  control->ParentFontChanged();
  control->ParentColorChanged();
  if (control->align_ != alNone) AlignControls();
  if (WindowHandleOrNull()) {
    control->CreateHandle();
    ArrangeTabOrder();
  }
}

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
}

SIZE TWinControl::ClientSize() const {
  return {Width(), Height()};
}

void TWinControl::AlignControls() {
  for (TControl* control : controls_) {
    if (control->Align() != alClient) continue;
    const SIZE client = ClientSize();
    control->SetBounds(0, 0, client.cx, client.cy);
  }
}

void TWinControl::CreateHandle() {
  TControl::CreateHandle();
  if (!WindowHandleOrNull()) return;
  if (tabStop_) SetTabStop(true);
  for (TControl* control : controls_) {
    if (!control->HandleAllocated()) control->CreateHandle();
  }
  ArrangeTabOrder();
}

void TWinControl::ArrangeTabOrder() {
  if (!WindowHandleOrNull()) return;
  HWND after = HWND_TOP;
  auto place = [&after](TControl* control) {
    HWND window = control->WindowHandleOrNull();
    if (!window) return;
    SetWindowPos(window, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = window;
  };
  for (TWinControl* control : TabList()) place(control);
  for (TControl* control : controls_) {
    if (control->IsGraphicControl()) place(control);
  }
}

void TWinControl::SetFocus() {
  if (HWND window = Handle()) ::SetFocus(window);
}

bool TWinControl::Focused() const {
  HWND window = WindowHandleOrNull();
  HWND focus = GetFocus();
  return window && (focus == window || IsChild(window, focus));
}

// Enter and exit are moves of the focus within one form; activating another program or a
// message box is neither.
void TWinControl::FocusChanged(bool gained, HWND other) {
  HWND window = WindowHandleOrNull();
  if (other && GetAncestor(other, GA_ROOT) != GetAncestor(window, GA_ROOT)) return;
  if (other && (other == window || IsChild(window, other))) return;
  RunEvent(gained ? OnEnter : OnExit);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam) {
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
          try {
            child->CommandNotify(HIWORD(wParam));
          } catch (...) {
            Application->HandleException(child);
          }
          return 0;
        }
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (TControl* child = FromHandle(header->hwndFrom)) {
        try {
          return child->NotifyMessage(*header);
        } catch (...) {
          Application->HandleException(child);
        }
        return 0;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
        return reinterpret_cast<LRESULT>(child->CtlColor(reinterpret_cast<HDC>(wParam)));
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = DefaultHandler(message, wParam, lParam);
      FocusChanged(message == WM_SETFOCUS, reinterpret_cast<HWND>(wParam));
      return result;
    }
    default:
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

void TWinControl::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const {
  for (TControl* control : controls_) {
    if (control->Owner() == root) children.push_back(control);
  }
}

// --- TCustomContainer ------------------------------------------------------------------------

const TClassInfo& TCustomContainer::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCustomContainer>("TCustomContainer", TWinControl::StaticClassInfo());
  return info;
}

TControl::TCreateParams TCustomContainer::CreateParams() const {
  TCreateParams params;
  params.className = ClassName();
  params.style = WS_CLIPCHILDREN;
  params.exStyle = WS_EX_CONTROLPARENT;
  params.systemClass = false;
  return params;
}

LRESULT TCustomContainer::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (PaintMessage(message, result)) return result;
  return TWinControl::WndProc(message, wParam, lParam);
}
