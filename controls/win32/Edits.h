#pragma once
// One-line edit (optionally showing a password character) and multi-line memo. Text and Lines
// follow what the user types; OnChange runs on every change of the text, by the user or by code.
#include "controls/win32/Window.h"
#include "framework/CodePages.h"
#include "framework/Strings.h"

enum TBorderStyle { bsNoBorder, bsSingleBorder };

class TEdit : public TWinControl {
  LINTORA_PUBLISHED(TEdit)
 public:
  explicit TEdit(TComponent* owner);
  // '\0' shows the text as it is.
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char passwordChar);
  TNotifyEvent OnChange;

 public:
  // What the user types, or the program read, in the system's code page, as always.
  unsigned TextCodePage() const override { return kSystemCodePage; }

 protected:
  TCreateParams CreateParams() const override;
  void InitializeHandle() override;
  void CommandNotify(WORD code) override;

 private:
  char passwordChar_ = '\0';
};

class TMemo : public TWinControl {
  LINTORA_PUBLISHED(TMemo)
 public:
  explicit TMemo(TComponent* owner);
  TStrings& Lines();
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style) { borderStyle_ = style; }
  TNotifyEvent OnChange;

 public:
  // What the user types, or the program read, in the system's code page, as always.
  unsigned TextCodePage() const override { return kSystemCodePage; }

 protected:
  TCreateParams CreateParams() const override;
  void InitializeHandle() override;
  void CommandNotify(WORD code) override;

 private:
  void LinesChanged();
  TStrings lines_;
  TBorderStyle borderStyle_ = bsSingleBorder;
  bool syncing_ = false;
};
