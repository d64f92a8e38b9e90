// LZRW1 container speed and ratio against LZ4 (default level) and memcpy, on a mixed corpus of
// about 10 MB made of this machine's programs (/usr/bin) and texts (/usr/share/doc), taken in
// name order so that a machine gives the same corpus every run. Prints Google Benchmark's table,
// then a summary with the LZRW1 figures as fractions of LZ4's.
#include <benchmark/benchmark.h>
#include <lz4.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "components/ZipLzImp.h"
#include "framework/MemoryStream.h"

namespace {

constexpr size_t CorpusHalf = 5 * 1024 * 1024;

bool HasSuffix(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Appends whole regular files below folder (already compressed ones left out) until `limit`
// bytes came from it.
void AppendFiles(const std::string& folder, size_t limit, std::vector<uint8_t>& corpus) {
  namespace fs = std::filesystem;
  std::vector<fs::path> paths;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().string();
    if (it->is_symlink() || !it->is_regular_file() || HasSuffix(name, ".gz")) continue;
    paths.push_back(it->path());
  }
  std::sort(paths.begin(), paths.end());
  size_t taken = 0;
  for (const fs::path& path : paths) {
    if (taken >= limit) break;
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    bytes.resize(std::min(bytes.size(), limit - taken));
    corpus.insert(corpus.end(), bytes.begin(), bytes.end());
    taken += bytes.size();
  }
}

const std::vector<uint8_t>& Corpus() {
  static const std::vector<uint8_t> corpus = [] {
    std::vector<uint8_t> bytes;
    AppendFiles("/usr/bin", CorpusHalf, bytes);
    AppendFiles("/usr/share/doc", CorpusHalf, bytes);
    return bytes;
  }();
  return corpus;
}

TMemoryStream StreamOf(const uint8_t* data, size_t size) {
  TMemoryStream stream;
  stream.Write(data, size);
  stream.Seek(0);
  return stream;
}

const TMemoryStream& Container() {
  static const TMemoryStream container = [] {
    TMemoryStream source = StreamOf(Corpus().data(), Corpus().size()), packed;
    CompressStream(source, packed);
    return packed;
  }();
  return container;
}

const std::vector<char>& Lz4Packed() {
  static const std::vector<char> packed = [] {
    const std::vector<uint8_t>& corpus = Corpus();
    std::vector<char> out(LZ4_compressBound(static_cast<int>(corpus.size())));
    out.resize(LZ4_compress_default(reinterpret_cast<const char*>(corpus.data()), out.data(),
                                    static_cast<int>(corpus.size()), static_cast<int>(out.size())));
    return out;
  }();
  return packed;
}

void Finish(benchmark::State& state, size_t packedSize) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Corpus().size()));
  state.counters["ratio"] = static_cast<double>(packedSize) / static_cast<double>(Corpus().size());
}

void Lzrw1Compress(benchmark::State& state) {
  TMemoryStream source = StreamOf(Corpus().data(), Corpus().size()), packed;
  for (auto _ : state) {
    source.Seek(0);
    packed.Clear();
    benchmark::DoNotOptimize(CompressStream(source, packed));
  }
  Finish(state, packed.Size());
}

void Lzrw1Decompress(benchmark::State& state) {
  TMemoryStream source = StreamOf(Container().Memory(), Container().Size()), plain;
  for (auto _ : state) {
    source.Seek(0);
    plain.Clear();
    benchmark::DoNotOptimize(DecompressStream(source, plain));
  }
  if (plain.Bytes() != Corpus()) state.SkipWithError("decoded bytes differ");
  Finish(state, Container().Size());
}

// The block coder alone, without the container and the streams around it: every block of the
// corpus coded in one call, side by side as the stream codes them, or decoded one by one.
void Lzrw1Blocks(benchmark::State& state, bool decode) {
  const std::vector<uint8_t>& corpus = Corpus();
  constexpr size_t BodyRoom = ZipBlockSize + ZipCodedSlack;
  std::vector<ZipBlockJob> jobs;
  for (size_t at = 0; at < corpus.size(); at += ZipBlockSize)
    jobs.push_back({corpus.data() + at, nullptr, std::min(ZipBlockSize, corpus.size() - at)});
  std::vector<uint8_t> bodies(jobs.size() * BodyRoom), plain(ZipDecodeCapacity);
  for (size_t i = 0; i < jobs.size(); ++i) jobs[i].output = bodies.data() + i * BodyRoom;
  CompressBlocks(jobs.data(), jobs.size());
  for (auto _ : state) {
    if (!decode) {
      CompressBlocks(jobs.data(), jobs.size());
      continue;
    }
    for (const ZipBlockJob& job : jobs)
      benchmark::DoNotOptimize(DecompressBlock(job.output, plain.data(), job.length));
  }
  Finish(state, Container().Size());
}

void Lz4Compress(benchmark::State& state) {
  const std::vector<uint8_t>& corpus = Corpus();
  std::vector<char> out(LZ4_compressBound(static_cast<int>(corpus.size())));
  int packedSize = 0;
  for (auto _ : state) {
    packedSize =
        LZ4_compress_default(reinterpret_cast<const char*>(corpus.data()), out.data(),
                             static_cast<int>(corpus.size()), static_cast<int>(out.size()));
    benchmark::DoNotOptimize(packedSize);
  }
  Finish(state, static_cast<size_t>(packedSize));
}

void Lz4Decompress(benchmark::State& state) {
  const std::vector<char>& packed = Lz4Packed();
  std::vector<char> out(Corpus().size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(LZ4_decompress_safe(
        packed.data(), out.data(), static_cast<int>(packed.size()), static_cast<int>(out.size())));
  }
  if (std::memcmp(out.data(), Corpus().data(), out.size()) != 0) {
    state.SkipWithError("decoded bytes differ");
  }
  Finish(state, packed.size());
}

void Memcpy(benchmark::State& state) {
  std::vector<uint8_t> out(Corpus().size());
  for (auto _ : state) {
    std::memcpy(out.data(), Corpus().data(), out.size());
    benchmark::ClobberMemory();
  }
  Finish(state, out.size());
}

// Keeps each benchmark's speed and ratio by name for the summary.
// The highest of the repetitions' values: for a speed, the repetition least slowed down by
// other work on the host, which can only ever slow a run down.
double Highest(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// Keeps each benchmark's speed (median and highest of the repetitions) and ratio by name.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> medianMegabytesPerSecond;
  std::map<std::string, double> highestMegabytesPerSecond;
  std::map<std::string, double> ratio;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate) continue;
      const std::string name = run.run_name.function_name;
      const auto bytes = run.counters.find("bytes_per_second");
      if (bytes != run.counters.end() && run.aggregate_name == "median") {
        medianMegabytesPerSecond[name] = bytes->second.value / 1e6;
      }
      if (bytes != run.counters.end() && run.aggregate_name == "max") {
        highestMegabytesPerSecond[name] = bytes->second.value / 1e6;
      }
      const auto packed = run.counters.find("ratio");
      if (packed != run.counters.end()) ratio[name] = packed->second.value;
    }
  }
};

void PrintSummary(SummaryReporter& report) {
  auto median = [&report](const char* name) { return report.medianMegabytesPerSecond[name]; };
  auto highest = [&report](const char* name) { return report.highestMegabytesPerSecond[name]; };
  std::printf("\ncorpus: %zu bytes (/usr/bin and /usr/share/doc)\n", Corpus().size());
  std::printf("%-24s %10s %8s %12s %8s %8s\n", "", "MB/s", "x LZ4", "highest MB/s", "x LZ4",
              "ratio");
  const struct {
    const char* name;
    const char* peer;
  } rows[] = {{"lzrw1_compress", "lz4_compress"},
              {"lzrw1_decompress", "lz4_decompress"},
              {"lzrw1_block_compress", "lz4_compress"},
              {"lzrw1_block_decompress", "lz4_decompress"},
              {"lz4_compress", "lz4_compress"},
              {"lz4_decompress", "lz4_decompress"},
              {"memcpy", "lz4_decompress"}};
  for (const auto& row : rows) {
    std::printf("%-24s %10.1f %8.2f %12.1f %8.2f %8.3f\n", row.name, median(row.name),
                median(row.name) / median(row.peer), highest(row.name),
                highest(row.name) / highest(row.peer), report.ratio[row.name]);
  }
  std::printf("MB/s: median of the repetitions; highest: the fastest repetition\n");
  std::printf("goal: compression >= 0.80 x LZ4, decompression >= 0.50 x LZ4\n");
}

}  // namespace

int main(int argc, char** argv) {
  // This machine's speed drifts (other work on the same host): repetitions of all benchmarks are
  // interleaved at random, so that a slow spell does not fall on one side of a comparison. Options
  // given on the command line come after these and override them.
  std::vector<char*> arguments(argv, argv + argc);
  char repetitions[] = "--benchmark_repetitions=15";
  char interleaving[] = "--benchmark_enable_random_interleaving=true";
  char aggregates[] = "--benchmark_report_aggregates_only=true";
  arguments.insert(arguments.begin() + 1, {repetitions, interleaving, aggregates});
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  if (Corpus().empty()) {
    std::fputs("bench_lzrw1: no files found for the corpus\n", stderr);
    return 1;
  }
  auto add = [](benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)->ComputeStatistics("max", Highest);
  };
  add(benchmark::RegisterBenchmark("lzrw1_compress", Lzrw1Compress));
  add(benchmark::RegisterBenchmark("lzrw1_decompress", Lzrw1Decompress));
  add(benchmark::RegisterBenchmark("lzrw1_block_compress", Lzrw1Blocks, false));
  add(benchmark::RegisterBenchmark("lzrw1_block_decompress", Lzrw1Blocks, true));
  add(benchmark::RegisterBenchmark("lz4_compress", Lz4Compress));
  add(benchmark::RegisterBenchmark("lz4_decompress", Lz4Decompress));
  add(benchmark::RegisterBenchmark("memcpy", Memcpy));
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter);
  benchmark::Shutdown();
  return 0;
}
