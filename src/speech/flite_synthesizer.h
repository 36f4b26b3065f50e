// FliteSynthesizer: makes the sound of English text with CMU Flite, in this
// process, handing it over in short chunks while it is still being made, so
// that a long word starts to sound before its end is computed.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "speech/speech_status.h"

struct cst_voice_struct;  // Flite's voice

namespace lexmira {

class FliteSynthesizer {
 public:
  // Takes one chunk of samples; returns false to end the synthesis early.
  using ChunkHandler = std::function<bool(std::span<const std::int16_t>)>;

  // Loads Flite's voice for `language_id` (cmu_us_slt, the one voice shipped,
  // whatever the id) the first time any synthesiser needs it; later calls are
  // cheap.
  SpeechStatus Load(unsigned language_id);
  // Samples a second of the loaded voice. Only after a successful Load.
  int SampleRate() const;
  // Synthesises `text` and hands its samples to `on_chunk`, in order, as they
  // are made. Loads the voice first if needed.
  SpeechStatus Speak(unsigned language_id, std::string_view text, const ChunkHandler& on_chunk);

 private:
  ::cst_voice_struct* voice_ = nullptr;
};

}  // namespace lexmira
