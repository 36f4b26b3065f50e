// `lexmira-mdb build-words` for all eight word lists (about 39 000 words),
// as a whole process. Goal: at most 0.5 s.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_util.h"

namespace {

void BM_BuildWords(benchmark::State& state) {
  const std::string file = jet_bench::ScratchDir() + "/words.mdb";
  const std::string command =
      std::string(LEXMIRA_MDB_TOOL) + " build-words " + file + " " + LEXMIRA_WORDLISTS_DIR;
  for (auto _ : state) {
    jet_bench::Run(command);
    state.PauseTiming();
    std::remove(file.c_str());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildWords)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5)
    ->ComputeStatistics("min", jet_bench::Min);

}  // namespace

BENCHMARK_MAIN();
