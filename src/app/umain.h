// Umain: the program's one window, Fmain of class TFmain. Its creation runs
// the start-up sequence (FormCreate) and its close request remembers the
// position (FormCloseQuery). It builds the controls and wires them to the
// drill; the controls, the timer and the stores are its own and live exactly
// as long as it does.
#pragma once

#include <QMainWindow>
#include <QString>
#include <string>

#include "app/qt_countdown.h"
#include "drill/drill_session.h"
#include "drill/drill_timer.h"
#include "drill/drill_view.h"

class QCloseEvent;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace lexmira {

class Messages;

// The database files, looked for in the program's directory.
inline constexpr char kWordsFileName[] = "words.mdb";
inline constexpr char kSettingsFileName[] = "set.mdb";

class TFmain : public QMainWindow, private DrillView {
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

  // The countdown under the drill timer; TimerPlay decides when it runs.
  const QtCountdown& countdown() const { return countdown_; }

 private:
  QtCountdown countdown_;

 public:
  DrillTimer TimerPlay;  // the drill timer: off at start, 2000 ms

  // The word table (ADOTable1), the settings table (ADOTable2) and what
  // start-up and closing do with them.
  DrillSession& session() { return session_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();

  // Start-up sequence; every step's uncaught error ends it in the error box.
  void FormCreate();
  void OpenStores();

  // Close request: remembers the position; the window always closes.
  void FormCloseQuery();

  // DrillView: the display fields and the two boxes.
  void ShowWord(const std::string& text) override;
  void ShowMeaning(const std::string& text) override;
  void ShowClass(const std::string& text) override;
  void SetLibraryText(const std::string& text) override;
  void SetIntervalText(const std::string& text) override;

  const QString program_dir_;
  Messages& messages_;
  DrillSession session_;
};

}  // namespace lexmira
