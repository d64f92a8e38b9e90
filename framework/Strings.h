#pragma once
// String lists: ordered 8-bit lines, as used for list items, memo lines, parameter lists
// (NAME=value) and the message table.
#include <functional>
#include <string>
#include <vector>

#include "framework/Persistent.h"

// Order used by sorted lists: negative, zero or positive. The native build compares with
// CompareText (bytes, ASCII case ignored); the Windows build installs the locale's case-insensitive
// comparison (CompareStringA with NORM_IGNORECASE) at start-up through SetStringListCompare.
using TStringCompare = int (*)(const std::string& a, const std::string& b);
void SetStringListCompare(TStringCompare compare);  // nullptr restores CompareText
TStringCompare StringListCompare();

class TStrings : public TPersistent {
 public:
  TStrings() = default;
  // Copies the lines and the sorted flag, never the OnChange hook (that belongs to its owner).
  TStrings(const TStrings& other);
  TStrings& operator=(const TStrings& other);

  int Count() const { return static_cast<int>(lines_.size()); }
  // Direct access to a line: it changes the line in place, without re-sorting or OnChange.
  const std::string& operator[](int i) const { return Get(i); }
  std::string& operator[](int i);
  const std::string& Get(int i) const;
  void Put(int i, const std::string& s);  // a sorted list moves the line to its sorted place
  const std::vector<std::string>& Lines() const { return lines_; }

  int Add(const std::string& s);  // returns the index of the new line
  // A sorted list ignores the index and puts the line in its sorted place.
  void Insert(int i, const std::string& s);
  void AddStrings(const TStrings& other);
  void Delete(int i);
  void Clear();
  void Assign(const TStrings& other);  // lines only; this list keeps its own sorted mode

  int IndexOf(const std::string& s) const;  // ASCII case ignored; -1 when absent

  // NAME=value lines. A line without "=" has no name. Names compare ignoring ASCII case.
  int IndexOfName(const std::string& name) const;
  std::string Names(int i) const;
  std::string ValueFromIndex(int i) const;
  std::string Values(const std::string& name) const;                 // "" when absent
  void SetValue(const std::string& name, const std::string& value);  // replace first or add

  // Every line followed by CR LF. Setting splits on CR LF, CR or LF; a final line break does not
  // start another line.
  std::string Text() const;
  void SetText(const std::string& text);

  // Sorted lists keep their lines in StringListCompare order; equal lines are all kept, a new
  // one after those already there.
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);

  // Called after every change made through the methods above (once per call).
  std::function<void()> OnChange;

 private:
  void CheckIndex(int i) const;
  void Changed();
  int SortedInsertPosition(const std::string& s) const;
  void SortLines();

  std::vector<std::string> lines_;
  bool sorted_ = false;
};

class TStringList : public TStrings {
 public:
  using TStrings::TStrings;
  using TStrings::operator=;
};
