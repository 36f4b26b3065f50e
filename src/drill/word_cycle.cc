#include "drill/word_cycle.h"

#include "drill/shown_row.h"

namespace lexmira {

WordCycle::WordCycle(WordStore& words, DrillTimer& timer, DrillView& view,
                     MessageSink& messages)
    : words_(words), timer_(timer), view_(view), messages_(messages) {}

void WordCycle::Start() { timer_.SetEnabled(true); }

void WordCycle::Stop() { timer_.SetEnabled(false); }

std::string WordCycle::Tick() {
  words_.Next();
  return ShowCurrentRow(words_, WordForm::kTrimmed, view_, messages_);
}

}  // namespace lexmira
