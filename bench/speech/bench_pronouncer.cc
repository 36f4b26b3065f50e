// Pronouncer's latencies as the window feels them:
//   SpeakWord's return, behind a queue of 50 words (goal: <= 1 ms median);
//   SpeakWord to the first sample handed to the output (goal: <= 30 ms);
//   StopSpeech to silence: when it returns, nothing more reaches the
//   output and its buffer has been dropped (goal: <= 10 ms);
//   constructing the Pronouncer and ConnectVoice, what start-up pays
//   (goal: <= 2 ms).
// Each runs through the in-memory sink and through PulseAudio; the
// PulseAudio runs are skipped when no audio server answers (run the program
// under tests/speech/pulse/with_private_pulseaudio.sh to have one).
#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "memory_sink.h"
#include "speech/pronouncer.h"
#include "speech/pulse_audio_sink.h"

namespace {

using Clock = std::chrono::steady_clock;
using lexmira::AudioSink;
using lexmira::SpeechStatus;

constexpr int kQueuedWords = 50;
constexpr char kWord[] = "apple";
constexpr char kLongWord[] = "internationalization";
constexpr auto kOutputWait = std::chrono::seconds(10);

enum class Output { kMemory, kRealTimeMemory, kPulseAudio };

// Passes everything on to the real output, noting when sound arrives.
class StopwatchSink : public AudioSink {
 public:
  explicit StopwatchSink(std::unique_ptr<AudioSink> output) : output_(std::move(output)) {}

  SpeechStatus Open(int sample_rate) override {
    SpeechStatus status = output_->Open(sample_rate);
    std::lock_guard lock(mutex_);
    open_status_ = status;
    changed_.notify_all();
    return status;
  }
  SpeechStatus Write(std::span<const std::int16_t> samples) override {
    SpeechStatus status = output_->Write(samples);
    std::lock_guard lock(mutex_);
    if (!first_write_) first_write_ = Clock::now();
    ++writes_;
    changed_.notify_all();
    return status;
  }
  SpeechStatus Drain() override {
    SpeechStatus status = output_->Drain();
    std::lock_guard lock(mutex_);
    ++drains_;
    changed_.notify_all();
    return status;
  }
  void Close() override { output_->Close(); }
  void Interrupt() override { output_->Interrupt(); }

  // Forgets the first write, to time the next one.
  void Rearm() {
    std::lock_guard lock(mutex_);
    first_write_.reset();
  }
  std::optional<Clock::time_point> WaitFirstWrite() {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, kOutputWait, [&] { return first_write_.has_value(); });
    return first_write_;
  }
  bool WaitDrains(int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kOutputWait, [&] { return drains_ >= count; });
  }
  int drains() {
    std::lock_guard lock(mutex_);
    return drains_;
  }
  int writes() {
    std::lock_guard lock(mutex_);
    return writes_;
  }
  // Whether the output opened; false also when it was never tried in time.
  bool WaitOpened() {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, kOutputWait, [&] { return open_status_.has_value(); });
    return open_status_.has_value() && open_status_->ok();
  }

 private:
  const std::unique_ptr<AudioSink> output_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<SpeechStatus> open_status_;
  std::optional<Clock::time_point> first_write_;
  int writes_ = 0;
  int drains_ = 0;
};

std::unique_ptr<AudioSink> MakeOutput(Output output) {
  if (output == Output::kPulseAudio) return std::make_unique<lexmira::PulseAudioSink>();
  auto sink = std::make_unique<lexmira::testing::MemorySink>();
  if (output == Output::kRealTimeMemory) sink->PlayInRealTime();
  return sink;
}

// A connected Pronouncer over a StopwatchSink; skips the benchmark if the
// output does not open.
struct Rig {
  explicit Rig(Output output)
      : stopwatch(new StopwatchSink(MakeOutput(output))),
        pronouncer(std::unique_ptr<AudioSink>(stopwatch)) {
    pronouncer.ConnectVoice();
  }
  bool Ready(benchmark::State& state) {
    if (stopwatch->WaitOpened()) return true;
    state.SkipWithError("the audio output did not open (no audio server?)");
    return false;
  }
  StopwatchSink* const stopwatch;  // owned by the pronouncer
  lexmira::Pronouncer pronouncer;
};

// Each run names its output; a word takes a while to speak, so a few calls
// are timed by hand and the runs repeated.
void TimedByHand(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgName("output")->Iterations(10)->Repetitions(3)->UseManualTime();
}

double SecondsSince(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double>(end - start).count();
}

void BM_SpeakWordBehindQueue(benchmark::State& state) {
  // Played at a real output's pace, so the queue only grows.
  Rig rig(static_cast<Output>(state.range(0)));
  if (!rig.Ready(state)) return;
  for (int i = 0; i < kQueuedWords; ++i) rig.pronouncer.SpeakWord(kLongWord);
  for (auto _ : state) rig.pronouncer.SpeakWord(kWord);
  rig.pronouncer.StopSpeech();
}
BENCHMARK(BM_SpeakWordBehindQueue)
    ->ArgName("output")
    ->Arg(static_cast<int>(Output::kRealTimeMemory))
    ->Arg(static_cast<int>(Output::kPulseAudio))
    ->Iterations(2000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void BM_SpeakWordToFirstSample(benchmark::State& state) {
  Rig rig(static_cast<Output>(state.range(0)));
  if (!rig.Ready(state)) return;
  for (auto _ : state) {
    const int drains = rig.stopwatch->drains();
    rig.stopwatch->Rearm();
    const Clock::time_point start = Clock::now();
    rig.pronouncer.SpeakWord(kWord);
    const std::optional<Clock::time_point> first = rig.stopwatch->WaitFirstWrite();
    if (!first || !rig.stopwatch->WaitDrains(drains + 1)) {
      state.SkipWithError("the word never reached the output");
      return;
    }
    state.SetIterationTime(SecondsSince(start, *first));
  }
}
BENCHMARK(BM_SpeakWordToFirstSample)
    ->Apply(TimedByHand)
    ->Arg(static_cast<int>(Output::kMemory))
    ->Arg(static_cast<int>(Output::kPulseAudio))
    ->Unit(benchmark::kMillisecond);

void BM_StopSpeechToSilence(benchmark::State& state) {
  Rig rig(static_cast<Output>(state.range(0)));
  if (!rig.Ready(state)) return;
  int writes_at_stop = rig.stopwatch->writes();
  for (auto _ : state) {
    // Nothing was spoken since the last stop, so nothing may have been heard.
    if (rig.stopwatch->writes() != writes_at_stop) {
      state.SkipWithError("sound reached the output after StopSpeech returned");
      return;
    }
    rig.stopwatch->Rearm();
    rig.pronouncer.SpeakWord(kLongWord);
    rig.pronouncer.SpeakWord(kWord);
    if (!rig.stopwatch->WaitFirstWrite()) {
      state.SkipWithError("the word never reached the output");
      return;
    }
    const Clock::time_point start = Clock::now();
    rig.pronouncer.StopSpeech();
    state.SetIterationTime(SecondsSince(start, Clock::now()));
    writes_at_stop = rig.stopwatch->writes();
  }
}
BENCHMARK(BM_StopSpeechToSilence)
    ->Apply(TimedByHand)
    ->Arg(static_cast<int>(Output::kRealTimeMemory))
    ->Arg(static_cast<int>(Output::kPulseAudio))
    ->Unit(benchmark::kMillisecond);

void BM_ConstructAndConnectVoice(benchmark::State& state) {
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    auto pronouncer =
        std::make_unique<lexmira::Pronouncer>(MakeOutput(static_cast<Output>(state.range(0))));
    pronouncer->ConnectVoice();
    state.SetIterationTime(SecondsSince(start, Clock::now()));
  }
}
BENCHMARK(BM_ConstructAndConnectVoice)
    ->Apply(TimedByHand)
    ->Arg(static_cast<int>(Output::kMemory))
    ->Arg(static_cast<int>(Output::kPulseAudio))
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
