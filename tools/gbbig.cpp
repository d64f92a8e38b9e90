// Converts a text file between GB2312 and Big5 with the program's own conversion tables, for
// translators preparing language files.
//
//   gbbig [--tables DIR] --to-gb|--to-big5 IN OUT
//
// DIR holds GBTRSBIG and BIGTRSGB as the build generates them; by default the build's tables/
// folder beside this program's folder. Each line is converted on its own, so a line break is
// never taken for the trail byte of a pair.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/FileBytes.h"
#include "i18n/CodeConversion.h"
#include "i18n/TableFolder.h"

namespace {

struct Options {
  std::string tables;
  TConvertDirect direct = BIGtoGB;
  std::string in, out;
};

int Usage(const char* program) {
  std::fprintf(stderr, "usage: %s [--tables DIR] --to-gb|--to-big5 IN OUT\n", program);
  return 2;
}

// The build's tables folder: <build>/tables beside <build>/tools, where this program lives.
std::string DefaultTablesFolder() {
  std::vector<char> path(PATH_MAX + 1);
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return "tables";
  return BuildTablesFolder(std::string(path.data(), static_cast<size_t>(length)));
}

bool ParseOptions(int argc, char** argv, Options& options) {
  bool haveDirection = false;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--tables" && i + 1 < argc) {
      options.tables = argv[++i];
    } else if (arg == "--to-gb" || arg == "--to-big5") {
      options.direct = arg == "--to-gb" ? BIGtoGB : GBtoBIG;
      haveDirection = true;
    } else if (!arg.empty() && arg[0] != '-') {
      files.push_back(arg);
    } else {
      return false;
    }
  }
  if (!haveDirection || files.size() != 2) return false;
  options.in = files[0];
  options.out = files[1];
  if (options.tables.empty()) options.tables = DefaultTablesFolder();
  return true;
}

// Converts every stretch between line-break bytes; returns the number of pairs left unchanged.
int ConvertLineByLine(std::string& text, TConvertDirect direct, const ConversionTable& table) {
  int failures = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    failures += ConvertPairs(line, direct, table);
    text.replace(start, line.size(), line);
    start = end + 1;
  }
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) return Usage(argv[0]);
  TableFolderPlatform tables(options.tables);
  const auto table = tables.LoadTable(options.direct == GBtoBIG ? "GBTRSBIG" : "BIGTRSGB");
  if (!table) {
    std::fprintf(stderr, "gbbig: no conversion tables in %s\n", options.tables.c_str());
    return 1;
  }
  try {
    const std::vector<uint8_t> bytes = ReadFileBytes(options.in);
    std::string text(bytes.begin(), bytes.end());
    const int failures = ConvertLineByLine(text, options.direct, table->Table());
    WriteFileBytes(options.out, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (failures > 0) {
      std::fprintf(stderr, "gbbig: %d byte pairs outside the table were left unchanged\n",
                   failures);
    }
  } catch (const Exception& e) {
    std::fprintf(stderr, "gbbig: %s\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
