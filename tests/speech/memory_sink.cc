#include "memory_sink.h"

namespace lexmira::testing {
namespace {

using lexmira::SpeechStatus;
// Long enough for any word the tests speak, even on a loaded machine.
constexpr auto kWaitLimit = std::chrono::seconds(20);

}  // namespace

SpeechStatus MemorySink::Open(int sample_rate) {
  std::lock_guard lock(mutex_);
  ++open_attempts_;
  Changed();
  if (opens_fail_) return SpeechStatus::NoAudioOutput("test output refuses to open");
  ++opens_;
  sample_rate_ = sample_rate;
  open_ = true;
  interrupted_ = false;
  current_.clear();
  if (fail_each_connection_) writes_until_failure_ = 0;
  return SpeechStatus::OK();
}

SpeechStatus MemorySink::Write(std::span<const std::int16_t> samples) {
  std::unique_lock lock(mutex_);
  if (!open_) return SpeechStatus::AudioLost("write to a closed test output");
  if (interrupted_) return SpeechStatus::OK();
  if (writes_until_failure_ == 0) {
    writes_until_failure_ = -1;
    return SpeechStatus::AudioLost("test output went away");
  }
  if (writes_until_failure_ > 0) --writes_until_failure_;
  if (real_time_) {
    const auto lasts = std::chrono::microseconds(1'000'000 * samples.size() / sample_rate_);
    if (changed_.wait_for(lock, lasts, [&] { return interrupted_; })) return SpeechStatus::OK();
  }
  current_.insert(current_.end(), samples.begin(), samples.end());
  sample_count_ += samples.size();
  Changed();
  return SpeechStatus::OK();
}

SpeechStatus MemorySink::Drain() {
  std::lock_guard lock(mutex_);
  if (!interrupted_) segments_.push_back(std::move(current_));
  current_.clear();
  Changed();
  return SpeechStatus::OK();
}

void MemorySink::Close() {
  std::lock_guard lock(mutex_);
  open_ = false;
  current_.clear();
  Changed();
}

void MemorySink::Interrupt() {
  std::lock_guard lock(mutex_);
  if (open_) interrupted_ = true;
  Changed();
}

void MemorySink::PlayInRealTime() {
  std::lock_guard lock(mutex_);
  real_time_ = true;
}

void MemorySink::SetOpensFail(bool fail) {
  std::lock_guard lock(mutex_);
  opens_fail_ = fail;
}

void MemorySink::FailWriteAfter(int count, bool every_connection) {
  std::lock_guard lock(mutex_);
  writes_until_failure_ = count;
  fail_each_connection_ = every_connection;
}

int MemorySink::opens() const {
  std::lock_guard lock(mutex_);
  return opens_;
}

int MemorySink::open_attempts() const {
  std::lock_guard lock(mutex_);
  return open_attempts_;
}

std::size_t MemorySink::sample_count() const {
  std::lock_guard lock(mutex_);
  return sample_count_;
}

std::vector<MemorySink::Segment> MemorySink::segments() const {
  std::lock_guard lock(mutex_);
  return segments_;
}

bool MemorySink::WaitUntil(const std::function<bool(const MemorySink&)>& done) const {
  // `done` reads through the public accessors, which lock for themselves.
  const auto deadline = std::chrono::steady_clock::now() + kWaitLimit;
  std::unique_lock lock(mutex_);
  for (;;) {
    const std::uint64_t seen = changes_;
    lock.unlock();
    if (done(*this)) return true;
    lock.lock();
    if (!changed_.wait_until(lock, deadline, [&] { return changes_ != seen; })) {
      lock.unlock();
      return done(*this);
    }
  }
}

void MemorySink::Changed() {
  ++changes_;
  changed_.notify_all();
}

}  // namespace lexmira::testing
