#pragma once
// The text rules of a language file, apart from the file itself: how a line read back from the
// form's section names a component, a property and a value, and how a string list is held in one
// value. Any bytes are accepted.
#include <string>

class TComponent;

struct LanguageLine {
  std::string component;  // empty: the form itself
  std::string property;
  std::string value;
};

// Cleans a key=value line as people may write it (Label1.Caption = 'text') and splits it:
// leading spaces go; the first "= '", then the first " = '", then the first " = " become "=";
// a final "'" goes. The key is the text before the first "=" without spaces at its end, the
// value the rest of the line. The property is the key after its first "." (the whole key without
// one); the component is the text of the line before its first "." (empty when the line has
// none), so that "Caption=V 5.6" names the component "Caption=V 5". False for a line to skip:
// one with neither "." nor "=", or one that names no property.
bool ParseLanguageLine(const std::string& line, LanguageLine& parsed);

// Whether a language file may set that property of target, a component of form (or form itself).
// The file sits in the user's own folder while the installation runs elevated, so it may change
// only what a person sees: the form, its visual controls and menu items (never their names), and
// the message table's lines. The embedded driver files, the database, the query and the alias
// editor are never reachable from it.
bool LanguageFileMayChange(const TComponent& form, const TComponent& target,
                           const std::string& property);

// Applies one line of the form's section to form: the property it names is set from the value
// (a string list from its list text) when LanguageFileMayChange allows it; a line naming no
// component or property of the form is skipped. Raises what setting the property raises (an
// enumeration value the property does not know).
void ImportLanguageLine(TComponent& form, const std::string& line);

// A list's whole text (every line ended by CR LF) as one value: each CR LF becomes "|".
std::string ListTextToValue(const std::string& text);
// The list text a value stands for: each "|" becomes CR LF.
std::string ValueToListText(const std::string& value);
