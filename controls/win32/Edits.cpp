#include "controls/win32/Edits.h"

namespace {
// The window text of lines: joined by CR LF, without a line break after the last one.
std::string JoinLines(const TStrings& lines) {
  std::string text = lines.Text();
  if (text.size() >= 2) text.resize(text.size() - 2);
  return text;
}
}  // namespace

// --- TEdit -----------------------------------------------------------------------------------

const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TEdit>("TEdit", TWinControl::StaticClassInfo())
          .Char("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar)
          .Default(0)
          .String("Text", &TEdit::Text, &TEdit::SetText)
          .TypeName("TCaption")
          .Event("OnChange", &TEdit::OnChange);
  return info;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

void TEdit::SetPasswordChar(char passwordChar) {
  passwordChar_ = passwordChar;
  if (HWND window = WindowHandleOrNull()) {
    SendMessageA(window, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar), 0);
    Invalidate();
  }
}

TControl::TCreateParams TEdit::CreateParams() const {
  TCreateParams params;
  params.className = "EDIT";
  params.style = ES_AUTOHSCROLL | ES_LEFT;
  params.exStyle = WS_EX_CLIENTEDGE;
  return params;
}

void TEdit::InitializeHandle() {
  if (passwordChar_) SetPasswordChar(passwordChar_);
}

void TEdit::CommandNotify(WORD code) {
  if (code == EN_CHANGE) RunEvent(OnChange);
}

// --- TMemo -----------------------------------------------------------------------------------

const TClassInfo& TMemo::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TMemo>("TMemo", TWinControl::StaticClassInfo())
          .Enum<TBorderStyle>("BorderStyle", "TBorderStyle", {"bsNone", "bsSingle"},
                              &TMemo::BorderStyle, &TMemo::SetBorderStyle)
          .Default(bsSingleBorder)
          .Strings(
              "Lines", "TStrings", [](TMemo& m) -> TStrings& { return m.Lines(); },
              [](TMemo& m, const TStrings& lines) { m.Lines().Assign(lines); })
          .Event("OnChange", &TMemo::OnChange);
  return info;
}

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 185, 89);
  lines_.OnChange = [this] { LinesChanged(); };
}

// A multi-line edit announces no change for text set by a message, so the lines are taken from
// the window whenever they are asked for.
TStrings& TMemo::Lines() {
  if (WindowHandleOrNull() && !syncing_) {
    const std::string text = Caption();
    if (text != JoinLines(lines_)) {
      syncing_ = true;
      caption_ = text;
      lines_.SetText(text);
      syncing_ = false;
    }
  }
  return lines_;
}

void TMemo::LinesChanged() {
  if (syncing_) return;
  caption_ = JoinLines(lines_);
  if (HWND window = WindowHandleOrNull()) SetWindowTextA(window, caption_.c_str());
}

TControl::TCreateParams TMemo::CreateParams() const {
  TCreateParams params;
  params.className = "EDIT";
  params.style = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_LEFT;
  params.exStyle = borderStyle_ == bsSingleBorder ? WS_EX_CLIENTEDGE : 0;
  return params;
}

void TMemo::InitializeHandle() {
  LinesChanged();
}

// What the user types becomes the lines.
void TMemo::CommandNotify(WORD code) {
  if (code != EN_CHANGE) return;
  Lines();
  RunEvent(OnChange);
}
