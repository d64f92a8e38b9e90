// The engine's configuration file: one INI-layout section per persistent alias, holding its
// NAME=value parameters. For an alias that is also an ODBC data source the section holds only
// the parameters changed from what the data source gives.
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
  // the first one of that name.
  static AliasConfig Parse(const std::string& text);
  // Raises EDatabaseError for a name or parameter that the layout cannot hold (line breaks, a
  // name with "]" or a parameter name with "=").
  std::string Serialise() const;

  // Alias names compare ignoring ASCII case.
  const AliasEntry* Find(const std::string& name) const;
  AliasEntry& FindOrAdd(const std::string& name);
  bool Remove(const std::string& name);
  const std::vector<AliasEntry>& Entries() const { return entries_; }

 private:
  std::vector<AliasEntry> entries_;
};
