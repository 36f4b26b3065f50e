// PulseAudioSink: plays the voice through the desktop's PulseAudio server (or
// PipeWire's PulseAudio service), with a buffer of a few tens of milliseconds
// so that an interruption is silence at once.
#pragma once

#include <mutex>
#include <string>

#include "speech/audio_sink.h"

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace lexmira {

class PulseAudioSink : public AudioSink {
 public:
  PulseAudioSink() = default;
  ~PulseAudioSink() override;
  PulseAudioSink(const PulseAudioSink&) = delete;
  PulseAudioSink& operator=(const PulseAudioSink&) = delete;

  SpeechStatus Open(int sample_rate) override;
  SpeechStatus Write(std::span<const std::int16_t> samples) override;
  SpeechStatus Drain() override;
  void Close() override;
  void Interrupt() override;

 private:
  // The server's reason for the last failure, for the status detail.
  std::string LastError() const;
  // Whether the stream can still play; false once the server has gone.
  bool StreamGood() const;
  SpeechStatus ConnectContext();
  SpeechStatus ConnectStream(int sample_rate);

  // Guards the three pointers against Interrupt racing Open and Close; the
  // objects themselves are guarded by the mainloop's own lock.
  std::mutex lifetime_mutex_;
  pa_threaded_mainloop* mainloop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  bool interrupted_ = false;  // under the mainloop's lock
};

}  // namespace lexmira
