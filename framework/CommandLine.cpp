#include "framework/CommandLine.h"

#include <cstddef>

namespace {
// A NUL byte ends the line just as the end of the text does.
bool AtEnd(const std::string& line, std::size_t pos) {
  return pos >= line.size() || line[pos] == 0;
}

bool IsSeparator(const std::string& line, std::size_t pos) {
  const unsigned char c = static_cast<unsigned char>(line[pos]);
  return c >= 1 && c <= 32;
}

bool IsQuote(const std::string& line, std::size_t pos) {
  return pos < line.size() && line[pos] == '"';
}

// Skips separators and every pair of quotes that stands at the start of the next word.
std::size_t SkipToWord(const std::string& line, std::size_t pos) {
  for (;;) {
    while (!AtEnd(line, pos) && IsSeparator(line, pos)) ++pos;
    if (IsQuote(line, pos) && IsQuote(line, pos + 1)) {
      pos += 2;
      continue;
    }
    return pos;
  }
}

// Reads one word starting at `pos` into `word`; returns the position after it. The word grows
// as needed, so neither a long plain word nor a long quoted stretch is cut or overruns.
std::size_t ReadWord(const std::string& line, std::size_t pos, std::string& word) {
  while (!AtEnd(line, pos) && !IsSeparator(line, pos)) {
    if (line[pos] != '"') {
      word += line[pos++];
      continue;
    }
    ++pos;
    while (!AtEnd(line, pos) && line[pos] != '"') word += line[pos++];
    if (!AtEnd(line, pos)) ++pos;
  }
  return pos;
}
}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> words;
  std::size_t pos = SkipToWord(line, 0);
  while (!AtEnd(line, pos)) {
    std::string word;
    pos = SkipToWord(line, ReadWord(line, pos, word));
    words.push_back(std::move(word));
  }
  return words;
}

std::string CommandLineArgument(const std::string& line, int index) {
  const std::vector<std::string> words = SplitCommandLine(line);
  if (index < 0 || static_cast<std::size_t>(index) >= words.size()) return std::string();
  return words[static_cast<std::size_t>(index)];
}
