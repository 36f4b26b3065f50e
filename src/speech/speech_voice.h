// SpeechVoice: the program's voice. It speaks texts that may begin with a
// language tag (see language_markup.h), one after another, on a worker
// thread of its own that makes the sound and plays it through an AudioSink.
//
// Like a desktop speech service's voice it is either connected (its audio
// output open, its synthesiser loaded) or not; any use while disconnected
// connects it first. Disconnect silences it at once and forgets what was
// queued.
//
// Failures happen on the worker thread and are handed to the error listener
// there; the failing text and what was queued behind it are dropped, and the
// voice is left disconnected, so the next text tries to connect again. An
// output that goes away in the middle of a word (the audio server restarts)
// is no failure: the rest of that word is lost and the next one reconnects.
// Only if it fails before any of a fresh connection's sound was accepted is
// it reported, as then the next word would fare no better.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "speech/audio_sink.h"
#include "speech/flite_synthesizer.h"
#include "speech/speech_status.h"

namespace lexmira {

// Speak's flags.
inline constexpr unsigned kSpeakAsync = 1;  // return at once, speak in the background

class SpeechVoice {
 public:
  // Called on the worker thread with each failure's status.
  using ErrorListener = std::function<void(const SpeechStatus&)>;

  // Starts the worker thread; the voice is disconnected.
  SpeechVoice(std::unique_ptr<AudioSink> sink, ErrorListener on_error);
  // Silences the voice and ends the worker thread.
  ~SpeechVoice();
  SpeechVoice(const SpeechVoice&) = delete;
  SpeechVoice& operator=(const SpeechVoice&) = delete;

  // Connects in the background and returns at once; a failure goes to the
  // error listener.
  void Connect();
  // Queues `text` behind what is still being spoken (nothing is purged) and
  // returns its stream number, counting from 1. With kSpeakAsync it returns
  // at once; without, once the text has been spoken, dropped or has failed.
  std::uint64_t Speak(std::string text, unsigned flags);
  // Ends the text being spoken and drops the queue. When it returns, no
  // more sound goes to the sink; the output itself is released in the
  // background.
  void Disconnect();

 private:
  struct QueuedText {
    std::string text;
    std::uint64_t stream;
  };

  void Run();
  // Worker side; each is entered and left with `lock` held.
  void OpenOutput(std::unique_lock<std::mutex>& lock);
  void CloseOutput(std::unique_lock<std::mutex>& lock);
  void SpeakQueued(std::unique_lock<std::mutex>& lock);
  // Plays one text's sound; returns how its playing ended.
  SpeechStatus Play(std::string_view text, std::uint64_t generation);
  // Whether sound of `generation` may still go to the sink; if so, marks a
  // write as in progress.
  bool BeginWrite(std::uint64_t generation);
  void EndWrite(bool carried_sound);
  // Drops the queue (and a pending connection), telling waiting Speak calls.
  void DropQueue();
  void ReportError(std::unique_lock<std::mutex>& lock, const SpeechStatus& status);

  const std::unique_ptr<AudioSink> sink_;
  const ErrorListener on_error_;
  FliteSynthesizer synthesizer_;  // worker thread only

  std::mutex mutex_;
  std::condition_variable work_;      // the worker waits for work
  std::condition_variable progress_;  // Disconnect and Speak wait for the worker
  std::deque<QueuedText> queue_;
  bool connect_requested_ = false;
  bool quitting_ = false;
  // Bumped by every Disconnect; sound of an older generation is never played.
  std::uint64_t generation_ = 0;
  bool writing_ = false;  // the worker is inside the sink's Write
  std::uint64_t last_stream_ = 0;
  std::uint64_t finished_stream_ = 0;  // every stream up to this one is done
  // Worker's own view of the output; guarded by mutex_ all the same.
  bool output_open_ = false;
  std::uint64_t output_generation_ = 0;
  bool output_carried_sound_ = false;

  std::thread worker_;  // last: starts once everything above is ready
};

}  // namespace lexmira
