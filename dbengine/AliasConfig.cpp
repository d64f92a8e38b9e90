#include "dbengine/AliasConfig.h"

#include <algorithm>
#include <unordered_map>

#include "framework/Exceptions.h"
#include "framework/TextCompare.h"

namespace {

const char* const kBlanks = " \t";

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

bool IsStorableName(const std::string& name) {
  return !name.empty() && !HasLineBreak(name) && name.find(']') == std::string::npos;
}

// The reader trims a line before it looks at it, so a parameter must not start, after its
// blanks, with what starts a section or a comment.
bool IsStorableParam(const std::string& line) {
  if (HasLineBreak(line) || line.find('=') == std::string::npos) return false;
  const size_t first = line.find_first_not_of(kBlanks);
  return line[first] != '[' && line[first] != ';';
}

bool IsSectionLine(const std::string& line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace

void AliasConfig::CheckStorable(const std::string& name, const TStrings& params) {
  if (!IsStorableName(name)) throw EDatabaseError(FormatErrorText("Invalid alias name %s", name));
  for (const std::string& line : params.Lines())
    if (!IsStorableParam(line)) throw EDatabaseError(FormatErrorText("Invalid parameter %s", line));
}

AliasConfig AliasConfig::Parse(const std::string& text) {
  AliasConfig config;
  // A machine's file may hold an alias for each of thousands of data sources: a section's alias
  // is found through its upper-cased name, not by comparing it with every alias read before.
  std::unordered_map<std::string, size_t> entryAtUpperName;
  const auto entryNamed = [&config, &entryAtUpperName](const std::string& name) -> AliasEntry& {
    const auto [at, added] = entryAtUpperName.emplace(UpperCaseAscii(name), config.entries_.size());
    if (added) config.entries_.push_back(AliasEntry{name, TStringList()});
    return config.entries_[at->second];
  };
  TStringList lines;
  lines.SetText(text);
  AliasEntry* current = nullptr;
  for (const std::string& raw : lines.Lines()) {
    const std::string line = TrimBlanks(raw);
    if (line.empty() || line[0] == ';') continue;
    if (IsSectionLine(line)) {
      const std::string name = line.substr(1, line.size() - 2);
      // The lines of a section that cannot be kept belong to no alias.
      current = IsStorableName(name) ? &entryNamed(name) : nullptr;
    } else if (current && IsStorableParam(line)) {
      current->params.Add(line);
    }
  }
  return config;
}

std::string AliasConfig::Serialise() const {
  std::string text;
  for (const AliasEntry& entry : entries_) {
    CheckStorable(entry.name, entry.params);
    text += "[" + entry.name + "]\r\n" + entry.params.Text() + "\r\n";
  }
  return text;
}

const AliasEntry* AliasConfig::Find(const std::string& name) const {
  for (const AliasEntry& entry : entries_)
    if (SameText(entry.name, name)) return &entry;
  return nullptr;
}

AliasEntry& AliasConfig::FindOrAdd(const std::string& name) {
  for (AliasEntry& entry : entries_)
    if (SameText(entry.name, name)) return entry;
  entries_.push_back(AliasEntry{name, TStringList()});
  return entries_.back();
}

bool AliasConfig::Remove(const std::string& name) {
  const auto at = std::find_if(entries_.begin(), entries_.end(),
                               [&](const AliasEntry& entry) { return SameText(entry.name, name); });
  if (at == entries_.end()) return false;
  entries_.erase(at);
  return true;
}
