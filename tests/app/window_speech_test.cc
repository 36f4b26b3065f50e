// The words the drill speaks, heard through a voice that speaks into memory:
// the speaking switch, what cuts speech off and what does not, and a voice
// that cannot reach any audio output.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QtTest>
#include <chrono>
#include <thread>

#include "app/application.h"
#include "app/umain.h"
#include "memory_sink.h"
#include "program_dir.h"
#include "recording_messages.h"

using lexmira::TFmain;
using lexmira::testing::Enciphered;
using lexmira::testing::MemorySink;
using lexmira::testing::ProgramDir;
using lexmira::testing::RecordingMessages;

namespace {

// Long enough for the voice to do what it must not do, in tests of silence.
constexpr auto kGrace = std::chrono::milliseconds(200);

auto Texts(std::size_t count) {
  return [count](const MemorySink& sink) { return sink.segments().size() >= count; };
}

}  // namespace

class WindowSpeechTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void TicksSpeakTheirWords();
  void SpeakingSwitch();
  void ChoosingALibraryDoesNotCutSpeech();
  void StopCutsSpeechOffRunningOrNot();
  void VoiceWithoutOutputIsToldOnceAndTheDrillGoesOn();

 private:
  void Open();

  std::unique_ptr<ProgramDir> dir_;
  RecordingMessages boxes_;
  MemorySink* sink_ = nullptr;  // the window's
  std::unique_ptr<TFmain> window_;
};

void WindowSpeechTest::initTestCase() { lexmira::SetUpApplication(*qApp); }

void WindowSpeechTest::init() {
  dir_ = std::make_unique<ProgramDir>();
  dir_->WriteWords({{0,
                     {{"1", "apple", Enciphered("苹果"), "一"},
                      {"2", "  book ", Enciphered("书"), "一"},
                      {"3", "cat", Enciphered("猫"), "一"},
                      {"4", "dog", Enciphered("狗"), "一"}}}});
  dir_->WriteSettings({});
  boxes_ = RecordingMessages();
}

void WindowSpeechTest::Open() {
  auto sink = std::make_unique<MemorySink>();
  sink_ = sink.get();
  lexmira::WindowDevices devices;
  devices.audio = std::move(sink);
  window_ = std::make_unique<TFmain>(dir_->databases(), boxes_, std::move(devices));
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void WindowSpeechTest::cleanup() {
  window_.reset();
  dir_.reset();
}

// Start-up speaks nothing; each tick speaks the word it shows, trimmed, in
// turn behind the one before.
void WindowSpeechTest::TicksSpeakTheirWords() {
  Open();
  std::this_thread::sleep_for(kGrace);
  QCOMPARE(sink_->sample_count(), std::size_t{0});
  window_->TimerPlayTimer();
  window_->TimerPlayTimer();
  QVERIFY(sink_->WaitUntil(Texts(2)));
  const auto segments = sink_->segments();
  QVERIFY(segments[0].size() > 1000);
  QVERIFY(segments[1].size() > 1000);
  QCOMPARE(window_->LWord->text(), QString("cat"));
  QCOMPARE(boxes_.errors, QStringList());
}

void WindowSpeechTest::SpeakingSwitch() {
  Open();
  TFmain& w = *window_;
  w.NStopSpeak->trigger();
  QVERIFY(w.NStopSpeak->isChecked());
  QVERIFY(!w.NAutoSpeak->isChecked());
  w.TimerPlayTimer();
  std::this_thread::sleep_for(kGrace);
  QCOMPARE(sink_->sample_count(), std::size_t{0});
  QCOMPARE(w.LWord->text(), QString("book"));  // shown silently

  w.NAutoSpeak->trigger();
  QVERIFY(w.NAutoSpeak->isChecked());
  QVERIFY(!w.NStopSpeak->isChecked());
  QCOMPARE(sink_->sample_count(), std::size_t{0});  // nothing until the next tick
  w.TimerPlayTimer();
  QVERIFY(sink_->WaitUntil(Texts(1)));
}

// A word being spoken is finished after a library choice.
void WindowSpeechTest::ChoosingALibraryDoesNotCutSpeech() {
  Open();
  sink_->PlayInRealTime();
  window_->TimerPlayTimer();
  QVERIFY(sink_->WaitUntil([](const MemorySink& sink) { return sink.sample_count() > 0; }));
  {
    const QSignalBlocker program_sets_text(window_->ComboBox1);
    window_->ComboBox1->setEditText("初中英语");
  }
  window_->ComboBox1Change();
  QCOMPARE(QString::fromStdString(window_->session().words().library()), QString("1"));
  QVERIFY(sink_->WaitUntil(Texts(1)));
  QCOMPARE(sink_->opens(), 1);
}

void WindowSpeechTest::StopCutsSpeechOffRunningOrNot() {
  Open();
  TFmain& w = *window_;
  sink_->PlayInRealTime();
  w.BStartClick();
  w.TimerPlayTimer();
  w.TimerPlayTimer();  // queued behind the first
  QVERIFY(sink_->WaitUntil([](const MemorySink& sink) { return sink.sample_count() > 0; }));
  w.BStopClick();
  const std::size_t at_stop = sink_->sample_count();
  std::this_thread::sleep_for(kGrace);
  QCOMPARE(sink_->sample_count(), at_stop);
  QCOMPARE(sink_->segments().size(), std::size_t{0});  // neither word was finished

  // Stopped already: the menu's stop still cuts off what a tick started.
  w.TimerPlayTimer();
  QVERIFY(sink_->WaitUntil([&](const MemorySink& sink) { return sink.sample_count() > at_stop; }));
  QCOMPARE(sink_->opens(), 2);  // the voice connected again for it
  w.NStop->trigger();
  const std::size_t at_second_stop = sink_->sample_count();
  std::this_thread::sleep_for(kGrace);
  QCOMPARE(sink_->sample_count(), at_second_stop);
}

// No audio output: one box, shown on the window's thread; the window shows
// its word and drills silently; choosing "自动朗读" again tries again.
void WindowSpeechTest::VoiceWithoutOutputIsToldOnceAndTheDrillGoesOn() {
  auto sink = std::make_unique<MemorySink>();
  sink->SetOpensFail(true);
  sink_ = sink.get();
  lexmira::WindowDevices devices;
  devices.audio = std::move(sink);
  window_ = std::make_unique<TFmain>(dir_->databases(), boxes_, std::move(devices));
  window_->show();
  TFmain& w = *window_;
  QTRY_COMPARE(boxes_.errors.size(), 1);
  QVERIFY2(boxes_.errors[0].contains("不会被朗读"), qPrintable(boxes_.errors[0]));
  QCOMPARE(w.LWord->text(), QString("apple"));

  w.BStartClick();
  for (int tick = 0; tick < 3; ++tick) w.TimerPlayTimer();
  QTest::qWait(static_cast<int>(kGrace.count()));
  QCOMPARE(boxes_.errors.size(), 1);
  QCOMPARE(w.LWord->text(), QString("dog"));
  QVERIFY(w.TimerPlay.enabled());
  const int attempts = sink_->open_attempts();

  w.NAutoSpeak->trigger();
  w.TimerPlayTimer();
  QTRY_COMPARE(boxes_.errors.size(), 2);
  QVERIFY(sink_->open_attempts() > attempts);
}

QTEST_MAIN(WindowSpeechTest)
#include "window_speech_test.moc"
