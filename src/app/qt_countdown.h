// The drill timer's countdown on the window's event loop.
#pragma once

#include <QTimer>

#include "drill/drill_timer.h"

namespace lexmira {

// A precise repeating QTimer: ticks keep to the interval instead of drifting
// by the event loop's coarse slack. DrillTimer decides when it restarts,
// since QTimer alone restarts on every setInterval.
class QtCountdown final : public Countdown {
 public:
  QtCountdown() { timer_.setTimerType(Qt::PreciseTimer); }

  void Begin(int interval_ms) override { timer_.start(interval_ms); }
  void Cancel() override { timer_.stop(); }

  // Connect to its timeout() for the ticks.
  QTimer& timer() { return timer_; }
  const QTimer& timer() const { return timer_; }

 private:
  QTimer timer_;
};

}  // namespace lexmira
