// DrillSession: the two stores of a run and what the window shows at
// start-up. It opens words.mdb and set.mdb, restores the remembered library,
// interval and position, shows the remembered row, saves each choice, and
// remembers the position when the window closes.
#pragma once

#include <optional>
#include <string>

#include "data/message_sink.h"
#include "data/settings_store.h"
#include "data/word_store.h"
#include "drill/drill_timer.h"
#include "drill/drill_view.h"

namespace lexmira {

class DrillSession {
 public:
  // The library start-up opens, whatever library is remembered.
  static constexpr char kFirstLibraryTable[] = "0";

  // `view`, `timer` and `messages` must outlive the session.
  DrillSession(DrillView& view, DrillTimer& timer, MessageSink& messages);
  DrillSession(const DrillSession&) = delete;
  DrillSession& operator=(const DrillSession&) = delete;

  // Opens the word database at `path` (a native path) on its first library.
  // A missing or unreadable file is not thrown: the text to show the learner
  // (naming the file and the reason) is returned and the word table stays
  // closed, so the window opens without a word instead of failing on every
  // later read.
  std::optional<std::string> OpenWords(const std::string& path);

  // Opens the settings database at `path`, creating it empty (and its
  // folder) when it does not exist; an existing file is never replaced. A
  // read-only file still gives its remembered choices. When the file is
  // read-only or can be neither opened nor created, returns the text to show
  // the learner once; choices are then not remembered and saving them does
  // nothing.
  std::optional<std::string> OpenSettings(const std::string& path);

  // Restores the remembered choices, each only when its text is not empty:
  // the library text into the library box, and that library opened for real
  // when it names one; the interval text into the interval box, and into the
  // timer when it is a whole number of 0 or more; the position found in the
  // open library. The drill stays stopped.
  void RestoreRememberedChoices();

  // Shows the current row with its word as stored (start-up does not trim).
  void ShowCurrentRow();

  // Writes `text` into the settings row's `column`, unless choices are not
  // remembered (see OpenSettings). Errors of the write are thrown.
  void SaveSetting(const char* column, const std::string& text);

  // Remembers the shown row's "id" as the position; with no word table open
  // there is no position to remember.
  void RememberPosition();

  // Whether the remembered choices could be read, and whether new ones are
  // written.
  bool settings_available() const { return settings_.IsOpen(); }
  bool remembers_choices() const { return settings_.IsOpen() && !settings_.read_only(); }
  WordStore& words() { return words_; }
  const WordStore& words() const { return words_; }
  const SettingsStore& settings() const { return settings_; }

 private:
  DrillView& view_;
  DrillTimer& timer_;
  MessageSink& messages_;
  WordStore words_;         // ADOTable1
  SettingsStore settings_;  // ADOTable2
};

}  // namespace lexmira
