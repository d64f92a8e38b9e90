#pragma once
// TMemos: the message table. A non-visual component whose lines, NAME=text each, are stored with
// the dialog's description; the dialog composes its run-time messages from the texts it looks up
// by name, so a language file or the GB2312 conversion of the form changes them with the captions.
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Strings.h"

class TMemos : public TComponent {
  LINTORA_PUBLISHED(TMemos)
 public:
  explicit TMemos(TComponent* owner);
  ~TMemos() override;

  // The owned list itself.
  TStringList* Lines() const { return FLines.get(); }
  // Copies every line of `lines` into the owned list; the given list stays the caller's.
  void SetLines(const TStrings& lines);

  // The text of the first line whose name (the part before its first "=") equals `name` in the
  // locale's case-insensitive comparison, untrimmed; "" when no line matches. The text may itself
  // hold "=".
  std::string Lookup(const std::string& name) const;

 private:
  std::unique_ptr<TStringList> FLines;
};

// Lets stored forms name TMemos.
void RegisterMemosClass();
