// DrillTimer: the drill's timer TimerPlay, an enabled flag and an interval,
// driving a countdown that delivers the ticks.
#pragma once

namespace lexmira {

// A repeating countdown that ticks every interval until cancelled: the
// window's event-loop timer, or a test's stand-in.
class Countdown {
 public:
  virtual ~Countdown() = default;
  // Starts a fresh countdown of one whole `interval_ms` (> 0), repeating.
  virtual void Begin(int interval_ms) = 0;
  // No further ticks until the next Begin.
  virtual void Cancel() = 0;
};

// Switching on when on, or setting the interval it already has, changes
// nothing and keeps the countdown running as it was; switching on from off,
// or setting another interval while on, starts a fresh countdown of one whole
// interval. An interval of 0 or less runs without ticks.
class DrillTimer {
 public:
  static constexpr int kDefaultIntervalMs = 2000;

  // `countdown` must outlive the timer.
  explicit DrillTimer(Countdown& countdown) : countdown_(countdown) {}
  DrillTimer(const DrillTimer&) = delete;
  DrillTimer& operator=(const DrillTimer&) = delete;

  bool enabled() const { return enabled_; }
  int interval() const { return interval_ms_; }

  void SetEnabled(bool enabled);
  void SetInterval(int interval_ms);

 private:
  // Begins a fresh countdown when the timer should tick, cancels otherwise.
  void Restart();

  Countdown& countdown_;
  bool enabled_ = false;
  int interval_ms_ = kDefaultIntervalMs;
};

}  // namespace lexmira
