// The window's face as it opens, driven offscreen: every control's place,
// font as drawn, colours, texts and hints; and how the face follows a
// resized frame.
#include <QComboBox>
#include <QFrame>
#include <QGlyphRun>
#include <QLabel>
#include <QPushButton>
#include <QRawFont>
#include <QStatusBar>
#include <QTextLayout>
#include <QtTest>

#include "app/application.h"
#include "app/umain.h"
#include "program_dir.h"
#include "quiet_devices.h"
#include "recording_messages.h"

using lexmira::TFmain;
using lexmira::testing::ProgramDir;
using lexmira::testing::QuietDevices;
using lexmira::testing::RecordingMessages;

namespace {

constexpr char kLatin[] = "DejaVu Sans";
constexpr char kHei[] = "WenQuanYi Zen Hei";
constexpr char kSong[] = "AR PL UMing CN";

// The face Qt draws `c` in with `font`, as fontconfig names it.
QString DrawnFace(const QFont& font, QChar c) {
  QTextLayout layout(QString(c), font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  return runs.size() == 1 ? runs[0].rawFont().familyName().toLower() : QString("(none)");
}

bool IsChinese(QChar c) { return c.unicode() >= 0x2e80; }

// Every character of `text` is drawn in the face expected for its script.
void CheckDrawnFaces(const QFont& font, const QString& text, const QString& latin_face,
                     const QString& chinese_face) {
  for (const QChar c : text) {
    if (c.isSpace()) continue;
    const QString expected = (IsChinese(c) ? chinese_face : latin_face).toLower();
    QVERIFY2(DrawnFace(font, c) == expected,
             qPrintable(QString("'%1' of \"%2\" drawn in %3, not %4")
                            .arg(c)
                            .arg(text, DrawnFace(font, c), expected)));
  }
}

QColor Rgb(QRgb rgb) { return QColor::fromRgb(rgb); }

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void Controls_data();
  void Controls();
  void Window();
  void ResizedFrame();
  void LongWordCutOnBothSides();
  void DrawnInTheRightFaces();
  void EveryTextDrawnInTheFacesItsFontNames();

 private:
  std::unique_ptr<ProgramDir> dir_;
  RecordingMessages boxes_;
  std::unique_ptr<TFmain> window_;
};

void WindowLayoutTest::initTestCase() {
  lexmira::SetUpApplication(*qApp);
  for (const char* face : {kLatin, kHei, kSong}) {
    QVERIFY2(QFontDatabase::hasFamily(face), face);
  }
}

// The window before any row is shown: words.mdb is missing.
void WindowLayoutTest::init() {
  dir_ = std::make_unique<ProgramDir>();
  boxes_ = RecordingMessages();
  window_ = std::make_unique<TFmain>(dir_->databases(), boxes_, QuietDevices());
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void WindowLayoutTest::cleanup() {
  window_.reset();
  dir_.reset();
}

void WindowLayoutTest::Controls_data() {
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<int>("pixel_size");
  QTest::addColumn<bool>("bold");
  QTest::addColumn<QString>("latin_face");
  QTest::addColumn<QString>("chinese_face");
  QTest::addColumn<QColor>("text_color");
  QTest::addColumn<QColor>("background");  // invalid: the parent's shows through
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("hint");

  const QColor blue = Rgb(0x0000ff), red = Rgb(0xff0000), white = Rgb(0xffffff),
               green = Rgb(0x008000), none;
  // The boxes' text colour is the desktop's; only the labels are blue.
  const QColor desktop_text = QPalette().color(QPalette::Text);
  const QColor button_text = QPalette().color(QPalette::ButtonText);
  QTest::newRow("Label1") << "Panel2" << QRect(8, 16, 60, 13) << 11 << false << kLatin << kHei
                          << blue << none << "选择词库：" << "";
  QTest::newRow("ComboBox1") << "Panel2" << QRect(72, 11, 121, 21) << 11 << true << kLatin
                             << kHei << desktop_text << none << "小学英语" << "";
  QTest::newRow("Label2") << "Panel2" << QRect(208, 16, 60, 13) << 11 << false << kLatin << kHei
                          << blue << none << "时间间隔：" << "";
  QTest::newRow("ComboBox2") << "Panel2" << QRect(272, 11, 73, 21) << 11 << true << kLatin
                             << kHei << desktop_text << none << "2000"
                             << "毫秒(1秒=1000毫秒)";
  QTest::newRow("BStart") << "Panel2" << QRect(376, 8, 75, 25) << 11 << false << kLatin << kHei
                          << button_text << none << "开始" << "点击开始背单词";
  QTest::newRow("BStop") << "Panel2" << QRect(480, 8, 75, 25) << 11 << false << kLatin << kHei
                         << button_text << none << "停止" << "点击停止背单词";
  QTest::newRow("LWord") << "Panel1" << QRect(32, 37, 537, 29) << 24 << true << kLatin << kHei
                         << white << blue << "LWord" << "";
  QTest::newRow("Lmean") << "Panel1" << QRect(32, 93, 537, 29) << 24 << true << kHei << kHei
                         << white << red << "Lmean" << "";
  QTest::newRow("LClass") << "Panel1" << QRect(488, 143, 193, 20) << 13 << true << kSong << kSong
                          << green << none << "LClass" << "";
}

void WindowLayoutTest::Controls() {
  QFETCH(QString, parent);
  QFETCH(QRect, geometry);
  QFETCH(int, pixel_size);
  QFETCH(bool, bold);
  QFETCH(QString, latin_face);
  QFETCH(QString, chinese_face);
  QFETCH(QColor, text_color);
  QFETCH(QColor, background);
  QFETCH(QString, text);
  QFETCH(QString, hint);

  auto* control = window_->findChild<QWidget*>(QTest::currentDataTag());
  QVERIFY(control != nullptr);
  QCOMPARE(control->parentWidget()->objectName(), parent);
  QCOMPARE(control->geometry(), geometry);
  QCOMPARE(control->font().pixelSize(), pixel_size);
  QCOMPARE(control->font().bold(), bold);
  QCOMPARE(control->toolTip(), hint);
  QString shown;
  if (auto* label = qobject_cast<QLabel*>(control)) {
    shown = label->text();
    QCOMPARE(label->palette().color(QPalette::WindowText), text_color);
    QVERIFY(!label->wordWrap());
    QVERIFY(label->alignment() & Qt::AlignTop);
  } else if (auto* box = qobject_cast<QComboBox*>(control)) {
    shown = box->currentText();
    QCOMPARE(box->palette().color(QPalette::Text), text_color);
  } else if (auto* button = qobject_cast<QPushButton*>(control)) {
    shown = button->text();
    QCOMPARE(button->palette().color(QPalette::ButtonText), text_color);
  }
  QCOMPARE(shown, text);
  QCOMPARE(control->autoFillBackground(), background.isValid());
  if (background.isValid()) QCOMPARE(control->palette().color(QPalette::Window), background);
  CheckDrawnFaces(control->font(), shown + control->toolTip(), latin_face, chinese_face);
}

void WindowLayoutTest::Window() {
  TFmain& w = *window_;
  QCOMPARE(w.windowTitle(), QString("Lexmira"));
  QCOMPARE(w.pos(), QPoint(200, 0));
  QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
  QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
  QCOMPARE(w.font().pixelSize(), 11);
  QCOMPARE(w.palette().color(QPalette::Window), QPalette().color(QPalette::Button));

  // Under the menu bar: the top bar, the display panel and the status bar.
  const int top = w.centralWidget()->y();
  QCOMPARE(w.centralWidget()->width(), 595);
  QCOMPARE(w.Panel2->geometry(), QRect(0, 0, 595, 41));
  QCOMPARE(w.Panel1->geometry(), QRect(0, 41, 595, 162));
  QCOMPARE(w.StatusBar1->geometry(), QRect(0, top + 41 + 162, 595, 20));
  QCOMPARE(w.height(), top + 41 + 162 + 20);

  QCOMPARE(w.Panel2->frameShape(), QFrame::Panel);
  QCOMPARE(w.Panel2->frameShadow(), QFrame::Raised);
  QVERIFY(w.Panel2->autoFillBackground());
  QCOMPARE(w.Panel2->palette().color(QPalette::Window), QPalette().color(QPalette::Highlight));
  QCOMPARE(w.Panel1->frameShape(), QFrame::NoFrame);
  QCOMPARE(w.Panel1->palette().color(QPalette::Window), Rgb(0x000000));

  auto* status = w.StatusBar1->findChild<QLabel*>();
  QVERIFY(status != nullptr);
  QVERIFY2(status->text().startsWith("《Lexmira》是一款简单，实用的背单词软件，欢迎您使用。"),
           qPrintable(status->text()));
  QVERIFY(status->text().size() > QString("《Lexmira》是一款简单，实用的背单词软件，欢迎您使用。").size());
}

// The top bar spans the new width at its height, the panel takes the rest,
// and every control keeps its place in its parent.
void WindowLayoutTest::ResizedFrame() {
  TFmain& w = *window_;
  QHash<QString, QRect> before;
  const QList<QWidget*> controls = w.Panel1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly) +
                                   w.Panel2->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* control : controls) before[control->objectName()] = control->geometry();
  const int top = w.centralWidget()->y();
  w.resize(800, w.height() + 100);
  QTRY_COMPARE(w.Panel2->geometry(), QRect(0, 0, 800, 41));
  QCOMPARE(w.Panel1->geometry(), QRect(0, 41, 800, 262));
  QCOMPARE(w.StatusBar1->geometry(), QRect(0, top + 41 + 262, 800, 20));
  for (QWidget* control : controls) QCOMPARE(control->geometry(), before[control->objectName()]);
}

// Centred and wider than the field: cut at both edges, the middle shown.
void WindowLayoutTest::LongWordCutOnBothSides() {
  QLabel* field = window_->LWord;
  field->setText(QString(80, QChar('W')));
  const QImage image = field->grab().toImage();
  const QColor blue = Rgb(0x0000ff);
  const auto has_text = [&](int x) {
    for (int y = 0; y < image.height(); ++y) {
      if (image.pixelColor(x, y) != blue) return true;
    }
    return false;
  };
  QVERIFY(has_text(0));
  QVERIFY(has_text(image.width() - 1));
  QCOMPARE(image.width(), field->width() * image.devicePixelRatio());
}

// A shown row: the English word in the Latin face, the meaning and class in
// their Chinese faces, none through a search of the system's fonts.
void WindowLayoutTest::DrawnInTheRightFaces() {
  CheckDrawnFaces(window_->LWord->font(), "abandonment", kLatin, kHei);
  CheckDrawnFaces(window_->Lmean->font(), "n. 放弃，抛弃；放纵", kHei, kHei);
  CheckDrawnFaces(window_->LClass->font(), "六级英语 CET6", kSong, kSong);
}

// Every text the window opens with is drawn in a face its font names, one
// of its families or their substitutes: no character sends Qt searching
// through the system's fonts for a fallback, which costs start-up time.
void WindowLayoutTest::EveryTextDrawnInTheFacesItsFontNames() {
  const auto check = [](const QFont& font, const QString& text) {
    QStringList named;
    for (const QString& family : font.families()) {
      named << family.toLower();
      for (const QString& face : QFont::substitutes(family)) named << face.toLower();
    }
    for (const QChar c : text) {
      if (c.isSpace()) continue;
      QVERIFY2(named.contains(DrawnFace(font, c)),
               qPrintable(QString("'%1' of \"%2\" drawn in %3, a face %4 does not name")
                              .arg(c)
                              .arg(text, DrawnFace(font, c), font.families().join(", "))));
    }
  };
  for (const QLabel* label : window_->findChildren<QLabel*>()) check(label->font(), label->text());
  for (const QPushButton* button : window_->findChildren<QPushButton*>()) {
    check(button->font(), button->text());
  }
  for (const QComboBox* box : window_->findChildren<QComboBox*>()) {
    for (int i = 0; i < box->count(); ++i) check(box->font(), box->itemText(i));
  }
  // Hints are drawn in the application's font.
  for (const QWidget* control : window_->findChildren<QWidget*>()) {
    check(QApplication::font(), control->toolTip());
  }
}

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
