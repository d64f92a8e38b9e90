// The engine's configuration reader on any file content: whatever it keeps must save, and the
// saved text must read back to the same aliases and save to the same text again, so that no
// file, however damaged, can stop later saves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dbengine/AliasConfig.h"
#include "framework/Exceptions.h"

namespace {

bool SameAliases(const AliasConfig& a, const AliasConfig& b) {
  if (a.Entries().size() != b.Entries().size()) return false;
  for (size_t i = 0; i < a.Entries().size(); ++i) {
    const AliasEntry& x = a.Entries()[i];
    const AliasEntry& y = b.Entries()[i];
    if (x.name != y.name || x.params.Lines() != y.params.Lines()) return false;
  }
  return true;
}

std::string SaveOrAbort(const AliasConfig& config) {
  try {
    return config.Serialise();
  } catch (const EDatabaseError&) {
    std::abort();  // read, yet refused by the writer: the file would lock every later save
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const AliasConfig config =
      AliasConfig::Parse(std::string(reinterpret_cast<const char*>(data), size));
  const std::string saved = SaveOrAbort(config);
  const AliasConfig again = AliasConfig::Parse(saved);
  if (!SameAliases(config, again) || SaveOrAbort(again) != saved) std::abort();
  return 0;
}
