// The engine's configuration file: one INI-layout section per persistent alias, holding its
// NAME=value parameters. For an alias that is also an ODBC data source the section holds only
// the parameters changed from what the data source gives.
//
// What the reader keeps and what the writer accepts follow one rule, so that whatever was read
// can always be saved again: a file damaged by hand or by a crash never stops later saves.
#pragma once

#include <string>
#include <vector>

#include "framework/Strings.h"

struct AliasEntry {
  std::string name;
  TStringList params;
};

class AliasConfig {
 public:
  // Lines "[name]" start an alias, "NAME=value" lines belong to the alias above them; blank
  // lines, ";" comments and lines outside any alias are ignored. A repeated section continues
  // the first one of that name. A section whose name the layout cannot hold ("[]", "[a]b]") is
  // dropped with its lines, and so is every line that is neither a section nor a parameter (a
  // "[" that opens no section, a line without "=").
  static AliasConfig Parse(const std::string& text);
  // Raises EDatabaseError for a name or parameter that the layout cannot hold (see
  // CheckStorable); the file then stays as it was.
  std::string Serialise() const;

  // Raises EDatabaseError "Invalid alias name %s" for an empty name, one with "]" or a line
  // break, and "Invalid parameter %s" for a line without "=", with a line break, or one that
  // would read back as a section or a comment. Callers check a change before making it, so that
  // the store never holds what it cannot save.
  static void CheckStorable(const std::string& name, const TStrings& params);

  // Alias names compare ignoring ASCII case.
  const AliasEntry* Find(const std::string& name) const;
  AliasEntry& FindOrAdd(const std::string& name);
  bool Remove(const std::string& name);
  const std::vector<AliasEntry>& Entries() const { return entries_; }

 private:
  std::vector<AliasEntry> entries_;
};
