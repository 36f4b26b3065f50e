// Start-up time and resident memory of Lexmira against a bare Qt Widgets
// window showing one label, measured in the same run, offscreen.
//
// Each start runs in a freshly forked process, so it is a cold start of the
// application object and its resident memory is its own. The time runs from
// constructing QApplication to the first paint of the word field showing the
// remembered word of the largest library ("托福词汇", table "7", a row near its
// end); for a bare window, to the first paint of its label.
//
// Two bare windows are measured: one whose label shows the same word, and
// one whose label also carries Lexmira's Chinese texts, the goal's
// yardstick, since a Chinese interface cannot do without its font.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/messages.h"
#include "app/umain.h"
#include "bench_messages.h"
#include "data/settings_schema.h"
#include "data/settings_store.h"
#include "data/word_store.h"

namespace {

constexpr char kLargestLibraryName[] = "托福词汇";
constexpr char kLargestLibraryTable[] = "7";
constexpr size_t kRowsBeforeEnd = 10;  // the remembered row: this far from the end
constexpr int kIterations = 15;
// The Chinese texts Lexmira shows at start-up (labels, boxes, button, meaning).
constexpr char kChineseTexts[] = "选择词库：托福词汇 时间间隔：开始 a. 命中注定的，预定的";

struct Sample {
  double seconds = 0;      // wall-clock time
  double cpu_seconds = 0;  // the process's own processor time, less bent by load
  double rss_mib = 0;
};

struct Run {
  Sample lexmira, bare, bare_chinese;
};

struct Fixture {
  QTemporaryDir dir;
  std::string remembered_word;
};
Fixture* fixture = nullptr;
std::vector<Run> runs;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double ResidentMiB() {
  std::ifstream statm("/proc/self/statm");
  long total_pages = 0, resident_pages = 0;
  statm >> total_pages >> resident_pages;
  return static_cast<double>(resident_pages) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
         (1024.0 * 1024.0);
}

// Notes the first paint of a label once it shows `text`.
class FirstPaint : public QObject {
 public:
  FirstPaint(QLabel* label, QString text) : label_(label), text_(std::move(text)) {
    label_->installEventFilter(this);
  }
  bool painted() const { return painted_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == label_ && event->type() == QEvent::Paint && label_->text() == text_) {
      painted_ = true;
    }
    return false;
  }

 private:
  QLabel* const label_;
  const QString text_;
  bool painted_ = false;
};

struct Clock {
  std::chrono::steady_clock::time_point wall;
  double cpu_seconds;
};
Clock Now() { return {std::chrono::steady_clock::now(), CpuSeconds()}; }

// Runs the event loop until `paint` has seen its paint, then sends the time
// since `start` and the resident memory to `out` and ends the process.
[[noreturn]] void ReportWhenPainted(const FirstPaint& paint, Clock start, int out) {
  while (!paint.painted()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const Clock end = Now();
  const Sample sample{std::chrono::duration<double>(end.wall - start.wall).count(),
                      end.cpu_seconds - start.cpu_seconds, ResidentMiB()};
  _exit(write(out, &sample, sizeof sample) == sizeof sample ? 0 : 1);
}

[[noreturn]] void StartLexmira(int out) {
  const Clock start = Now();
  int argc = 1;
  char name[] = "lexmira";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  lexmira::SetUpApplication(application);
  lexmira::bench::StderrMessages messages;
  // Found as the program finds them: both lie beside it here.
  const lexmira::DatabaseLocations databases = lexmira::ResolveDatabaseLocations(
      QFile::encodeName(fixture->dir.path()).toStdString(),
      lexmira::LocationFacts::OfThisProcess());
  lexmira::TFmain window(databases, messages);
  const FirstPaint paint(window.LWord, QString::fromStdString(fixture->remembered_word));
  window.show();
  ReportWhenPainted(paint, start, out);
}

[[noreturn]] void StartBare(int out, const QString& text) {
  const Clock start = Now();
  int argc = 1;
  char name[] = "bare";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  QLabel label(text);
  const FirstPaint paint(&label, text);
  label.show();
  ReportWhenPainted(paint, start, out);
}

[[noreturn]] void StartBareWindow(int out) {
  StartBare(out, QString::fromStdString(fixture->remembered_word));
}

[[noreturn]] void StartBareChineseWindow(int out) {
  StartBare(out, QString::fromStdString(fixture->remembered_word) + QLatin1Char(' ') +
                     QString::fromUtf8(kChineseTexts));
}

Sample InChild(void (*start)(int)) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) std::abort();
  const pid_t child = fork();
  if (child == 0) {
    close(pipe_ends[0]);
    start(pipe_ends[1]);
  }
  close(pipe_ends[1]);
  Sample sample;
  const bool complete = read(pipe_ends[0], &sample, sizeof sample) == sizeof sample;
  close(pipe_ends[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "a measured start-up failed\n");
    std::abort();
  }
  return sample;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Min(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

template <typename Field>
std::vector<double> Column(Field field) {
  std::vector<double> values;
  for (const Run& run : runs) values.push_back(field(run));
  return values;
}

// One iteration starts each window once, Lexmira and its yardstick in
// alternating order, so that a change in the machine's load falls on both
// alike. The iteration's time is Lexmira's.
void BM_StartUp(benchmark::State& state) {
  bool bare_first = true;
  for (auto _ : state) {
    Run run;
    if (bare_first) run.bare = InChild(StartBareWindow);
    run.lexmira = InChild(StartLexmira);
    if (!bare_first) run.bare = InChild(StartBareWindow);
    run.bare_chinese = InChild(StartBareChineseWindow);
    bare_first = !bare_first;
    state.SetIterationTime(run.lexmira.seconds);
    runs.push_back(run);
  }
  state.counters["bare_ms"] =
      Median(Column([](const Run& r) { return r.bare_chinese.seconds * 1e3; }));
  state.counters["ratio"] =
      Median(Column([](const Run& r) { return r.lexmira.seconds / r.bare_chinese.seconds; }));
  state.counters["rss_MiB"] = Median(Column([](const Run& r) { return r.lexmira.rss_mib; }));
  state.counters["bare_rss_MiB"] =
      Median(Column([](const Run& r) { return r.bare_chinese.rss_mib; }));
}
BENCHMARK(BM_StartUp)->UseManualTime()->Iterations(kIterations)->Unit(benchmark::kMillisecond);

void PrintSummary() {
  if (runs.empty()) return;
  struct Row {
    const char* name;
    Sample Run::*sample;
  };
  const Row rows[] = {{"Lexmira", &Run::lexmira},
                      {"bare window", &Run::bare},
                      {"bare window, Chinese label", &Run::bare_chinese}};
  std::printf("\n%-28s %8s %10s %8s %10s %8s\n", "", "min ms", "median ms", "min cpu",
              "median cpu", "RSS MiB");
  for (const Row& row : rows) {
    std::vector<double> wall, cpu, rss;
    for (const Run& run : runs) {
      wall.push_back((run.*row.sample).seconds * 1e3);
      cpu.push_back((run.*row.sample).cpu_seconds * 1e3);
      rss.push_back((run.*row.sample).rss_mib);
    }
    std::printf("%-28s %8.1f %10.1f %8.1f %10.1f %8.1f\n", row.name, Min(wall), Median(wall),
                Min(cpu), Median(cpu), Median(rss));
  }
  const auto ratio = [](double Sample::*field) {
    return Median(
        Column([field](const Run& r) { return r.lexmira.*field / r.bare_chinese.*field; }));
  };
  std::printf("Lexmira / bare window with the Chinese label, median of pairs: start-up %.2fx "
              "(cpu %.2fx; goal <= 1.25x), resident memory %.2fx (goal <= 1.2x)\n",
              ratio(&Sample::seconds), ratio(&Sample::cpu_seconds), ratio(&Sample::rss_mib));
}

// A program directory with the built words.mdb and a set.mdb remembering a
// row near the end of the largest library.
void PrepareFixture() {
  fixture = new Fixture;
  const QString words = QDir(fixture->dir.path()).filePath(QStringLiteral("words.mdb"));
  if (!QFile::copy(QStringLiteral(LEXMIRA_WORDS_MDB), words)) {
    std::fprintf(stderr, "cannot copy %s\n", LEXMIRA_WORDS_MDB);
    std::exit(1);
  }
  lexmira::WordStore library;
  library.SetDatabasePath(QFile::encodeName(words).toStdString());
  library.OpenLibrary(kLargestLibraryTable);
  std::vector<std::pair<std::string, std::string>> rows;  // id, word
  for (;;) {
    rows.emplace_back(library.Field("id"), library.Field("word"));
    library.Next();
    if (library.Field("id") == rows.back().first) break;  // Next stays on the last row
  }
  const auto& [id, word] = rows[rows.size() - std::min(rows.size(), kRowsBeforeEnd)];
  fixture->remembered_word = word;

  const std::string settings =
      QFile::encodeName(QDir(fixture->dir.path()).filePath(QStringLiteral("set.mdb")))
          .toStdString();
  if (const jet::Status created = lexmira::CreateSettingsDatabase(settings); !created.ok()) {
    std::fprintf(stderr, "%s\n", created.message().c_str());
    std::exit(1);
  }
  lexmira::SettingsStore store;
  store.Open(settings);
  store.SaveSetting("class", kLargestLibraryName);
  store.SaveSetting("id", id);
  std::printf("remembered row: id %s, word '%s', %zu rows in table %s\n", id.c_str(),
              word.c_str(), rows.size(), kLargestLibraryTable);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  PrepareFixture();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintSummary();
  return 0;
}
