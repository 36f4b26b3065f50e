#include "drill/drill_timer.h"

namespace lexmira {

void DrillTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void DrillTimer::SetInterval(int interval_ms) {
  if (interval_ms == interval_ms_) return;
  interval_ms_ = interval_ms;
  if (enabled_) Restart();
}

void DrillTimer::Restart() {
  if (enabled_ && interval_ms_ > 0) {
    countdown_.Begin(interval_ms_);
  } else {
    countdown_.Cancel();
  }
}

}  // namespace lexmira
