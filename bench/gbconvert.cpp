// Throughput of the Big5 -> GB2312 and GB2312 -> Big5 conversion on a few megabytes of real
// Traditional Chinese text, next to memcpy and to iconv's BIG5 -> UTF-8 on the same text.
//
// The text is the Traditional Chinese (zh_TW) translations of the message catalogs that Debian
// packages install (/usr/share/locale/zh_TW/LC_MESSAGES/*.mo): user-interface sentences, mixed
// with ASCII as such texts are. They are converted from UTF-8 to Big5 (messages with characters
// Big5 lacks are left out) and repeated up to at least 4 MB.
//
//   bench_gbconvert [--tables DIR] [benchmark options]   (DIR defaults to <build>/tables)
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/FileBytes.h"
#include "i18n/CodeConversion.h"
#include "i18n/TableFolder.h"

namespace {

constexpr size_t kMinimumTextSize = 4 * 1000 * 1000;
const char* const kCatalogFolder = "/usr/share/locale/zh_TW/LC_MESSAGES";

// The translations (msgstr) of a GNU message catalog, header entry left out.
std::vector<std::string> CatalogTranslations(const std::vector<uint8_t>& mo) {
  std::vector<std::string> texts;
  const auto word = [&](size_t offset) -> uint32_t {
    if (offset + 4 > mo.size()) return 0;
    uint32_t value;
    std::memcpy(&value, mo.data() + offset, 4);
    return value;
  };
  if (word(0) != 0x950412de) return texts;  // little-endian catalogs only
  const uint32_t count = word(8), translations = word(16);
  for (uint32_t i = 1; i < count; ++i) {
    const uint32_t length = word(translations + 8 * i), offset = word(translations + 8 * i + 4);
    if (offset + static_cast<uint64_t>(length) > mo.size()) break;
    texts.emplace_back(reinterpret_cast<const char*>(mo.data()) + offset, length);
  }
  return texts;
}

bool Utf8ToBig5(iconv_t cd, const std::string& utf8, std::string& big5) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string in = utf8, out(utf8.size() * 2 + 16, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  size_t inLeft = in.size(), outLeft = out.size();
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
  big5.append(out.data(), outPtr);
  return true;
}

std::string RealBig5Text() {
  iconv_t cd = iconv_open("BIG5", "UTF-8");
  std::string corpus;
  size_t catalogs = 0, messages = 0;
  if (DIR* dir = opendir(kCatalogFolder)) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() < 4 || name.compare(name.size() - 3, 3, ".mo") != 0) continue;
      ++catalogs;
      for (const std::string& text :
           CatalogTranslations(ReadFileBytes(std::string(kCatalogFolder) + "/" + name))) {
        if (Utf8ToBig5(cd, text + "\n", corpus)) ++messages;
      }
    }
    closedir(dir);
  }
  iconv_close(cd);
  if (corpus.empty()) return corpus;
  const size_t unique = corpus.size();
  while (corpus.size() < kMinimumTextSize) corpus += corpus.substr(0, unique);
  std::printf("text: %zu messages of %zu zh_TW catalogs in Big5, %zu bytes, repeated to %zu\n",
              messages, catalogs, unique, corpus.size());
  return corpus;
}

std::string tablesFolder;
std::string big5Text;
std::string gbText;

ConversionTable Table(const char* name) {
  static TableFolderPlatform platform(tablesFolder);
  static const auto gbToBig = platform.LoadTable("GBTRSBIG");
  static const auto bigToGb = platform.LoadTable("BIGTRSGB");
  const auto& table = std::strcmp(name, "GBTRSBIG") == 0 ? gbToBig : bigToGb;
  return table ? table->Table() : ConversionTable{};
}

// One conversion as the converter makes it: a copy of the text, converted in place.
void Convert(benchmark::State& state, const std::string& text, TConvertDirect direct,
             const char* tableName) {
  const ConversionTable table = Table(tableName);
  for (auto _ : state) {
    std::string copy = text;
    benchmark::DoNotOptimize(ConvertPairs(copy, direct, table));
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_Big5ToGb2312(benchmark::State& state) {
  Convert(state, big5Text, BIGtoGB, "BIGTRSGB");
}
void BM_Gb2312ToBig5(benchmark::State& state) {
  Convert(state, gbText, GBtoBIG, "GBTRSBIG");
}

void BM_Memcpy(benchmark::State& state) {
  std::string copy(big5Text.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), big5Text.data(), big5Text.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * big5Text.size()));
}

void BM_IconvBig5ToUtf8(benchmark::State& state) {
  iconv_t cd = iconv_open("UTF-8", "BIG5");
  std::string in = big5Text, out(big5Text.size() * 2, '\0');
  for (auto _ : state) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
      state.SkipWithError("iconv failed on the text");
      break;
    }
    benchmark::DoNotOptimize(out.data());
  }
  iconv_close(cd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * big5Text.size()));
}

BENCHMARK(BM_Big5ToGb2312)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gb2312ToBig5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvBig5ToUtf8)->Unit(benchmark::kMillisecond);

// The console report followed by one line per run in megabytes (10^6 bytes) per second.
class MegabytesReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& reports) override {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
      const auto rate = run.counters.find("bytes_per_second");
      if (run.error_occurred || rate == run.counters.end()) continue;
      std::printf("  %-22s %10.1f MB/s\n", run.benchmark_name().c_str(), rate->second.value / 1e6);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (char* program = realpath(argv[0], nullptr)) {
    tablesFolder = BuildTablesFolder(program);
    std::free(program);
  }
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--tables") == 0) tablesFolder = argv[i + 1];
  }
  benchmark::Initialize(&argc, argv);
  if (!Table("GBTRSBIG").Data || !Table("BIGTRSGB").Data) {
    std::fprintf(stderr, "no conversion tables in %s\n", tablesFolder.c_str());
    return 1;
  }
  big5Text = RealBig5Text();
  if (big5Text.empty()) {
    std::fprintf(stderr, "no Traditional Chinese text found in %s\n", kCatalogFolder);
    return 1;
  }
  gbText = big5Text;
  ConvertPairs(gbText, BIGtoGB, Table("BIGTRSGB"));
  MegabytesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
