#include "tests/unit/controls/win32/TestForm.h"

#include <windows.h>

namespace {
template <typename T>
T* Make(TForm* form, TWinControl* parent, const char* name, int left, int top, int width,
        int height) {
  T* control = new T(form);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}
}  // namespace

TTestForm::TTestForm() : TForm(nullptr) {
  SetName("TestForm");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetScaled(false);
  SetCaption("\xa6\x77\xb8\xcb MySQL");  // 安裝 MySQL
  SetClientWidth(388);
  SetClientHeight(393);
  Font().SetName("\xb2\xd3\xa9\xfa\xc5\xe9");  // 細明體
  Font().SetHeight(-12);
  PublishMethod("Clicked", [this](TComponent* s) { Record(s, "Click"); });
  PublishMethod("Changed", [this](TComponent* s) { Record(s, "Change:" + s->Name()); });
  PublishMethod("DroppedDown", [this](TComponent* s) { Record(s, "DropDown"); });
  PublishMethod("Exited", [this](TComponent* s) { Record(s, "Exit"); });

  notebook = Make<TNotebook>(this, this, "Book", 0, 0, 0, 0);
  notebook->SetAlign(alClient);
  page0 = Make<TPage>(this, notebook, "Page0", 0, 0, 0, 0);
  page0->SetCaption("0");
  page1 = Make<TPage>(this, notebook, "Page1", 0, 0, 0, 0);
  page1->SetCaption("1");

  panel = Make<TPanel>(this, page0, "Panel1", 28, 14, 335, 309);
  panel->SetCaption(" ");
  panel->SetTabOrder(0);
  notice = Make<TPanel>(this, panel, "Notice", 8, 6, 175, 19);
  notice->SetBevelInner(bvLowered);
  notice->SetBevelOuter(bvNone);
  notice->SetColor(0x0044D2);  // red 210, green 68, blue 0
  notice->Font().SetColor(clWhite);
  notice->SetTabOrder(11);
  label = Make<TLabel>(this, panel, "Label10", 34, 34, 0, 0);
  label->SetCaption("\xb8\xea\xae\xc6\xae\x77\xc3\xfe\xa7\x4f");  // 資料庫類別
  kind = Make<TComboBox>(this, panel, "Kind", 96, 30, 145, 20);
  kind->Items().Add("MySQL");
  kind->Items().Add("MySQL5.3+");
  kind->SetText("MySQL5.3+");
  kind->SetTabOrder(3);
  kind->OnChange.SetName("Changed");
  kind->OnClick.SetName("Clicked");
  sources = Make<TComboBox>(this, panel, "Sources", 96, 54, 145, 20);
  sources->SetSorted(true);
  sources->SetTabOrder(0);
  sources->OnDropDown.SetName("DroppedDown");
  sources->OnExit.SetName("Exited");
  hosts = Make<TComboBox>(this, panel, "Hosts", 96, 78, 145, 20);
  hosts->SetSorted(true);
  hosts->SetTabOrder(1);
  create = Make<TCheckBox>(this, panel, "Create", 96, 100, 83, 17);
  create->SetCaption("\xab\xd8\xa5\xdf\xb8\xea\xae\xc6\xae\x77");  // 建立資料庫
  create->SetTabOrder(10);
  hiddenAction = Make<TSpeedButton>(this, panel, "BtnInit", 244, 6, 67, 25);
  hiddenAction->SetCaption("Init");
  hiddenAction->SetVisible(false);
  hiddenAction->OnClick.SetName("Clicked");
  user = Make<TEdit>(this, panel, "User", 96, 124, 130, 21);
  user->SetText("Edit3");
  user->SetTabOrder(2);
  password = Make<TEdit>(this, panel, "Password", 96, 146, 130, 21);
  password->SetPasswordChar('*');
  password->SetTabOrder(4);
  password->SetVisible(false);
  install = Make<TButton>(this, page0, "Install", 190, 330, 75, 25);
  install->SetCaption("\xa6\x77\xb8\xcb");  // 安裝
  install->SetTabOrder(1);
  install->OnClick.SetName("Clicked");

  message = Make<TLabel>(this, page1, "LabelMsg", 12, 142, 335, 17);
  message->SetAutoSize(false);
  message->SetBounds(12, 142, 335, 17);
  message->SetAlignment(taCenter);
  memo = Make<TMemo>(this, page1, "Memo1", 56, 220, 289, 55);
  memo->SetBorderStyle(bsNoBorder);
  memo->SetColor(clBtnFace);
  close = Make<TButton>(this, page1, "Close", 148, 312, 75, 25);
  close->SetCaption("\xc3\xf6\xb3\xac");  // 關閉
  BindEvents();                           // as reading a stored form ends
}

void PumpMessages(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}
