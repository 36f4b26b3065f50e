// AudioSink: where the voice plays its sound, mono 16-bit samples. The program
// plays through PulseAudio; tests listen through an in-memory sink.
//
// Open, Write, Drain and Close are called from the voice's one worker thread,
// in that order (Write and Drain any number of times); Interrupt may come from
// any thread at any time.
#pragma once

#include <cstdint>
#include <span>

#include "speech/speech_status.h"

namespace lexmira {

class AudioSink {
 public:
  virtual ~AudioSink() = default;

  // Opens the output for `sample_rate` samples a second; on failure it is
  // left closed.
  virtual SpeechStatus Open(int sample_rate) = 0;
  // Plays `samples`, waiting while the output's small buffer is full.
  virtual SpeechStatus Write(std::span<const std::int16_t> samples) = 0;
  // Waits until everything written has been heard.
  virtual SpeechStatus Drain() = 0;
  // Releases the output. Harmless when it is not open.
  virtual void Close() = 0;
  // Silences the output at once: what is buffered is dropped, and a Write or
  // Drain in progress or to come returns promptly, playing nothing, until the
  // output is closed. Harmless when it is not open.
  virtual void Interrupt() = 0;
};

}  // namespace lexmira
