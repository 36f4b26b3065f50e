#include "speech/flite_synthesizer.h"

#include <mutex>
#include <string>

extern "C" {
#include <flite/flite.h>
// Flite's US English female voice; its library declares no header for it.
cst_voice* register_cmu_us_slt(const char* voxdir);
}

namespace lexmira {
namespace {

// Flite keeps its lexicon and voices in globals that are not safe to use from
// two threads at once; every voice in the process takes turns through this.
std::mutex& FliteMutex() {
  static std::mutex mutex;
  return mutex;
}

cst_voice* LoadFliteVoice() {
  static cst_voice* const voice = [] {
    flite_init();
    return register_cmu_us_slt(nullptr);
  }();
  return voice;
}

// Flite's streaming callback: passes each chunk on to the ChunkHandler.
int StreamChunk(const cst_wave* wave, int start, int size, int /*last*/,
                cst_audio_streaming_info* info) {
  const auto& on_chunk = *static_cast<const FliteSynthesizer::ChunkHandler*>(info->userdata);
  const std::span<const std::int16_t> chunk(wave->samples + start, static_cast<std::size_t>(size));
  return on_chunk(chunk) ? CST_AUDIO_STREAM_CONT : CST_AUDIO_STREAM_STOP;
}

}  // namespace

SpeechStatus FliteSynthesizer::Load(unsigned /*language_id: one voice serves all*/) {
  if (voice_ != nullptr) return SpeechStatus::OK();
  std::lock_guard lock(FliteMutex());
  voice_ = LoadFliteVoice();
  if (voice_ == nullptr) return SpeechStatus::Synthesis("the Flite voice cmu_us_slt did not load");
  return SpeechStatus::OK();
}

int FliteSynthesizer::SampleRate() const {
  return get_param_int(voice_->features, "sample_rate", 0);
}

SpeechStatus FliteSynthesizer::Speak(unsigned language_id, std::string_view text,
                                     const ChunkHandler& on_chunk) {
  if (SpeechStatus status = Load(language_id); !status.ok()) return status;
  std::lock_guard lock(FliteMutex());
  const std::string input(text);  // Flite wants a terminated string
  cst_utterance* utterance = new_utterance();
  utt_set_input_text(utterance, input.c_str());
  cst_audio_streaming_info* streaming = new_audio_streaming_info();
  streaming->asc = StreamChunk;
  streaming->userdata = const_cast<ChunkHandler*>(&on_chunk);
  // Set on the utterance, not the shared voice; the utterance owns it from here.
  feat_set(utterance->features, "streaming_info", audio_streaming_info_val(streaming));
  utterance = flite_do_synth(utterance, voice_, utt_synth);  // frees it on failure
  if (utterance == nullptr) {
    return SpeechStatus::Synthesis("Flite could not synthesise \"" + input + "\"");
  }
  delete_utterance(utterance);
  return SpeechStatus::OK();
}

}  // namespace lexmira
