// Umain: the program's one window, Fmain of class TFmain. Its creation runs
// the start-up sequence (FormCreate) and its close request remembers the
// position (FormCloseQuery); the controls and stores are its fields and live
// exactly as long as it does.
#pragma once

#include <QMainWindow>
#include <QString>
#include <string>

#include "data/settings_store.h"
#include "data/word_store.h"

class QCloseEvent;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace lexmira {

class Messages;

// The database files, looked for in the program's directory.
inline constexpr char kWordsFileName[] = "words.mdb";
inline constexpr char kSettingsFileName[] = "set.mdb";

// The interface is Chinese, so its font is a Chinese face that has Latin
// letters too: the Hei face fontconfig itself picks for Simplified Chinese.
// With a Latin default font, the first Chinese text sends Qt through
// fontconfig's whole fallback list; where this family is missing, Qt still
// falls back that way.
inline constexpr char kInterfaceFontFamily[] = "WenQuanYi Zen Hei";

class TFmain : public QMainWindow {
  Q_OBJECT

 public:
  // `program_dir` is the directory of the running program file, where the
  // databases lie; `messages` shows the boxes and must outlive the window.
  // Runs the start-up sequence before returning; its errors have been shown.
  TFmain(const QString& program_dir, Messages& messages, QWidget* parent = nullptr);
  ~TFmain() override;

  // The controls, addressed by these names from every part of the window.
  QLabel* LWord;
  QLabel* Lmean;
  QLabel* LClass;
  QComboBox* ComboBox1;  // library selector
  QComboBox* ComboBox2;  // interval selector, milliseconds
  QPushButton* BStart;
  QTimer* TimerPlay;     // the drill timer: off at start, 2000 ms

  // The word table (ADOTable1) and the settings table (ADOTable2).
  WordStore ADOTable1;
  SettingsStore ADOTable2;

  // False when set.mdb could neither be opened nor created: the learner was
  // told once at start-up, and choices are then simply not remembered.
  bool settings_available() const { return settings_available_; }

  // Writes `text` into the settings row's `column`, unless the settings are
  // unavailable. Errors of the write reach the caller.
  void SaveSetting(const std::string& column, const std::string& text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();

  // Start-up sequence; every step's uncaught error ends it in the error box.
  void FormCreate();
  void OpenWordStore();
  void OpenSettingsStore();
  void RestoreRememberedChoices();
  void ShowCurrentRow();

  // Close request: remembers the position; the window always closes.
  void FormCloseQuery();

  QString DatabasePath(const char* file_name) const;

  const QString program_dir_;
  Messages& messages_;
  bool settings_available_ = false;
};

}  // namespace lexmira
