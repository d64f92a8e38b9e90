#include "dbengine/AliasConfig.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/TextCompare.h"

namespace {

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

void CheckStorable(const AliasEntry& entry) {
  if (entry.name.empty() || HasLineBreak(entry.name) || entry.name.find(']') != std::string::npos)
    throw EDatabaseError(FormatErrorText("Invalid alias name %s", entry.name));
  for (const std::string& line : entry.params.Lines())
    if (HasLineBreak(line) || line.find('=') == std::string::npos || line.front() == '[')
      throw EDatabaseError(FormatErrorText("Invalid parameter %s", line));
}

}  // namespace

AliasConfig AliasConfig::Parse(const std::string& text) {
  AliasConfig config;
  TStringList lines;
  lines.SetText(text);
  AliasEntry* current = nullptr;
  for (const std::string& raw : lines.Lines()) {
    const std::string line = TrimBlanks(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[' && line.back() == ']') {
      current = &config.FindOrAdd(line.substr(1, line.size() - 2));
    } else if (current && line.find('=') != std::string::npos) {
      current->params.Add(line);
    }
  }
  return config;
}

std::string AliasConfig::Serialise() const {
  std::string text;
  for (const AliasEntry& entry : entries_) {
    CheckStorable(entry);
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
