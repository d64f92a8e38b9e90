#pragma once
// A Windows profile (INI) file, read and written through the platform's private-profile calls:
// sections by name, keys compared without regard to case, the first occurrence of a key wins.
// Texts of any length are read whole.
#include <string>

class TStrings;

class TIniFile {
 public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Creates the file, the section and the key as needed. Raises EProfileError
  // "Unable to write to %s" (the file's path) when the entry cannot be written.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // The section's key names in file order (cleared first).
  void ReadSection(const std::string& section, TStrings& keys) const;
  // The section as key=value lines in file order (cleared first): each key once, and a key with
  // an empty value gives no line.
  void ReadSectionValues(const std::string& section, TStrings& lines) const;
  // A section exists when it holds at least one key.
  bool SectionExists(const std::string& section) const;
  // Removes the section with all its keys; raises EProfileError like WriteString.
  void EraseSection(const std::string& section);

 private:
  void WriteEntry(const char* section, const char* key, const char* value);

  std::string fileName_;
};
