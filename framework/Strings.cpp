#include "framework/Strings.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/TextCompare.h"

namespace {
TStringCompare listCompare = nullptr;
}  // namespace

void SetStringListCompare(TStringCompare compare) {
  listCompare = compare;
}

TStringCompare StringListCompare() {
  return listCompare ? listCompare : CompareText;
}

TStrings::TStrings(const TStrings& other)
    : TPersistent(), lines_(other.lines_), sorted_(other.sorted_) {}

TStrings& TStrings::operator=(const TStrings& other) {
  if (this != &other) Assign(other);
  return *this;
}

void TStrings::CheckIndex(int i) const {
  if (i < 0 || i >= Count())
    throw Exception("List index out of bounds (" + std::to_string(i) + ")");
}

void TStrings::Changed() {
  if (OnChange) OnChange();
}

std::string& TStrings::operator[](int i) {
  CheckIndex(i);
  return lines_[static_cast<size_t>(i)];
}

const std::string& TStrings::Get(int i) const {
  CheckIndex(i);
  return lines_[static_cast<size_t>(i)];
}

void TStrings::Put(int i, const std::string& s) {
  CheckIndex(i);
  if (sorted_) {
    lines_.erase(lines_.begin() + i);
    lines_.insert(lines_.begin() + SortedInsertPosition(s), s);
  } else {
    lines_[static_cast<size_t>(i)] = s;
  }
  Changed();
}

int TStrings::SortedInsertPosition(const std::string& s) const {
  const TStringCompare compare = StringListCompare();
  const auto at = std::upper_bound(
      lines_.begin(), lines_.end(), s,
      [compare](const std::string& a, const std::string& b) { return compare(a, b) < 0; });
  return static_cast<int>(at - lines_.begin());
}

// Lines that come sorted (a list assigned from another sorted list) cost one comparison each.
void TStrings::SortLines() {
  const TStringCompare compare = StringListCompare();
  const auto before = [compare](const std::string& a, const std::string& b) {
    return compare(a, b) < 0;
  };
  if (!std::is_sorted(lines_.begin(), lines_.end(), before)) {
    std::stable_sort(lines_.begin(), lines_.end(), before);
  }
}

int TStrings::Add(const std::string& s) {
  const int at = sorted_ ? SortedInsertPosition(s) : Count();
  lines_.insert(lines_.begin() + at, s);
  Changed();
  return at;
}

void TStrings::Insert(int i, const std::string& s) {
  if (sorted_) {
    Add(s);
    return;
  }
  if (i < 0 || i > Count()) throw Exception("List index out of bounds (" + std::to_string(i) + ")");
  lines_.insert(lines_.begin() + i, s);
  Changed();
}

void TStrings::AddStrings(const TStrings& other) {
  const std::vector<std::string> added = other.lines_;  // other may be this list
  lines_.insert(lines_.end(), added.begin(), added.end());
  if (sorted_) SortLines();
  Changed();
}

void TStrings::Delete(int i) {
  CheckIndex(i);
  lines_.erase(lines_.begin() + i);
  Changed();
}

void TStrings::Clear() {
  lines_.clear();
  Changed();
}

void TStrings::Assign(const TStrings& other) {
  if (this == &other) return;
  lines_ = other.lines_;
  if (sorted_) SortLines();
  Changed();
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(lines_[static_cast<size_t>(i)], s)) return i;
  }
  return -1;
}

std::string TStrings::Names(int i) const {
  const std::string& line = Get(i);
  const size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::ValueFromIndex(int i) const {
  const std::string& line = Get(i);
  const size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& line = lines_[static_cast<size_t>(i)];
    const size_t eq = line.find('=');
    if (eq != std::string::npos && SameText(line.substr(0, eq), name)) return i;
  }
  return -1;
}

std::string TStrings::Values(const std::string& name) const {
  const int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValue(const std::string& name, const std::string& value) {
  const int i = IndexOfName(name);
  if (i < 0) {
    Add(name + "=" + value);
  } else {
    Put(i, name + "=" + value);
  }
}

std::string TStrings::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line + "\r\n";
  return text;
}

void TStrings::SetText(const std::string& text) {
  lines_.clear();
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines_.push_back(text.substr(start));
      break;
    }
    lines_.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  if (sorted_) SortLines();
  Changed();
}

void TStrings::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (sorted_) {
    SortLines();
    Changed();
  }
}
