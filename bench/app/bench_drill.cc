// The drill's costs in the window, offscreen, over the shipped words.mdb:
// one tick (move, read, decipher, three fields set; no speech), choosing the
// largest library from the box's change to its label in the class field,
// opening a pop-up menu, and how late the precise timer delivers ticks at a
// fast pace.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/application.h"
#include "app/messages.h"
#include "app/umain.h"
#include "bench_messages.h"

namespace {

constexpr char kLargestLibraryName[] = "托福词汇";
constexpr char kLargestLibraryLabel[] = "托福词汇";
constexpr int kTicksBeforeReopen = 5000;  // well inside the largest library
constexpr int kPaceMs = 20;
constexpr int kMeasuredTicks = 500;

struct Fixture {
  QTemporaryDir dir;
  lexmira::bench::StderrMessages messages;
  std::unique_ptr<lexmira::TFmain> window;
};
Fixture* fixture = nullptr;

void ChooseLibrary(lexmira::TFmain& window, const char* name) {
  {
    const QSignalBlocker program_sets_text(window.ComboBox1);
    window.ComboBox1->setEditText(QString::fromUtf8(name));
  }
  window.ComboBox1Change();
}

void BM_Tick(benchmark::State& state) {
  lexmira::TFmain& window = *fixture->window;
  ChooseLibrary(window, kLargestLibraryName);
  window.BStopClick();
  int ticks = 0;
  for (auto _ : state) {
    if (++ticks == kTicksBeforeReopen) {
      state.PauseTiming();
      ChooseLibrary(window, kLargestLibraryName);
      window.BStopClick();
      ticks = 0;
      state.ResumeTiming();
    }
    window.TimerPlayTimer();
  }
  if (window.Lmean->text().isEmpty()) state.SkipWithError("no meaning shown");
}
BENCHMARK(BM_Tick)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// From the box's change to the label in the class field, reopening the
// largest library each time.
void BM_ChooseLargestLibrary(benchmark::State& state) {
  lexmira::TFmain& window = *fixture->window;
  const QString label = QString::fromUtf8(kLargestLibraryLabel);
  for (auto _ : state) {
    window.LClass->clear();
    ChooseLibrary(window, kLargestLibraryName);
    if (window.LClass->text() != label) state.SkipWithError("the label did not show");
  }
  window.BStopClick();
}
BENCHMARK(BM_ChooseLargestLibrary)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// Sees a widget's paint events.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) : widget_(widget) { widget_->installEventFilter(this); }
  ~PaintWatch() override { widget_->removeEventFilter(this); }
  bool painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }

 private:
  QWidget* const widget_;
};

// From a right click on the word field to the first paint of its menu.
void BM_OpenPopupMenu(benchmark::State& state) {
  lexmira::TFmain& window = *fixture->window;
  const QPoint at(10, 10);
  for (auto _ : state) {
    PaintWatch paint(window.PopupMenu1);
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, at, window.LWord->mapToGlobal(at));
    QApplication::sendEvent(window.LWord, &right_click);
    while (!paint.painted) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    state.PauseTiming();
    window.PopupMenu1->close();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenPopupMenu)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// The drill running at 20 ms: each tick's lateness against the schedule
// kept from the start, reported as percentiles of 500 ticks.
void BM_TimerLateness(benchmark::State& state) {
  lexmira::TFmain& window = *fixture->window;
  std::vector<double> late_ms;
  for (auto _ : state) {
    late_ms.clear();
    QElapsedTimer clock;
    int ticks = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&window.countdown().timer(), &QTimer::timeout, [&] {
          const double due_ms = static_cast<double>(++ticks) * kPaceMs;
          late_ms.push_back(std::max(0.0, static_cast<double>(clock.nsecsElapsed()) / 1e6 - due_ms));
        });
    ChooseLibrary(window, kLargestLibraryName);  // starts the drill afresh
    {
      const QSignalBlocker program_sets_text(window.ComboBox2);
      window.ComboBox2->setEditText(QString::number(kPaceMs));
    }
    clock.start();
    window.ComboBox2Change();  // a new interval starts a fresh countdown
    while (ticks < kMeasuredTicks) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    window.BStopClick();
    QObject::disconnect(counting);
  }
  std::sort(late_ms.begin(), late_ms.end());
  const auto percentile = [&](double p) {
    return late_ms[std::min(late_ms.size() - 1, static_cast<size_t>(p * late_ms.size()))];
  };
  state.counters["p50_late_ms"] = percentile(0.50);
  state.counters["p99_late_ms"] = percentile(0.99);
  state.counters["max_late_ms"] = late_ms.back();
}
BENCHMARK(BM_TimerLateness)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  int qt_argc = 1;
  QApplication application(qt_argc, argv);
  lexmira::SetUpApplication(application);
  fixture = new Fixture;
  if (!QFile::copy(QStringLiteral(LEXMIRA_WORDS_MDB),
                   QDir(fixture->dir.path()).filePath(QStringLiteral("words.mdb")))) {
    std::fprintf(stderr, "cannot copy %s\n", LEXMIRA_WORDS_MDB);
    return 1;
  }
  fixture->window = std::make_unique<lexmira::TFmain>(
      lexmira::DatabasesBeside(QFile::encodeName(fixture->dir.path()).toStdString()),
      fixture->messages);
  fixture->window->NStopSpeakClick();  // the ticks measured speak nothing
  fixture->window->show();
  QApplication::processEvents();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
