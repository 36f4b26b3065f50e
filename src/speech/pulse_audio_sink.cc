#include "speech/pulse_audio_sink.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <string>

namespace lexmira {
namespace {

constexpr char kClientName[] = "Lexmira";
constexpr char kStreamName[] = "Word";
// Short enough that dropping it is not heard as a tail after a stop, long
// enough to ride over a busy moment of the synthesiser.
constexpr pa_usec_t kBufferUsec = 40 * PA_USEC_PER_MSEC;
constexpr std::uint32_t kServerDefault = static_cast<std::uint32_t>(-1);

// Every callback does the same thing: wake whoever waits on the mainloop.
void SignalMainloop(pa_threaded_mainloop* mainloop) { pa_threaded_mainloop_signal(mainloop, 0); }
void OnContextState(pa_context*, void* mainloop) {
  SignalMainloop(static_cast<pa_threaded_mainloop*>(mainloop));
}
void OnStreamEvent(pa_stream*, void* mainloop) {
  SignalMainloop(static_cast<pa_threaded_mainloop*>(mainloop));
}
void OnStreamWritable(pa_stream*, size_t, void* mainloop) {
  SignalMainloop(static_cast<pa_threaded_mainloop*>(mainloop));
}
void OnOperationState(pa_operation*, void* mainloop) {
  SignalMainloop(static_cast<pa_threaded_mainloop*>(mainloop));
}

constexpr char kCannotStartClient[] = "cannot start the audio client";
constexpr char kCannotConnect[] = "cannot connect to the audio server: ";
constexpr char kCannotOpenStream[] = "cannot open an audio stream: ";
constexpr char kServerGone[] = "the audio server went away: ";

bool IsGood(pa_context_state_t state) { return PA_CONTEXT_IS_GOOD(state); }
bool IsGood(pa_stream_state_t state) { return PA_STREAM_IS_GOOD(state); }

// With the mainloop locked: waits until `state_of()` is `ready` or the output
// is interrupted (true), or has failed (false).
template <typename StateOf>
bool AwaitReady(pa_threaded_mainloop* mainloop, const bool& interrupted, StateOf state_of,
                decltype(state_of()) ready) {
  for (;;) {
    const auto state = state_of();
    if (state == ready || interrupted) return true;
    if (!IsGood(state)) return false;
    pa_threaded_mainloop_wait(mainloop);
  }
}

}  // namespace

PulseAudioSink::~PulseAudioSink() { Close(); }

std::string PulseAudioSink::LastError() const {
  return context_ != nullptr ? pa_strerror(pa_context_errno(context_)) : "out of memory";
}

bool PulseAudioSink::StreamGood() const {
  return stream_ != nullptr && pa_stream_get_state(stream_) == PA_STREAM_READY;
}

SpeechStatus PulseAudioSink::Open(int sample_rate) {
  pa_threaded_mainloop* mainloop = pa_threaded_mainloop_new();
  if (mainloop == nullptr) return SpeechStatus::NoAudioOutput(kCannotStartClient);
  {
    std::lock_guard lock(lifetime_mutex_);
    mainloop_ = mainloop;
    interrupted_ = false;
  }
  SpeechStatus status;
  if (pa_threaded_mainloop_start(mainloop) < 0) {
    status = SpeechStatus::NoAudioOutput(kCannotStartClient);
  } else {
    pa_threaded_mainloop_lock(mainloop);
    status = ConnectContext();
    if (status.ok()) status = ConnectStream(sample_rate);
    pa_threaded_mainloop_unlock(mainloop);
  }
  if (!status.ok()) Close();
  return status;
}

SpeechStatus PulseAudioSink::ConnectContext() {
  context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), kClientName);
  if (context_ == nullptr) return SpeechStatus::NoAudioOutput(kCannotStartClient);
  pa_context_set_state_callback(context_, OnContextState, mainloop_);
  // Never start a server of our own: a desktop without one has no sound.
  if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
      !AwaitReady(mainloop_, interrupted_, [&] { return pa_context_get_state(context_); },
                  PA_CONTEXT_READY)) {
    return SpeechStatus::NoAudioOutput(kCannotConnect + LastError());
  }
  return SpeechStatus::OK();
}

SpeechStatus PulseAudioSink::ConnectStream(int sample_rate) {
  if (interrupted_) return SpeechStatus::OK();
  const pa_sample_spec spec{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(sample_rate), 1};
  stream_ = pa_stream_new(context_, kStreamName, &spec, nullptr);
  if (stream_ == nullptr) return SpeechStatus::NoAudioOutput(kCannotOpenStream + LastError());
  pa_stream_set_state_callback(stream_, OnStreamEvent, mainloop_);
  pa_stream_set_write_callback(stream_, OnStreamWritable, mainloop_);
  pa_buffer_attr buffer;
  buffer.maxlength = kServerDefault;
  buffer.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kBufferUsec, &spec));
  buffer.prebuf = kServerDefault;
  buffer.minreq = kServerDefault;
  buffer.fragsize = kServerDefault;
  if (pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                 nullptr) < 0 ||
      !AwaitReady(mainloop_, interrupted_, [&] { return pa_stream_get_state(stream_); },
                  PA_STREAM_READY)) {
    return SpeechStatus::NoAudioOutput(kCannotOpenStream + LastError());
  }
  return SpeechStatus::OK();
}

SpeechStatus PulseAudioSink::Write(std::span<const std::int16_t> samples) {
  pa_threaded_mainloop_lock(mainloop_);
  SpeechStatus status;
  while (!samples.empty() && !interrupted_) {
    const std::size_t writable = StreamGood() ? pa_stream_writable_size(stream_) : 0;
    if (!StreamGood() || writable == static_cast<std::size_t>(-1)) {
      status = SpeechStatus::AudioLost(kServerGone + LastError());
      break;
    }
    const std::size_t count = std::min(samples.size(), writable / sizeof(std::int16_t));
    if (count == 0) {
      pa_threaded_mainloop_wait(mainloop_);
      continue;
    }
    if (pa_stream_write(stream_, samples.data(), count * sizeof(std::int16_t), nullptr, 0,
                        PA_SEEK_RELATIVE) < 0) {
      status = SpeechStatus::AudioLost("the audio server refused the sound: " + LastError());
      break;
    }
    samples = samples.subspan(count);
  }
  pa_threaded_mainloop_unlock(mainloop_);
  return status;
}

SpeechStatus PulseAudioSink::Drain() {
  pa_threaded_mainloop_lock(mainloop_);
  SpeechStatus status;
  pa_operation* drain = (interrupted_ || !StreamGood())
                            ? nullptr
                            : pa_stream_drain(stream_, nullptr, nullptr);
  if (drain != nullptr) {
    pa_operation_set_state_callback(drain, OnOperationState, mainloop_);
    while (pa_operation_get_state(drain) == PA_OPERATION_RUNNING && !interrupted_ &&
           StreamGood()) {
      pa_threaded_mainloop_wait(mainloop_);
    }
    if (pa_operation_get_state(drain) == PA_OPERATION_RUNNING) pa_operation_cancel(drain);
    pa_operation_unref(drain);
  }
  if (!interrupted_ && !StreamGood()) {
    status = SpeechStatus::AudioLost(kServerGone + LastError());
  }
  pa_threaded_mainloop_unlock(mainloop_);
  return status;
}

void PulseAudioSink::Interrupt() {
  std::lock_guard lock(lifetime_mutex_);
  if (mainloop_ == nullptr) return;
  pa_threaded_mainloop_lock(mainloop_);
  interrupted_ = true;
  if (StreamGood()) {
    if (pa_operation* flush = pa_stream_flush(stream_, nullptr, nullptr)) pa_operation_unref(flush);
  }
  pa_threaded_mainloop_signal(mainloop_, 0);
  pa_threaded_mainloop_unlock(mainloop_);
}

void PulseAudioSink::Close() {
  pa_threaded_mainloop* mainloop;
  {
    std::lock_guard lock(lifetime_mutex_);
    mainloop = mainloop_;
  }
  if (mainloop == nullptr) return;
  pa_threaded_mainloop_lock(mainloop);
  if (stream_ != nullptr) {
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
  }
  if (context_ != nullptr) {
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
  }
  pa_threaded_mainloop_unlock(mainloop);
  pa_threaded_mainloop_stop(mainloop);
  {
    std::lock_guard lock(lifetime_mutex_);
    mainloop_ = nullptr;
  }
  pa_threaded_mainloop_free(mainloop);
}

}  // namespace lexmira
