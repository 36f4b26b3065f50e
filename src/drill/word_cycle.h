// WordCycle: the drill itself. Started, it steps through the open library at
// the timer's pace and shows each row; there is no wrap-around, so the last
// row is shown again on every tick until the drill is stopped or another
// library is chosen.
#pragma once

#include <string>

#include "data/message_sink.h"
#include "data/word_store.h"
#include "drill/drill_timer.h"
#include "drill/drill_view.h"

namespace lexmira {

class WordCycle {
 public:
  // Everything given must outlive the cycle.
  WordCycle(WordStore& words, DrillTimer& timer, DrillView& view, MessageSink& messages);

  // Switches the timer on; the first tick comes one interval later.
  void Start();
  // Switches the timer off (the window then cuts off speech).
  void Stop();

  // One tick: moves to the next row, then shows its word trimmed, its
  // deciphered meaning and its class as stored, in that order. Returns the
  // word as shown, to be spoken. An error ends the tick at the field it
  // arose in; the timer is left as it was.
  std::string Tick();

 private:
  WordStore& words_;
  DrillTimer& timer_;
  DrillView& view_;
  MessageSink& messages_;
};

}  // namespace lexmira
