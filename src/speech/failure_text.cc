#include "speech/failure_text.h"

namespace lexmira {
namespace {

constexpr char kNotSpoken[] = "，单词将不会被朗读。";
constexpr char kCheckAudio[] =
    "请检查声音设备和音频服务，然后在“选项”菜单中重新选择“自动朗读”。";
constexpr char kTryAgain[] = "请在“选项”菜单中重新选择“自动朗读”再试一次。";

}  // namespace

std::string FailureText(const SpeechStatus& failure) {
  const std::string detail = "（" + failure.detail() + "）";
  switch (failure.code()) {
    case SpeechStatus::Code::kNoAudioOutput:
      return "没有可用的音频输出" + detail + kNotSpoken + kCheckAudio;
    case SpeechStatus::Code::kAudioLost:
      return "音频输出无法播放声音" + detail + kNotSpoken + kCheckAudio;
    case SpeechStatus::Code::kSynthesis:
    case SpeechStatus::Code::kOk:
      break;
  }
  return "语音合成失败" + detail + kNotSpoken + kTryAgain;
}

}  // namespace lexmira
