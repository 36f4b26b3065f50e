// PulseAudioSink against a real server: with_private_pulseaudio.sh starts
// one with a null sink and says which through PULSE_SERVER and PULSE_SINK;
// parec records the sink's monitor while a word is spoken.
#include "speech/pulse_audio_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "speech/pronouncer.h"

namespace lexmira {
namespace {

constexpr int kRecordRate = 16000;
// The word lasts about a second; an idle null sink takes up to two seconds
// to notice a new stream (a sound card's sink starts at once).
constexpr int kRecordSeconds = 5;
constexpr int kAudiblePeak = 1000;
constexpr int kRecordLimitSeconds = 20;  // parec is stopped after this at the latest
constexpr std::size_t kReadBlock = 4096;

const char* RequireEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

class PulseAudioSinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sink_name_ = RequireEnv("PULSE_SINK");
    if (RequireEnv("PULSE_SERVER") == nullptr || sink_name_ == nullptr) {
      GTEST_SKIP() << "needs a private server: run through with_private_pulseaudio.sh";
    }
  }
  const char* sink_name_ = nullptr;
};

TEST_F(PulseAudioSinkTest, SpokenWordIsHeardOnTheServer) {
  const std::string command = "timeout " + std::to_string(kRecordLimitSeconds) +
                              " parec --raw --latency-msec=20 --format=s16le --channels=1 --rate=" +
                              std::to_string(kRecordRate) + " --device=" + sink_name_ +
                              ".monitor 2>/dev/null";  // it complains of the pipe we close
  FILE* recorder = popen(command.c_str(), "r");
  ASSERT_NE(recorder, nullptr) << command;

  std::vector<std::int16_t> recording(static_cast<std::size_t>(kRecordRate) * kRecordSeconds);
  std::size_t recorded = 0;
  Pronouncer pronouncer;
  bool spoken = false;
  while (recorded < recording.size()) {
    const std::size_t want = std::min(kReadBlock, recording.size() - recorded);
    const std::size_t got =
        std::fread(recording.data() + recorded, sizeof(std::int16_t), want, recorder);
    if (got == 0) break;
    recorded += got;
    if (!spoken) {  // the recording runs: now speak into it
      pronouncer.SpeakWord("apple");
      spoken = true;
    }
  }
  pclose(recorder);
  ASSERT_EQ(recorded, recording.size()) << "parec stopped early: " << command;
  EXPECT_EQ(pronouncer.TakeFailure(), std::nullopt);

  int peak = 0;
  for (std::int16_t sample : recording) peak = std::max(peak, std::abs(static_cast<int>(sample)));
  EXPECT_GT(peak, kAudiblePeak) << "the server's monitor heard only silence";
}

TEST_F(PulseAudioSinkTest, NoServerIsNoAudioOutput) {
  const std::string server = std::getenv("PULSE_SERVER");
  setenv("PULSE_SERVER", "unix:/nonexistent/lexmira/native", 1);
  PulseAudioSink sink;
  const SpeechStatus status = sink.Open(kRecordRate);
  setenv("PULSE_SERVER", server.c_str(), 1);
  EXPECT_EQ(status.code(), SpeechStatus::Code::kNoAudioOutput);
  EXPECT_FALSE(status.detail().empty());
}

}  // namespace
}  // namespace lexmira
