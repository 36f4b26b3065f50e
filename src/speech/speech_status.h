// SpeechStatus: the outcome of a voice or audio-output call, either ok or a
// kind of failure with a technical detail (the audio server's own words).
#pragma once

#include <string>
#include <utility>

namespace lexmira {

class SpeechStatus {
 public:
  enum class Code {
    kOk,
    kNoAudioOutput,  // the audio output could not be opened (no server, no device)
    kAudioLost,      // the audio output went away while a word was played
    kSynthesis,      // the synthesiser could not make the word's sound
  };

  SpeechStatus() = default;  // ok

  static SpeechStatus OK() { return SpeechStatus(); }
  static SpeechStatus NoAudioOutput(std::string detail) {
    return SpeechStatus(Code::kNoAudioOutput, std::move(detail));
  }
  static SpeechStatus AudioLost(std::string detail) {
    return SpeechStatus(Code::kAudioLost, std::move(detail));
  }
  static SpeechStatus Synthesis(std::string detail) {
    return SpeechStatus(Code::kSynthesis, std::move(detail));
  }

  bool ok() const { return code_ == Code::kOk; }
  Code code() const { return code_; }
  const std::string& detail() const { return detail_; }

 private:
  SpeechStatus(Code code, std::string detail) : code_(code), detail_(std::move(detail)) {}

  Code code_ = Code::kOk;
  std::string detail_;
};

}  // namespace lexmira
