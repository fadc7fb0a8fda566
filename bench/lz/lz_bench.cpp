// Throughput of the LZ codec beside zlib on the same Intel-HEX text, in MB/s of uncompressed
// data. The codec runs file to file as the program uses it; zlib runs in memory.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "lz/lz_compress.h"
#include "lz/lz_decompress.h"
#include "tests/files/temp_folder.h"
#include "tests/lz/sample_data.h"

namespace {

using testing_support::Bytes;

constexpr std::size_t kCorpusSize = 4 << 20;
constexpr int kZlibLevel = 6;

struct Corpus {
  testing_support::TempFolder folder;
  Bytes hex = lz_samples::IntelHexText(kCorpusSize, 2024);
  std::string hexPath = folder.Write("image.hex", hex);
  std::string archivePath = folder.Path("image.he~");
  std::string scratchPath = folder.Path("scratch");
  Bytes deflated;
  std::size_t archiveSize = 0;
};

Bytes Deflate(const Bytes& data) {
  uLongf size = compressBound(data.size());
  Bytes out(size);
  if (compress2(out.data(), &size, data.data(), data.size(), kZlibLevel) != Z_OK) {
    throw std::runtime_error("deflate failed");
  }
  out.resize(size);
  return out;
}

void SetThroughput(benchmark::State& state, const Corpus& corpus, std::size_t compressedSize) {
  // Shown as MB per second ("MB ... /s").
  state.counters["MB"] = benchmark::Counter(static_cast<double>(corpus.hex.size()) / 1e6,
                                            benchmark::Counter::kIsIterationInvariantRate);
  state.counters["ratio"] =
      static_cast<double>(compressedSize) / static_cast<double>(corpus.hex.size());
}

void LZExpand(benchmark::State& state, const Corpus& corpus) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        lz::LZDecompressFile(corpus.archivePath, corpus.scratchPath, nullptr, nullptr));
  }
  SetThroughput(state, corpus, corpus.archiveSize);
}

void LZCompress(benchmark::State& state, const Corpus& corpus) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        lz::LZCompressFile(corpus.hexPath, corpus.scratchPath, nullptr, nullptr));
  }
  SetThroughput(state, corpus, corpus.archiveSize);
}

void ZlibInflate(benchmark::State& state, const Corpus& corpus) {
  Bytes out(corpus.hex.size());
  for (auto _ : state) {
    uLongf size = out.size();
    if (uncompress(out.data(), &size, corpus.deflated.data(), corpus.deflated.size()) != Z_OK) {
      state.SkipWithError("inflate failed");
    }
    benchmark::DoNotOptimize(out.data());
  }
  SetThroughput(state, corpus, corpus.deflated.size());
}

void ZlibDeflate(benchmark::State& state, const Corpus& corpus) {
  for (auto _ : state)
    benchmark::DoNotOptimize(Deflate(corpus.hex));
  SetThroughput(state, corpus, corpus.deflated.size());
}

// Shows the table as usual and keeps each benchmark's throughput for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto counter = run.counters.find("MB");
      if (counter != run.counters.end()) throughput[run.benchmark_name()] = counter->second.value;
    }
  }
  std::map<std::string, double> throughput;
};

void PrintComparison(const char* what, double lz, double zlib, double target) {
  std::printf("%-9s LZ %8.1f MB/s, zlib %8.1f MB/s: LZ/zlib %.2f (target at least %.2f)\n", what,
              lz, zlib, lz / zlib, target);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Corpus corpus;
  corpus.archiveSize = static_cast<std::size_t>(
      lz::LZCompressFile(corpus.hexPath, corpus.archivePath, nullptr, nullptr));
  corpus.deflated = Deflate(corpus.hex);

  benchmark::RegisterBenchmark("LZ/expand", LZExpand, std::cref(corpus))->UseRealTime();
  benchmark::RegisterBenchmark("zlib/inflate", ZlibInflate, std::cref(corpus))->UseRealTime();
  benchmark::RegisterBenchmark("LZ/compress", LZCompress, std::cref(corpus))->UseRealTime();
  benchmark::RegisterBenchmark("zlib/deflate6", ZlibDeflate, std::cref(corpus))->UseRealTime();

  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\nCorpus: %zu bytes of Intel-HEX text\n", corpus.hex.size());
  std::printf("Size ratio: LZ archive %.3f, zlib level %d %.3f\n",
              static_cast<double>(corpus.archiveSize) / static_cast<double>(corpus.hex.size()),
              kZlibLevel,
              static_cast<double>(corpus.deflated.size()) / static_cast<double>(corpus.hex.size()));
  auto& t = reporter.throughput;
  if (t.count("LZ/expand/real_time") && t.count("zlib/inflate/real_time")) {
    PrintComparison("expand", t["LZ/expand/real_time"], t["zlib/inflate/real_time"], 1.0);
  }
  if (t.count("LZ/compress/real_time") && t.count("zlib/deflate6/real_time")) {
    PrintComparison("compress", t["LZ/compress/real_time"], t["zlib/deflate6/real_time"], 0.5);
  }
  return 0;
}
