#include "speech/pronouncer.h"

#include <utility>

#include "speech/failure_text.h"
#include "speech/language_markup.h"
#include "speech/pulse_audio_sink.h"

namespace lexmira {

Pronouncer::Pronouncer() : Pronouncer(std::make_unique<PulseAudioSink>()) {}

Pronouncer::Pronouncer(std::unique_ptr<AudioSink> sink)
    : voice_(std::move(sink), [this](const SpeechStatus& status) { OnVoiceError(status); }) {}

void Pronouncer::ConnectVoice() { voice_.Connect(); }

void Pronouncer::SpeakWord(const std::string& word) {
  {
    std::lock_guard lock(mutex_);
    if (silenced_) return;
  }
  voice_.Speak(LanguageTag(kUsEnglishLanguageId) + word, kSpeakAsync);
}

void Pronouncer::StopSpeech() { voice_.Disconnect(); }

void Pronouncer::SetFailureListener(std::function<void()> listener) {
  std::lock_guard lock(mutex_);
  failure_listener_ = std::move(listener);
}

std::optional<std::string> Pronouncer::TakeFailure() {
  std::lock_guard lock(mutex_);
  return std::exchange(failure_text_, std::nullopt);
}

void Pronouncer::ResumeSpeaking() {
  std::lock_guard lock(mutex_);
  silenced_ = false;
}

void Pronouncer::OnVoiceError(const SpeechStatus& status) {
  std::function<void()> listener;
  {
    std::lock_guard lock(mutex_);
    if (silenced_) return;  // the episode is already reported
    silenced_ = true;
    failure_text_ = FailureText(status);
    listener = failure_listener_;
  }
  if (listener) listener();
}

}  // namespace lexmira
