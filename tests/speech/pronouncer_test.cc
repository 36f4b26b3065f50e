#include "speech/pronouncer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "memory_sink.h"
#include "speech/speech_voice.h"

namespace lexmira {
namespace {

using lexmira::testing::MemorySink;

constexpr int kSampleRate = 16000;  // cmu_us_slt's
constexpr int kAudiblePeak = 1000;  // well above rounding noise of 16-bit silence
// A moment for the worker to do what it must not do, in tests of silence.
constexpr auto kGrace = std::chrono::milliseconds(150);

double Seconds(std::size_t samples) { return static_cast<double>(samples) / kSampleRate; }

int Peak(const MemorySink::Segment& sound) {
  int peak = 0;
  for (std::int16_t sample : sound) peak = std::max(peak, std::abs(static_cast<int>(sample)));
  return peak;
}

// How many samples `text` lasts spoken on its own, without any markup.
// (Flite's voice breathes a little noise into each rendering, so only the
// length repeats exactly, not the samples.)
std::size_t LengthAlone(const std::string& text) {
  auto owned = std::make_unique<MemorySink>();
  MemorySink& sink = *owned;
  SpeechVoice voice(std::move(owned), [](const SpeechStatus& status) {
    ADD_FAILURE() << "voice failed: " << status.detail();
  });
  voice.Speak(text, /*flags=*/0);  // waits until spoken
  const std::vector<MemorySink::Segment> segments = sink.segments();
  return segments.empty() ? 0 : segments.front().size();
}

auto SegmentsReach(std::size_t count) {
  return [count](const MemorySink& sink) { return sink.segments().size() >= count; };
}

// A Pronouncer listening through a MemorySink, counting failure reports.
class PronouncerTest : public ::testing::Test {
 protected:
  PronouncerTest() {
    auto owned = std::make_unique<MemorySink>();
    sink_ = owned.get();
    pronouncer_ = std::make_unique<Pronouncer>(std::move(owned));
    pronouncer_->SetFailureListener([this] {
      ++reports_;
      sink_->Interrupt();  // only to wake WaitUntil; nothing is open then
    });
  }

  bool WaitForReports(int count) {
    return sink_->WaitUntil([&](const MemorySink&) { return reports_ >= count; });
  }

  MemorySink* sink_;
  std::unique_ptr<Pronouncer> pronouncer_;
  std::atomic<int> reports_{0};
};

TEST_F(PronouncerTest, SpeaksAWordAudiblyForAPlausibleTime) {
  pronouncer_->ConnectVoice();
  pronouncer_->SpeakWord("apple");
  ASSERT_TRUE(sink_->WaitUntil(SegmentsReach(1)));
  const MemorySink::Segment apple = sink_->segments().front();
  EXPECT_GE(Seconds(apple.size()), 0.2);
  EXPECT_LE(Seconds(apple.size()), 2.0);
  EXPECT_GT(Peak(apple), kAudiblePeak);
  EXPECT_EQ(pronouncer_->TakeFailure(), std::nullopt);
}

TEST_F(PronouncerTest, MarkupIsNeverSpoken) {
  pronouncer_->SpeakWord("");  // the tag alone
  pronouncer_->SpeakWord("apple");
  ASSERT_TRUE(sink_->WaitUntil(SegmentsReach(1)));
  // The tag alone made no sound at all, and the tagged word sounds as the
  // bare word does.
  const std::vector<MemorySink::Segment> segments = sink_->segments();
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_LE(segments[0].size(), LengthAlone("apple"));
  EXPECT_EQ(pronouncer_->TakeFailure(), std::nullopt);
  EXPECT_EQ(reports_, 0);
}

TEST_F(PronouncerTest, WordsComeOutWholeAndInOrder) {
  sink_->PlayInRealTime();
  pronouncer_->SpeakWord("apple");
  pronouncer_->SpeakWord("banana");
  ASSERT_TRUE(sink_->WaitUntil(SegmentsReach(2)));
  // A segment ends when its word has been heard to the end, so the second
  // word's first sample came after the first word's last.
  const std::vector<MemorySink::Segment> segments = sink_->segments();
  ASSERT_EQ(segments.size(), 2u);
  ASSERT_NE(LengthAlone("apple"), LengthAlone("banana"));
  EXPECT_EQ(segments[0].size(), LengthAlone("apple"));
  EXPECT_EQ(segments[1].size(), LengthAlone("banana"));
}

TEST_F(PronouncerTest, StopSilencesAtOnceDropsTheQueueAndTheNextWordReconnects) {
  sink_->PlayInRealTime();
  const std::size_t long_word = LengthAlone("internationalization");
  pronouncer_->SpeakWord("internationalization");
  pronouncer_->SpeakWord("apple");
  pronouncer_->SpeakWord("banana");
  ASSERT_TRUE(sink_->WaitUntil([](const MemorySink& s) { return s.sample_count() > 0; }));

  pronouncer_->StopSpeech();
  const std::size_t heard = sink_->sample_count();
  std::this_thread::sleep_for(kGrace);
  EXPECT_EQ(sink_->sample_count(), heard) << "sound after StopSpeech returned";
  EXPECT_LT(heard, long_word);
  EXPECT_TRUE(sink_->segments().empty()) << "a queued word was spoken after the stop";
  EXPECT_EQ(reports_, 0) << "a stop is no failure";

  pronouncer_->SpeakWord("apple");
  ASSERT_TRUE(sink_->WaitUntil(SegmentsReach(1)));
  EXPECT_EQ(sink_->opens(), 2);
  EXPECT_EQ(sink_->segments().front().size(), LengthAlone("apple"));
}

TEST_F(PronouncerTest, StopWhileSilentIsHarmless) {
  pronouncer_->StopSpeech();
  pronouncer_->StopSpeech();
  pronouncer_->SpeakWord("apple");
  ASSERT_TRUE(sink_->WaitUntil(SegmentsReach(1)));
  EXPECT_EQ(pronouncer_->TakeFailure(), std::nullopt);
}

TEST_F(PronouncerTest, OutputThatCannotOpenIsReportedOnceUntilResumed) {
  sink_->SetOpensFail(true);
  pronouncer_->ConnectVoice();
  ASSERT_TRUE(WaitForReports(1));
  const std::optional<std::string> text = pronouncer_->TakeFailure();
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("没有可用的音频输出"), std::string::npos) << *text;
  EXPECT_NE(text->find("自动朗读"), std::string::npos) << *text;
  EXPECT_EQ(pronouncer_->TakeFailure(), std::nullopt) << "the text is handed out once";

  // Further words are silent: not even an attempt to open, no report.
  pronouncer_->SpeakWord("apple");
  pronouncer_->SpeakWord("banana");
  std::this_thread::sleep_for(kGrace);
  EXPECT_EQ(sink_->open_attempts(), 1);
  EXPECT_EQ(reports_, 1);

  // Resuming tries again: still failing is a new episode, reported once more.
  pronouncer_->ResumeSpeaking();
  pronouncer_->SpeakWord("apple");
  pronouncer_->SpeakWord("banana");
  ASSERT_TRUE(WaitForReports(2));
  std::this_thread::sleep_for(kGrace);
  EXPECT_EQ(reports_, 2);

  // Once the output is back, resuming speaks again.
  sink_->SetOpensFail(false);
  pronouncer_->ResumeSpeaking();
  pronouncer_->SpeakWord("apple");
  ASSERT_TRUE(sink_->WaitUntil(SegmentsReach(1)));
  EXPECT_EQ(reports_, 2);
}

TEST_F(PronouncerTest, OutputLostMidWordIsReconnectedAtTheNextWord) {
  constexpr int kChunksBeforeLoss = 3;
  sink_->FailWriteAfter(kChunksBeforeLoss);
  pronouncer_->SpeakWord("internationalization");
  pronouncer_->SpeakWord("apple");
  ASSERT_TRUE(sink_->WaitUntil(SegmentsReach(1)));
  EXPECT_EQ(sink_->opens(), 2);
  EXPECT_EQ(sink_->segments().front().size(), LengthAlone("apple"));
  EXPECT_EQ(reports_, 0);
  EXPECT_EQ(pronouncer_->TakeFailure(), std::nullopt);
}

TEST_F(PronouncerTest, OutputThatNeverTakesSoundIsReportedOnce) {
  sink_->FailWriteAfter(0, /*every_connection=*/true);
  pronouncer_->SpeakWord("apple");
  pronouncer_->SpeakWord("banana");
  ASSERT_TRUE(WaitForReports(1));
  std::this_thread::sleep_for(kGrace);
  EXPECT_EQ(reports_, 1);
  const std::optional<std::string> text = pronouncer_->TakeFailure();
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("音频输出无法播放声音"), std::string::npos) << *text;
}

}  // namespace
}  // namespace lexmira
