// MemorySink: an AudioSink that keeps what it is given, so that tests can
// hear the voice. It can play at the pace of a real output, and can be told
// to fail.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "speech/audio_sink.h"

namespace lexmira::testing {

class MemorySink : public lexmira::AudioSink {
 public:
  // The samples between two drains: the sound of one spoken text.
  using Segment = std::vector<std::int16_t>;

  lexmira::SpeechStatus Open(int sample_rate) override;
  lexmira::SpeechStatus Write(std::span<const std::int16_t> samples) override;
  lexmira::SpeechStatus Drain() override;
  void Close() override;
  void Interrupt() override;

  // Each Write then takes as long as its samples last.
  void PlayInRealTime();
  // Opens fail from now on, or succeed again.
  void SetOpensFail(bool fail);
  // After `count` more successful writes, one write fails; with
  // `every_connection`, the first write after each later Open fails too.
  void FailWriteAfter(int count, bool every_connection = false);

  int opens() const;
  int open_attempts() const;
  std::size_t sample_count() const;
  // The sound of each text completed so far, in order.
  std::vector<Segment> segments() const;
  // Waits (a few seconds at most) until `done` holds; false if it never did.
  bool WaitUntil(const std::function<bool(const MemorySink&)>& done) const;

 private:
  void Changed();  // with mutex_ held: wakes every waiter

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  int sample_rate_ = 0;
  bool open_ = false;
  bool interrupted_ = false;
  bool real_time_ = false;
  bool opens_fail_ = false;
  int writes_until_failure_ = -1;  // none planned
  bool fail_each_connection_ = false;
  int opens_ = 0;
  int open_attempts_ = 0;
  std::size_t sample_count_ = 0;
  std::vector<Segment> segments_;
  Segment current_;
  std::uint64_t changes_ = 0;
};

}  // namespace lexmira::testing
