#include "dbengine/SqlIdentifier.h"

std::string QuoteIdentifier(const std::string& name) {
  std::string quoted = "`";
  for (char c : name) {
    if (c == '`') quoted += '`';
    quoted += c;
  }
  return quoted + '`';
}
