// A full scan of a 100 000-row, four-column table made by our writer:
// `lexmira-mdb export` against Debian's `mdb-export`, each a whole process
// writing to /dev/null. Goal: ours at least 3 times faster ("ratio").
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench_util.h"
#include "jet/database.h"
#include "jet/table.h"

namespace {

constexpr int kRows = 100000;

const std::string& TableFile() {
  static const std::string path = [] {
    const std::string file = jet_bench::ScratchDir() + "/scan.mdb";
    std::unique_ptr<jet::Database> db;
    std::unique_ptr<jet::Table> table;
    jet::Status s = jet::Database::Create(file, &db);
    if (s.ok()) {
      s = db->CreateTable("t", {{"id", jet::ColumnType::kLongInteger},
                                {"word", jet::ColumnType::kText, 255},
                                {"mean", jet::ColumnType::kText, 255},
                                {"class", jet::ColumnType::kText, 255}});
    }
    if (s.ok()) s = db->OpenTable("t", &table);
    std::vector<jet::RowValues> rows;
    for (int i = 1; i <= kRows; ++i) {
      rows.push_back({std::to_string(i), "word" + std::to_string(i),
                      "3D382A727CE78488F1E8FA7C32" + std::to_string(i), "四级词汇"});
    }
    if (s.ok()) s = table->Insert(rows);
    if (!s.ok()) {
      std::fprintf(stderr, "%s\n", s.message().c_str());
      std::exit(1);
    }
    return file;
  }();
  return path;
}

double SecondsToRun(const std::string& command) {
  const auto start = std::chrono::steady_clock::now();
  jet_bench::Run(command);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ExportScan(benchmark::State& state) {
  const std::string file = TableFile();
  const std::string ours = std::string(LEXMIRA_MDB_TOOL) + " export " + file + " t >/dev/null";
  const std::string theirs = "mdb-export " + file + " t >/dev/null";
  double ours_total = 0;
  double theirs_total = 0;
  for (auto _ : state) {
    const double ours_seconds = SecondsToRun(ours);
    theirs_total += SecondsToRun(theirs);
    ours_total += ours_seconds;
    state.SetIterationTime(ours_seconds);
  }
  state.counters["mdb_export_ms"] = 1000 * theirs_total / state.iterations();
  state.counters["ratio"] = theirs_total / ours_total;
}
BENCHMARK(BM_ExportScan)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5)
    ->ComputeStatistics("min", jet_bench::Min);

}  // namespace

BENCHMARK_MAIN();
