// Data source names on any bytes, under the lead bytes of a double-byte and of a single-byte
// code page: what registration accepts the existing-name rule accepts too, an accepted name
// holds no NUL and no control byte, and on the single-byte page no backslash. The name quoted as
// an identifier for a connection character set is read back by a model of the server's lexer
// (its own byte ranges for big5 and gbk) as exactly the name, ending at the closing backquote.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dbengine/DataSourceName.h"
#include "dbengine/SqlIdentifier.h"
#include "framework/Exceptions.h"

namespace {
bool ChineseLead(unsigned char c) {
  return c >= 0x81 && c <= 0xfe;
}
bool NoLead(unsigned char) {
  return false;
}

void CheckNameRule(const std::string& name, LeadByteTest lead) {
  const DataSourceNameFault existing = CheckExistingDataSourceName(name, lead);
  if (CheckNewDataSourceName(name, lead) == DataSourceNameFault::None &&
      existing != DataSourceNameFault::None) {
    std::abort();
  }
  if (existing != DataSourceNameFault::None) return;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) std::abort();
    if (lead == NoLead && c == '\\') std::abort();
  }
}

// How the server reads a two-byte character in a backquoted identifier.
struct Lexer {
  const char* charset;
  unsigned char leadLow, leadHigh;
  bool (*trail)(unsigned char);
};
const Lexer kLexers[] = {
    {"latin1", 1, 0, nullptr},
    {"utf8mb4", 1, 0, nullptr},
    {"big5", 0xa1, 0xf9,
     [](unsigned char c) { return (c >= 0x40 && c <= 0x7e) || (c >= 0xa1 && c <= 0xfe); }},
    {"gbk", 0x81, 0xfe,
     [](unsigned char c) { return (c >= 0x40 && c <= 0x7e) || (c >= 0x80 && c <= 0xfe); }},
};

// The identifier the server reads from quoted, or abort when it does not end exactly at the end.
std::string ReadBack(const std::string& quoted, const Lexer& lexer) {
  if (quoted.size() < 2 || quoted[0] != '`') std::abort();
  std::string name;
  for (size_t i = 1; i < quoted.size();) {
    const auto c = static_cast<unsigned char>(quoted[i]);
    if (lexer.trail && c >= lexer.leadLow && c <= lexer.leadHigh && i + 1 < quoted.size() &&
        lexer.trail(static_cast<unsigned char>(quoted[i + 1]))) {
      name += quoted.substr(i, 2);
      i += 2;
    } else if (c == '`') {
      if (i + 1 < quoted.size() && quoted[i + 1] == '`') {
        name += '`';
        i += 2;
      } else {
        if (i + 1 != quoted.size()) std::abort();  // the identifier ended early
        return name;
      }
    } else {
      name += static_cast<char>(c);
      ++i;
    }
  }
  std::abort();  // never closed
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name(reinterpret_cast<const char*>(data), size);
  CheckNameRule(name, ChineseLead);
  CheckNameRule(name, NoLead);
  for (const Lexer& lexer : kLexers) {
    std::string quoted;
    try {
      quoted = QuoteIdentifier(name, lexer.charset);
    } catch (const EDatabaseError&) {
      continue;  // a character cut short at the end
    }
    if (ReadBack(quoted, lexer) != name) std::abort();
  }
  return 0;
}
