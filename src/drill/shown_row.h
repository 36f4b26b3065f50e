// Putting the word table's current row into the display fields.
#pragma once

#include <string>
#include <string_view>

#include "data/message_sink.h"
#include "data/word_store.h"
#include "drill/drill_view.h"

namespace lexmira {

// How the word is shown: as stored (at start-up) or trimmed (by the drill).
enum class WordForm { kAsStored, kTrimmed };

// The stored meaning as the meaning field shows it: deciphered, its
// code-page-936 bytes made UTF-8. Odd length shows "密文错误！" through
// `messages` and gives ""; a bad hex pair throws Error.
std::string MeaningText(std::string_view stored, MessageSink& messages);

// Shows the current row of `words`: the word, the deciphered meaning, the
// class as stored, in that order. An error ends it at the field it arose in,
// the fields before keeping their new text. Returns the word as shown.
std::string ShowCurrentRow(const WordStore& words, WordForm form, DrillView& view,
                           MessageSink& messages);

}  // namespace lexmira
