#pragma once
// The form: a top-level window (dialog frame by default) with its client size, position, font,
// colour and caption, the method table whose handlers the stored form's events name, and
// OnCreate.
//
// Making a form from a stored description, with a form class of the program's own:
//
//   auto* form = new TSetupForm(nullptr);  // its constructor publishes its handlers
//   FormReader(stored).ReadRootComponent(*form);  // Loaded() binds the events at the end
//   form->DoCreate();  // OnCreate; errors go to the application
//   form->Show();      // window made, centred, first control focused
//   Application->Run();  // until the form is closed
//
// Closing the main form (the first form made) ends Application->Run.
//
// Colours in a stored form are integers (Graphics.h): clBtnFace is -16777201, an RGB colour
// $00BBGGRR such as $0044D2 (red 210, green 68, blue 0), white $FFFFFF.
#include <map>
#include <optional>
#include <string>

#include "controls/win32/Window.h"
#include "framework/CodePages.h"

class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};

class TForm : public TCustomContainer {
  LINTORA_PUBLISHED(TForm)
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
  // Client size; setting it sets the outer size to fit the frame.
  int ClientWidth() const { return ClientSize().cx; }
  int ClientHeight() const { return ClientSize().cy; }
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  // The font is never scaled with the screen's resolution; kept for the stored form.
  bool Scaled() const { return scaled_; }
  void SetScaled(bool scaled) { scaled_ = scaled; }
  // The code set the form's own texts are written in: Big5, GB2312 once the form has been
  // converted for a Simplified-Chinese system. Its controls show their texts in it. Published,
  // since the conversion knows the form only by its properties; it says so before it converts.
  int CodePage() const { return static_cast<int>(codePage_); }
  void SetCodePage(int codePage) { codePage_ = static_cast<unsigned>(codePage); }
  unsigned FormCodePage() const override { return codePage_; }

  // The menu bar the form shows (nullptr: none); the client size stays as it is. A main menu
  // read with the form becomes its bar when the form has none. The menu is not the form's to
  // destroy: it goes with its owner and leaves the form then.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  TNotifyEvent OnCreate;
  // Runs OnCreate. An error it raises ends it there and goes to Application->HandleException.
  void DoCreate();

  // Visible: makes the window, shows it (centred when asked) and focuses the first tab stop.
  void SetVisible(bool visible) override;
  // Hides the form; closing the main form ends the application's message loop.
  void Close();
  static TForm* MainForm();

  // The handlers a stored form may name in its events.
  void PublishMethod(const std::string& name, TNotifyHandler handler);
  template <typename F>
  void PublishMethod(const std::string& name, void (F::*method)(TComponent*)) {
    F* self = static_cast<F*>(this);
    PublishMethod(name, [self, method](TComponent* sender) { (self->*method)(sender); });
  }
  // Empty when the table has no handler of the name (ASCII case ignored).
  TNotifyHandler FindMethod(const std::string& name) const;

  // Binds every event of the form and its components that names a handler to the published
  // handler of that name; raises EReadError "Method %s not found" when there is none. Loaded
  // runs it; code that names handlers or publishes them after the form was read runs it again.
  void BindEvents();
  void Loaded() override;
  void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;

 protected:
  TCreateParams CreateParams() const override;
  void CreateHandle() override;
  RECT WindowBounds() const override;
  SIZE ClientSize() const override;
  void SetBounds(int left, int top, int width, int height) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BindEventsOf(TPersistent& object) const;
  // Takes the bar from the window without resizing the form.
  void ReleaseMenu();
  DWORD FrameStyle() const;
  DWORD FrameExStyle() const;
  SIZE OuterSizeFor(int clientWidth, int clientHeight) const;
  void FitFrameToClient();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TPosition position_ = poDesigned;
  bool scaled_ = true;
  unsigned codePage_ = kBig5CodePage;
  // A client size set is kept as set: until the form has a window, its outer size does not
  // follow it. Unset: the client size follows the outer size.
  std::optional<int> clientWidth_, clientHeight_;
  HWND lastFocus_ = nullptr;  // given back when the form is active again
  TMainMenu* menu_ = nullptr;
  std::map<std::string, TNotifyHandler> methods_;  // keys in upper case
};
