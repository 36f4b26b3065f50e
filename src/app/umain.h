// Umain: the program's one window, Fmain of class TFmain. Its creation runs
// the start-up sequence (FormCreate) and its close request remembers the
// position (FormCloseQuery). It builds the controls and wires their events to
// the drill; the controls, the timer and the stores are its own and live
// exactly as long as it does.
#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <string>

#include "app/counted_messages.h"
#include "app/dialog_choosers.h"
#include "app/qt_countdown.h"
#include "data/database_locations.h"
#include "appearance/display_customizer.h"
#include "appearance/display_looks.h"
#include "drill/drill_session.h"
#include "drill/drill_timer.h"
#include "drill/drill_view.h"
#include "drill/selection.h"
#include "drill/word_cycle.h"
#include "speech/audio_sink.h"
#include "speech/pronouncer.h"

class QAction;
class QCloseEvent;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QWidget;

namespace lexmira {

// What the window asks and speaks through: Qt's standard colour and font
// dialogs and the desktop's audio server, unless a test gives its own
// (choosers given must outlive the window).
struct WindowDevices {
  ColorChooser* colors = nullptr;
  FontChooser* fonts = nullptr;
  std::unique_ptr<AudioSink> audio;
};

class TFmain : public QMainWindow, private DrillView {
  Q_OBJECT

 public:
  // `databases` are where words.mdb and set.mdb are found; `messages` shows
  // the boxes and must outlive the window. Runs the start-up sequence before
  // returning; its errors have been shown.
  TFmain(const DatabaseLocations& databases, Messages& messages, WindowDevices devices = {});
  ~TFmain() override;

  // The controls, addressed by these names from every part of the window.
  QFrame* Panel2;  // the top bar
  QLabel* Label1;
  QComboBox* ComboBox1;  // library selector
  QLabel* Label2;
  QComboBox* ComboBox2;  // interval selector, milliseconds
  QPushButton* BStart;
  QPushButton* BStop;
  QFrame* Panel1;  // the display panel
  QLabel* LWord;
  QLabel* Lmean;
  QLabel* LClass;
  QStatusBar* StatusBar1;

  // The main menu and the entries the window's code names; the pop-up menus
  // of the three fields and the panel. Every entry carries its name as its
  // object name.
  QMenuBar* MainMenu1;
  QAction* NClose;
  QAction* N7;  // 播放 ▸ 开始
  QAction* NStop;
  QAction* NAutoSpeak;  // exactly one of the two speaking entries is checked
  QAction* NStopSpeak;
  QAction* Nhelp;
  QAction* NAbout;
  QMenu* PopupMenu1;  // LWord's
  QMenu* PopupMenu2;  // Lmean's
  QMenu* PopupMenu3;  // LClass's
  QMenu* PopupMenu4;  // Panel1's

 private:
  QtCountdown countdown_;  // declared before TimerPlay, which drives it

 public:
  DrillTimer TimerPlay;  // the drill timer: off at start, 2000 ms

  // The countdown under TimerPlay, to see whether ticks are due.
  const QtCountdown& countdown() const { return countdown_; }
  // The word table (ADOTable1), the settings table (ADOTable2) and what
  // start-up and closing do with them.
  DrillSession& session() { return session_; }

  // What the display area looks like now.
  const DisplayLooks& looks() const { return looks_; }

  // The event handlers, each inside the one error box.
  void BStartClick();
  void BStopClick();
  void N7Click();
  void NStopClick();
  void TimerPlayTimer();
  void ComboBox1Change();
  void ComboBox2Change();
  void NAutoSpeakClick();
  void NStopSpeakClick();
  void NhelpClick();
  void NAboutClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildTopBar();
  void BuildDisplayPanel();
  void BuildStatusBar();
  void BuildMainMenu();
  void BuildPopupMenus();
  void ConnectHandlers();
  void ConnectRestyling();

  // Puts the look of `target` on its control; a panel colour reaches every
  // field that shows the panel through.
  void ApplyLook(DisplayTarget target);

  // Start-up sequence; every step's uncaught error ends it in the error box.
  void FormCreate();
  void OpenStores();

  // The drill's start and stop, for the buttons and the menu.
  void Start();
  void Stop();

  // Shows a failure of the voice once, on the window's thread.
  void ShowSpeechFailure();

  // Close request: remembers the position; the window always closes.
  void FormCloseQuery();

  // DrillView: the display fields and the two boxes.
  void ShowWord(const std::string& text) override;
  void ShowMeaning(const std::string& text) override;
  void ShowClass(const std::string& text) override;
  void SetLibraryText(const std::string& text) override;
  void SetIntervalText(const std::string& text) override;

  const DatabaseLocations databases_;
  // Help and about go straight to the boxes: ticks go on behind them.
  Messages& plain_messages_;
  CountedMessages messages_;
  StandardColorDialog ColorDialog1;
  StandardFontDialog FontDialog1;
  DisplayLooks looks_;
  DisplayCustomizer customizer_;
  DrillSession session_;
  WordCycle cycle_;
  Selection selection_;
  // The voice SpVoice1 and how words reach it; its worker thread ends with
  // it, before the window's own parts go.
  Pronouncer pronouncer_;
};

}  // namespace lexmira
