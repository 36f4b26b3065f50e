// The text the learner reads when the voice fails: what went wrong, that
// words will not be spoken, and what to do about it.
#pragma once

#include <string>

#include "speech/speech_status.h"

namespace lexmira {

// `failure` must not be ok.
std::string FailureText(const SpeechStatus& failure);

}  // namespace lexmira
