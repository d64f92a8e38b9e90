#include "controls/win32/Buttons.h"

namespace {
bool IsInClientArea(HWND window, LPARAM point) {
  RECT client = {};
  GetClientRect(window, &client);
  const POINT at = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  return PtInRect(&client, at) != FALSE;
}

TControl::TCreateParams ButtonParams(DWORD style) {
  TControl::TCreateParams params;
  params.className = "BUTTON";
  params.style = style;
  return params;
}
}  // namespace

// --- TButton ---------------------------------------------------------------------------------

const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TButton>("TButton", TWinControl::StaticClassInfo())
                                     .String("Caption", &TButton::Caption, &TButton::SetCaption)
                                     .TypeName("TCaption");
  return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

TControl::TCreateParams TButton::CreateParams() const {
  return ButtonParams(BS_PUSHBUTTON);
}

void TButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

// --- TButtonControl, TCheckBox, TRadioButton ----------------------------------------------------

const TClassInfo& TButtonControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TButtonControl>("TButtonControl", TWinControl::StaticClassInfo())
          .String("Caption", &TButtonControl::Caption, &TButtonControl::SetCaption)
          .TypeName("TCaption")
          .Boolean("Checked", &TButtonControl::Checked, &TButtonControl::SetChecked)
          .Default(false);
  return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetParentColor(true);
}

bool TButtonControl::Checked() const {
  if (HWND window = WindowHandleOrNull()) {
    return SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  return checked_;
}

void TButtonControl::SetChecked(bool checked) {
  checked_ = checked;
  if (HWND window = WindowHandleOrNull()) {
    SendMessageA(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void TButtonControl::InitializeHandle() {
  SetChecked(checked_);
}

void TButtonControl::CommandNotify(WORD code) {
  if (code != BN_CLICKED) return;
  SetChecked(Checked());
  Click();
}

const TClassInfo& TCheckBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TCheckBox>("TCheckBox", TButtonControl::StaticClassInfo());
  return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 97, 17);
}

TControl::TCreateParams TCheckBox::CreateParams() const {
  return ButtonParams(BS_AUTOCHECKBOX);
}

const TClassInfo& TRadioButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TRadioButton>("TRadioButton", TButtonControl::StaticClassInfo());
  return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool checked) {
  TButtonControl::SetChecked(checked);
  if (!checked || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
    if (other && other != this && other->Checked()) other->TButtonControl::SetChecked(false);
  }
}

TControl::TCreateParams TRadioButton::CreateParams() const {
  return ButtonParams(BS_AUTORADIOBUTTON);
}

// --- TSpeedButton ----------------------------------------------------------------------------

// The stored form reaches the glyph's bytes as "Glyph.Data".
const TClassInfo& TSpeedButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSpeedButton>("TSpeedButton", TControl::StaticClassInfo())
          .String("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption)
          .TypeName("TCaption")
          .Object("Glyph", "TBitmap", &TSpeedButton::Glyph);
  return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 23, 22);
  glyph_.OnChange = [this] { ShowGlyph(); };
}

TControl::TCreateParams TSpeedButton::CreateParams() const {
  return ButtonParams(BS_PUSHBUTTON | (glyph_.Empty() ? 0 : BS_BITMAP));
}

void TSpeedButton::InitializeHandle() {
  ShowGlyph();
}

// Button bitmaps have no transparency of their own: the glyph's transparent colour (its bottom
// left pixel) is painted in the button face colour.
void TSpeedButton::ShowGlyph() {
  HWND window = WindowHandleOrNull();
  if (!window || glyph_.Empty()) return;
  DecodedImage face = glyph_.Pixels();
  const COLORREF transparent = glyph_.TransparentColor();
  const COLORREF background = GetSysColor(COLOR_BTNFACE);
  for (size_t i = 0; i + 3 < face.bgra.size(); i += 4) {
    if (RGB(face.bgra[i + 2], face.bgra[i + 1], face.bgra[i]) == transparent) {
      face.bgra[i] = GetBValue(background);
      face.bgra[i + 1] = GetGValue(background);
      face.bgra[i + 2] = GetRValue(background);
    }
  }
  face_.Reset(CreateBitmapOf(face));
  if (!face_) return;
  SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | BS_BITMAP);
  SendMessageA(window, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(face_.Get()));
}

void TSpeedButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

// A press of the button class focuses the button, and the field the user was typing in would run
// its exit action; a speed button is pressed without taking the focus, so the mouse is followed
// here. BM_CLICK comes as a press and a release at the button's corner.
LRESULT TSpeedButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = WindowHandleOrNull();
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press();
      return 0;
    case WM_MOUSEMOVE:
      if (!pressed_) break;
      SendMessageA(window, BM_SETSTATE, IsInClientArea(window, lParam), 0);
      return 0;
    case WM_LBUTTONUP:
      if (!pressed_) break;
      Release(IsInClientArea(window, lParam));
      return 0;
    case WM_CAPTURECHANGED:
      if (pressed_) Release(false);
      break;
    default:
      break;
  }
  return TControl::WndProc(message, wParam, lParam);
}

void TSpeedButton::Press() {
  HWND window = WindowHandleOrNull();
  pressed_ = true;
  SetCapture(window);
  SendMessageA(window, BM_SETSTATE, TRUE, 0);
}

// The button is up again before its action runs, which may show a modal box.
void TSpeedButton::Release(bool click) {
  HWND window = WindowHandleOrNull();
  pressed_ = false;
  if (GetCapture() == window) ReleaseCapture();
  SendMessageA(window, BM_SETSTATE, FALSE, 0);
  if (click) Click();
}
