// The drill as the learner drives it through the window, offscreen: the
// buttons, the two boxes typed into and picked from, and the ticks, which
// the tests deliver themselves instead of waiting on the clock.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/application.h"
#include "app/umain.h"
#include "data/columns.h"
#include "program_dir.h"
#include "quiet_devices.h"
#include "recording_messages.h"

using lexmira::TFmain;
using lexmira::testing::Enciphered;
using lexmira::testing::ProgramDir;
using lexmira::testing::QuietDevices;
using lexmira::testing::RecordingMessages;

namespace {

QStringList Shown(const TFmain& window) {
  return {window.LWord->text(), window.Lmean->text(), window.LClass->text()};
}

// Types `text` into a box's editor key by key, at its end, as an input
// method hands over Chinese characters: one key event each.
void Type(QComboBox* box, const QString& text) {
  QLineEdit* editor = box->lineEdit();
  editor->setFocus();
  editor->end(false);
  for (const QChar c : text) {
    QTest::sendKeyEvent(QTest::Press, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

void ClearBox(QComboBox* box) {
  box->lineEdit()->selectAll();
  QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
}

}  // namespace

class WindowDrillTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void StartStopAndTicks();
  void PickingALibraryFromTheList();
  void TypingALibraryName();
  void EnterOrLeavingTheBoxChangesNothing();
  void TypingAnInterval();
  void EmptyIntervalIsTheConversionError();
  void TheNextStartRestoresTheChoices();
  void BrokenMeaningShowsOneBoxNeverAPile_data();
  void BrokenMeaningShowsOneBoxNeverAPile();

 private:
  void Open();

  std::unique_ptr<ProgramDir> dir_;
  RecordingMessages boxes_;
  std::unique_ptr<TFmain> window_;
};

void WindowDrillTest::initTestCase() { lexmira::SetUpApplication(*qApp); }

void WindowDrillTest::init() {
  dir_ = std::make_unique<ProgramDir>();
  dir_->WriteWords({
      {0,
       {{"1", "apple", Enciphered("苹果"), "三年级"},
        {"2", "  book ", Enciphered("书"), "三年级"},
        {"3", "cat", Enciphered("猫"), "四年级"}}},
      {4,
       {{"1", "abandon", Enciphered("放弃"), "CET6"},
        {"2", "ability", Enciphered("能力"), "CET6"}}},
  });
  dir_->WriteSettings({});
  boxes_ = RecordingMessages();
}

void WindowDrillTest::Open() {
  window_ = std::make_unique<TFmain>(dir_->databases(), boxes_, QuietDevices());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void WindowDrillTest::cleanup() {
  window_.reset();
  dir_.reset();
}

void WindowDrillTest::StartStopAndTicks() {
  Open();
  TFmain& w = *window_;
  QTest::mouseClick(w.BStart, Qt::LeftButton);
  QVERIFY(w.TimerPlay.enabled());
  QVERIFY(w.countdown().timer().isActive());
  QCOMPARE(w.countdown().timer().interval(), 2000);
  QCOMPARE(w.countdown().timer().timerType(), Qt::PreciseTimer);
  QCOMPARE(Shown(w), (QStringList{"apple", "苹果", "三年级"}));  // nothing until the first tick

  w.TimerPlayTimer();
  QCOMPARE(Shown(w), (QStringList{"book", "书", "三年级"}));
  w.TimerPlayTimer();
  w.TimerPlayTimer();
  QCOMPARE(Shown(w), (QStringList{"cat", "猫", "四年级"}));

  QTest::mouseClick(w.BStop, Qt::LeftButton);
  QVERIFY(!w.TimerPlay.enabled());
  QVERIFY(!w.countdown().timer().isActive());
  QCOMPARE(boxes_.errors, QStringList());
}

// A pick from the list, as the arrow keys make it in the closed box.
void WindowDrillTest::PickingALibraryFromTheList() {
  Open();
  TFmain& w = *window_;
  w.ComboBox1->setFocus();
  for (int i = 0; i < 4; ++i) QTest::keyClick(w.ComboBox1, Qt::Key_Down);
  QCOMPARE(w.ComboBox1->currentText(), QString("六级词汇"));
  QCOMPARE(QString::fromStdString(w.session().words().library()), QString("4"));
  QCOMPARE(w.LClass->text(), QString("六级英语"));
  QVERIFY(w.TimerPlay.enabled());
  QCOMPARE(QString::fromStdString(dir_->ReadSettings().word_class), QString("六级词汇"));
  w.TimerPlayTimer();
  QCOMPARE(Shown(w), (QStringList{"ability", "能力", "CET6"}));
  QCOMPARE(boxes_.errors, QStringList());
}

// Typed key by key: a space at either end disappears at once, and the name
// opens its library at the edit that completes it.
void WindowDrillTest::TypingALibraryName() {
  Open();
  TFmain& w = *window_;
  ClearBox(w.ComboBox1);
  Type(w.ComboBox1, " ");
  QCOMPARE(w.ComboBox1->currentText(), QString());
  Type(w.ComboBox1, "六级词");
  QCOMPARE(QString::fromStdString(w.session().words().library()), QString("0"));
  QVERIFY(!w.TimerPlay.enabled());
  Type(w.ComboBox1, "汇");
  QCOMPARE(QString::fromStdString(w.session().words().library()), QString("4"));
  QVERIFY(w.TimerPlay.enabled());
  Type(w.ComboBox1, " ");
  QCOMPARE(w.ComboBox1->currentText(), QString("六级词汇"));
  QCOMPARE(QString::fromStdString(dir_->ReadSettings().word_class), QString("六级词汇"));
  QCOMPARE(boxes_.errors, QStringList());
}

// Only edits and picks are changes: Enter and leaving the box neither reopen
// the library (starting it again from its first row) nor save anything.
void WindowDrillTest::EnterOrLeavingTheBoxChangesNothing() {
  Open();
  TFmain& w = *window_;
  w.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  ClearBox(w.ComboBox1);
  Type(w.ComboBox1, "六级词汇");
  QVERIFY(w.ComboBox1->lineEdit()->hasFocus());
  w.TimerPlayTimer();
  const int countdown = w.countdown().timer().timerId();
  QTest::keyClick(w.ComboBox1->lineEdit(), Qt::Key_Return);
  w.ComboBox2->lineEdit()->setFocus();
  QApplication::processEvents();
  // Still on the second row, the countdown running as it was.
  QCOMPARE(w.session().words().Field("id"), std::string("2"));
  QCOMPARE(w.countdown().timer().timerId(), countdown);
  window_.reset();  // the box loses its focus as the window goes
}

void WindowDrillTest::TypingAnInterval() {
  Open();
  TFmain& w = *window_;
  QTest::mouseClick(w.BStart, Qt::LeftButton);
  ClearBox(w.ComboBox2);  // the empty text is the conversion error
  boxes_.errors.clear();
  Type(w.ComboBox2, "1500");
  QCOMPARE(w.TimerPlay.interval(), 1500);
  QCOMPARE(w.countdown().timer().interval(), 1500);
  QVERIFY(w.TimerPlay.enabled());
  QCOMPARE(QString::fromStdString(dir_->ReadSettings().time), QString("1500"));
  QCOMPARE(boxes_.errors, QStringList());
}

void WindowDrillTest::EmptyIntervalIsTheConversionError() {
  Open();
  TFmain& w = *window_;
  Type(w.ComboBox2, "0");  // "20000"
  ClearBox(w.ComboBox2);
  QCOMPARE(boxes_.errors, QStringList{"'' is not a valid integer value."});
  QCOMPARE(w.TimerPlay.interval(), 20000);
  QCOMPARE(QString::fromStdString(dir_->ReadSettings().time), QString("20000"));
}

void WindowDrillTest::TheNextStartRestoresTheChoices() {
  Open();
  Type(window_->ComboBox2, "0");  // "20000"
  window_->ComboBox1->setFocus();
  for (int i = 0; i < 4; ++i) QTest::keyClick(window_->ComboBox1, Qt::Key_Down);
  window_->TimerPlayTimer();
  QVERIFY(window_->close());
  window_.reset();

  Open();
  TFmain& w = *window_;
  QCOMPARE(w.ComboBox1->currentText(), QString("六级词汇"));
  QCOMPARE(w.ComboBox2->currentText(), QString("20000"));
  QCOMPARE(w.TimerPlay.interval(), 20000);
  QVERIFY(!w.TimerPlay.enabled());
  QCOMPARE(Shown(w), (QStringList{"ability", "能力", "CET6"}));
}

// Each box below runs the ticks that fall due while it is open, as a real
// box's message loop would; they are dropped, so a library whose meanings
// are broken shows one box per tick that runs, never a pile.
void WindowDrillTest::BrokenMeaningShowsOneBoxNeverAPile_data() {
  QTest::addColumn<QString>("stored");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QStringList>("errors");
  QTest::newRow("odd length") << "ABC" << QStringList{"密文错误！"} << QStringList{};
  QTest::newRow("bad pair") << "4G" << QStringList{}
                            << QStringList{"'$4G' is not a valid integer value."};
}

void WindowDrillTest::BrokenMeaningShowsOneBoxNeverAPile() {
  QFETCH(QString, stored);
  QFETCH(QStringList, messages);
  QFETCH(QStringList, errors);

  QVERIFY(QFile::remove(dir_->FilePath("words.mdb")));
  dir_->WriteWords({{0,
                     {{"1", "apple", Enciphered("苹果"), "一"},
                      {"2", "bad", stored.toStdString(), "二"},
                      {"3", "worse", stored.toStdString(), "三"}}}});
  Open();
  TFmain& w = *window_;
  QTest::mouseClick(w.BStart, Qt::LeftButton);
  int ticks_inside = 0;
  boxes_.while_open = [&] {
    for (int i = 0; i < 5; ++i, ++ticks_inside) w.TimerPlayTimer();
  };
  w.TimerPlayTimer();
  QCOMPARE(ticks_inside, 5);
  QCOMPARE(boxes_.messages, messages);
  QCOMPARE(boxes_.errors, errors);
  QCOMPARE(w.LWord->text(), QString("bad"));  // the dropped ticks did not move on
  QVERIFY(w.TimerPlay.enabled());             // the drill goes on after the box

  boxes_.while_open = nullptr;
  w.TimerPlayTimer();
  QCOMPARE(w.LWord->text(), QString("worse"));
  QCOMPARE(boxes_.messages.size() + boxes_.errors.size(), 2);
}

QTEST_MAIN(WindowDrillTest)
#include "window_drill_test.moc"
