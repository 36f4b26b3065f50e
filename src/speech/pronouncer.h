// Pronouncer: speaks the words the drill shows, in US English, without ever
// holding up the window. The window calls everything here from its own
// thread except where a call says otherwise.
//
// A failure of the voice (no audio output, a failed synthesis) is reported
// once: the failure listener is called, TakeFailure yields the text for the
// user, and from then on SpeakWord is silent until ResumeSpeaking.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "speech/audio_sink.h"
#include "speech/speech_status.h"
#include "speech/speech_voice.h"

namespace lexmira {

class Pronouncer {
 public:
  // Speaks through the desktop's audio server.
  Pronouncer();
  // Speaks through `sink`.
  explicit Pronouncer(std::unique_ptr<AudioSink> sink);
  Pronouncer(const Pronouncer&) = delete;
  Pronouncer& operator=(const Pronouncer&) = delete;

  // Connects the voice in the background and returns at once; a failure
  // arrives through the failure listener.
  void ConnectVoice();
  // Queues `word` (UTF-8), behind the US English language tag, after the
  // words still being spoken, and returns at once. Silent after a failure
  // until ResumeSpeaking.
  void SpeakWord(const std::string& word);
  // Silences the voice at once and drops the queued words; the next
  // SpeakWord connects again.
  void StopSpeech();

  // `listener` is called once per failure, on the voice's worker thread, not
  // the window's: it should only post a call to TakeFailure to the window's
  // thread. Set it before ConnectVoice.
  void SetFailureListener(std::function<void()> listener);
  // The text of the reported failure for the user, once; then nothing until
  // the next failure. Safe from any thread.
  std::optional<std::string> TakeFailure();
  // Lets SpeakWord speak again after a failure; the next word tries anew.
  void ResumeSpeaking();

 private:
  void OnVoiceError(const SpeechStatus& status);

  std::mutex mutex_;
  std::function<void()> failure_listener_;
  bool silenced_ = false;  // a failure was reported and not yet resumed from
  std::optional<std::string> failure_text_;
  SpeechVoice voice_;  // last: its worker may call OnVoiceError
};

}  // namespace lexmira
