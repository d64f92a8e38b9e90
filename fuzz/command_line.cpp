// The command-line splitter on any line: words never hold a quote or a NUL, an empty word can
// only be the last (a quote left open at the end), each word is what CommandLineArgument gives
// for its index (the program asks for the first few), and the words, each quoted again, split
// back into the same words.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/CommandLine.h"

namespace {

constexpr size_t kArgumentsAskedFor = 4;  // data source name, server, password, "AUTO"

std::string Requoted(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words)
    line += word.empty() ? std::string(" \"") : " \"" + word + "\"";
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> words = SplitCommandLine(line);
  for (size_t i = 0; i < words.size(); ++i) {
    if (words[i].find_first_of(std::string("\"\0", 2)) != std::string::npos) std::abort();
    if (words[i].empty() && i + 1 != words.size()) std::abort();
    if (i <= kArgumentsAskedFor && CommandLineArgument(line, static_cast<int>(i)) != words[i])
      std::abort();
  }
  if (!CommandLineArgument(line, static_cast<int>(words.size())).empty()) std::abort();
  if (SplitCommandLine(Requoted(words)) != words) std::abort();
  return 0;
}
