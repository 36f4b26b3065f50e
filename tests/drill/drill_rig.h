// A drill over real databases in a scratch directory, with the window's
// parts replaced by recorders: the view, the boxes and the countdown.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/message_sink.h"
#include "drill/drill_session.h"
#include "drill/drill_timer.h"
#include "drill/drill_view.h"
#include "drill/selection.h"
#include "drill/word_cycle.h"
#include "scratch_dir.h"

namespace lexmira::testing {

struct Word {
  std::string id, word, meaning;  // meaning in UTF-8, stored enciphered
  std::optional<std::string> word_class;
};

class RecordingView final : public DrillView {
 public:
  void ShowWord(const std::string& text) override { word = text; }
  void ShowMeaning(const std::string& text) override { meaning = text; }
  void ShowClass(const std::string& text) override { word_class = text; }
  void SetLibraryText(const std::string& text) override { library_texts.push_back(text); }
  void SetIntervalText(const std::string& text) override { interval_texts.push_back(text); }

  std::vector<std::string> Fields() const { return {word, meaning, word_class}; }

  std::string word = "LWord", meaning = "Lmean", word_class = "LClass";
  std::vector<std::string> library_texts, interval_texts;
};

class RecordingMessages final : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

class RecordingCountdown final : public Countdown {
 public:
  void Begin(int interval_ms) override { running_ms = interval_ms; ++begun; }
  void Cancel() override { running_ms = 0; }
  int running_ms = 0;  // 0 while no countdown runs
  int begun = 0;       // fresh countdowns so far
};

class DrillRig {
 public:
  // words.mdb with tables "0" to "7" (those not given get one row), and an
  // empty set.mdb; or, with `stored_meanings`, meanings stored as given.
  explicit DrillRig(const std::map<int, std::vector<Word>>& tables,
                    bool stored_meanings = false);

  // Opens both stores and restores what set.mdb remembers, as start-up does.
  void StartUp();
  // What set.mdb holds in `column`, read back from the file.
  std::string Saved(const char* column) const;

  test_support::ScratchDir dir;
  RecordingView view;
  RecordingMessages messages;
  RecordingCountdown countdown;
  DrillTimer timer{countdown};
  DrillSession session{view, timer, messages};
  WordCycle cycle{session.words(), timer, view, messages};
  Selection selection{session, timer, view};
};

}  // namespace lexmira::testing
