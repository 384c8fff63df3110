// Exports per second: the whole export of one test file (read, un-stuffed
// copy, decoding, computations, export text, atomic write, file date), and
// the composition alone without any file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_folder.h"
#include "fixtures/test_file_writer.h"
#include "records/export_text.h"
#include "records/exporter.h"

namespace {

using namespace tesmora;

using bench::Folder;

fixtures::Bytes InflationFile() {
  fixtures::InflationOptions options;
  options.kindDigit = '1';
  options.curveCount = 5;
  return fixtures::BuildInflationFile(fixtures::RealisticInflationTest(1, options));
}

fixtures::Bytes ConsistencyFile() {
  fixtures::ConsistencyOptions options;
  options.kindDigit = '5';
  options.halfSecondSteps = true;
  options.recalculation = true;
  options.sampleCount = 1100;
  return fixtures::BuildConsistencyFile(fixtures::RealisticConsistencyTest(1, options));
}

void WholeExport(benchmark::State& state, const char* name, const fixtures::Bytes& bytes) {
  Folder folder;
  std::ofstream(folder.path() + "/" + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  Exporter exporter(folder.path(), folder.path());
  const ExportSettings settings{1, "V3.21", 4};
  for (auto _ : state) {
    const Exporter::Outcome outcome = exporter.ExportTestFile(folder.path(), name, settings);
    if (!outcome.ok) state.SkipWithError("export failed");
  }
  state.SetItemsProcessed(state.iterations());
}

void Composition(benchmark::State& state, const char* name, const fixtures::Bytes& bytes) {
  const TestFamily family = DecodingFamily(KindDigitOf(name));
  const PreparedCopy copy = PrepareTestCopy(bytes, family, name, 1);
  const ExportSettings settings{1, "V3.21", 4};
  CustomerProtocolTables tables;
  auto exportState = std::make_unique<ExportState>();
  for (auto _ : state) {
    ComposedExport composed = ComposeExportText(copy.bytes, name, settings, tables, *exportState);
    benchmark::DoNotOptimize(composed.text.data());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ExportInflationFiveCurves(benchmark::State& state) {
  WholeExport(state, "03021001.126", InflationFile());
}
void BM_ExportConsistency1100Samples(benchmark::State& state) {
  WholeExport(state, "10221107.526", ConsistencyFile());
}
void BM_ComposeInflationFiveCurves(benchmark::State& state) {
  Composition(state, "03021001.126", InflationFile());
}
void BM_ComposeConsistency1100Samples(benchmark::State& state) {
  Composition(state, "10221107.526", ConsistencyFile());
}

BENCHMARK(BM_ExportInflationFiveCurves);
BENCHMARK(BM_ExportConsistency1100Samples);
BENCHMARK(BM_ComposeInflationFiveCurves);
BENCHMARK(BM_ComposeConsistency1100Samples);

}  // namespace

BENCHMARK_MAIN();
