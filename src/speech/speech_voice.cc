#include "speech/speech_voice.h"

#include <algorithm>
#include <utility>

#include "speech/language_markup.h"

namespace lexmira {

SpeechVoice::SpeechVoice(std::unique_ptr<AudioSink> sink, ErrorListener on_error)
    : sink_(std::move(sink)), on_error_(std::move(on_error)), worker_([this] { Run(); }) {}

SpeechVoice::~SpeechVoice() {
  {
    std::lock_guard lock(mutex_);
    quitting_ = true;
    ++generation_;
    DropQueue();
    sink_->Interrupt();
    work_.notify_one();
  }
  worker_.join();
}

void SpeechVoice::Connect() {
  std::lock_guard lock(mutex_);
  connect_requested_ = true;
  work_.notify_one();
}

std::uint64_t SpeechVoice::Speak(std::string text, unsigned flags) {
  std::unique_lock lock(mutex_);
  const std::uint64_t stream = ++last_stream_;
  queue_.push_back(QueuedText{std::move(text), stream});
  work_.notify_one();
  if ((flags & kSpeakAsync) == 0) {
    progress_.wait(lock, [&] { return finished_stream_ >= stream; });
  }
  return stream;
}

void SpeechVoice::Disconnect() {
  std::unique_lock lock(mutex_);
  ++generation_;
  DropQueue();
  sink_->Interrupt();
  // A chunk already inside the sink's Write returns promptly once interrupted.
  progress_.wait(lock, [&] { return !writing_; });
  work_.notify_one();
}

void SpeechVoice::DropQueue() {
  queue_.clear();
  connect_requested_ = false;
  finished_stream_ = last_stream_;
  progress_.notify_all();
}

void SpeechVoice::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (output_open_ && (quitting_ || output_generation_ != generation_)) {
      CloseOutput(lock);
    } else if (quitting_) {
      return;
    } else if (!output_open_ && (connect_requested_ || !queue_.empty())) {
      OpenOutput(lock);
    } else if (!queue_.empty()) {
      SpeakQueued(lock);
    } else {
      connect_requested_ = false;
      work_.wait(lock);
    }
  }
}

void SpeechVoice::OpenOutput(std::unique_lock<std::mutex>& lock) {
  const std::uint64_t generation = generation_;
  lock.unlock();
  SpeechStatus status = synthesizer_.Load(kUsEnglishLanguageId);
  if (status.ok()) status = sink_->Open(synthesizer_.SampleRate());
  lock.lock();
  if (!status.ok()) {
    ReportError(lock, status);
    return;
  }
  output_open_ = true;
  output_generation_ = generation;
  output_carried_sound_ = false;
}

void SpeechVoice::CloseOutput(std::unique_lock<std::mutex>& lock) {
  lock.unlock();
  sink_->Close();
  lock.lock();
  output_open_ = false;
}

void SpeechVoice::SpeakQueued(std::unique_lock<std::mutex>& lock) {
  QueuedText queued = std::move(queue_.front());
  queue_.pop_front();
  const std::uint64_t generation = generation_;
  lock.unlock();
  const SpeechStatus status = Play(queued.text, generation);
  lock.lock();
  finished_stream_ = std::max(finished_stream_, queued.stream);
  progress_.notify_all();
  if (status.ok()) return;
  // An output lost after it has carried sound is reconnected by the next
  // text; anything else would fail again, so it is reported.
  const bool lost_in_use = status.code() == SpeechStatus::Code::kAudioLost && output_carried_sound_;
  CloseOutput(lock);
  if (!lost_in_use) ReportError(lock, status);
}

SpeechStatus SpeechVoice::Play(std::string_view text, std::uint64_t generation) {
  const MarkedText marked = SplitLanguageTag(text);
  if (marked.text.empty()) return SpeechStatus::OK();  // the tag alone says nothing
  SpeechStatus write_status;
  const SpeechStatus synthesis_status = synthesizer_.Speak(
      marked.language_id, marked.text, [&](std::span<const std::int16_t> chunk) {
        if (!BeginWrite(generation)) return false;
        write_status = sink_->Write(chunk);
        EndWrite(write_status.ok());
        return write_status.ok();
      });
  if (!write_status.ok()) return write_status;
  if (!synthesis_status.ok()) return synthesis_status;
  return sink_->Drain();
}

bool SpeechVoice::BeginWrite(std::uint64_t generation) {
  std::lock_guard lock(mutex_);
  if (quitting_ || generation != generation_) return false;
  writing_ = true;
  return true;
}

void SpeechVoice::EndWrite(bool carried_sound) {
  std::lock_guard lock(mutex_);
  writing_ = false;
  if (carried_sound) output_carried_sound_ = true;
  progress_.notify_all();
}

void SpeechVoice::ReportError(std::unique_lock<std::mutex>& lock, const SpeechStatus& status) {
  DropQueue();
  lock.unlock();
  on_error_(status);
  lock.lock();
}

}  // namespace lexmira
