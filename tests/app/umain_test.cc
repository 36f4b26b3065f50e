// The window's start-up and close, driven offscreen over real databases in a
// temporary program directory. Boxes are recorded instead of shown.
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QRawFont>
#include <QTimer>
#include <QtTest>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/close_on_signal.h"
#include "app/messages.h"
#include "app/umain.h"
#include "data/columns.h"
#include "data/library_catalog.h"
#include "program_dir.h"
#include "quiet_devices.h"
#include "recording_messages.h"

using lexmira::TFmain;
using lexmira::testing::Enciphered;
using lexmira::testing::RecordingMessages;
using lexmira::testing::ProgramDir;
using lexmira::testing::QuietDevices;
using lexmira::testing::Settings;
using lexmira::testing::WordRow;

namespace {

// Table "0" has a word with surrounding spaces, a null class, and the ids
// "123" before "12"; table "6" stands for a remembered library.
void WriteLibraries(ProgramDir& dir) {
  dir.WriteWords({
      {0,
       {{"1", "apple", Enciphered("苹果"), "三年级"},
        {"2", "  book ", Enciphered("书"), "三年级"},
        {"3", "cat", Enciphered("猫"), std::nullopt},
        {"123", "dog", Enciphered("狗"), "四年级"},
        {"12", "egg", Enciphered("蛋"), "四年级"}}},
      {6,
       {{"1", "abate", Enciphered("减轻"), "GMAT"},
        {"2", "zeal", Enciphered("热情"), "GMAT"},
        {"3", "yield", Enciphered("产量"), "GMAT"}}},
  });
}

// While it lives, every write of this process past a file's first byte fails
// with EFBIG (instead of raising SIGXFSZ).
class RefusedWrites {
 public:
  RefusedWrites() {
    getrlimit(RLIMIT_FSIZE, &saved_limit_);
    saved_handler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_limit_;
    limit.rlim_cur = 1;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~RefusedWrites() {
    setrlimit(RLIMIT_FSIZE, &saved_limit_);
    signal(SIGXFSZ, saved_handler_);
  }
  RefusedWrites(const RefusedWrites&) = delete;
  RefusedWrites& operator=(const RefusedWrites&) = delete;

 private:
  rlimit saved_limit_{};
  sighandler_t saved_handler_ = SIG_DFL;
};

}  // namespace

class UmainTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void StartUp_data();
  void StartUp();
  void CloseRemembersShownRow_data();
  void CloseRemembersShownRow();
  void StoredMeaningFaults_data();
  void StoredMeaningFaults();
  void SettingsThatCannotBeCreated_data();
  void SettingsThatCannotBeCreated();
  void SettingsFileThatCannotBeRead();
  void ReadOnlySettings();
  void SignalClosesAndRemembers();
  void WordsFileMissingOrUnreadable_data();
  void WordsFileMissingOrUnreadable();
  void FailedSaveStillCloses();
  void ShippedWordLibraries_data();
  void ShippedWordLibraries();
  void WindowFace();
  void ErrorBoxText_data();
  void ErrorBoxText();
  void ChineseStandardButtons();
};

// The application object as the program entry sets it up.
void UmainTest::initTestCase() { lexmira::SetUpApplication(*qApp); }

void UmainTest::StartUp_data() {
  QTest::addColumn<bool>("has_settings");
  QTest::addColumn<QStringList>("remembered");  // class, time, id
  QTest::addColumn<QString>("library_text");
  QTest::addColumn<QString>("interval_text");
  QTest::addColumn<QString>("open_table");
  QTest::addColumn<int>("interval");
  QTest::addColumn<QStringList>("shown");  // word, meaning, class

  const QStringList apple = {"apple", "苹果", "三年级"};
  QTest::newRow("first run, empty main")
      << true << QStringList{"", "", ""} << "小学英语" << "2000" << "0" << 2000 << apple;
  QTest::newRow("remembered library, interval and row")
      << true << QStringList{"GMAT词汇", "5000", "2"} << "GMAT词汇" << "5000" << "6" << 5000
      << QStringList{"zeal", "热情", "GMAT"};
  QTest::newRow("id the table lacks")
      << true << QStringList{"", "", "99"} << "小学英语" << "2000" << "0" << 2000 << apple;
  QTest::newRow("id found whole, not as a prefix")
      << true << QStringList{"", "", "12"} << "小学英语" << "2000" << "0" << 2000
      << QStringList{"egg", "蛋", "四年级"};
  QTest::newRow("word with surrounding spaces shown as stored")
      << true << QStringList{"", "", "2"} << "小学英语" << "2000" << "0" << 2000
      << QStringList{"  book ", "书", "三年级"};
  QTest::newRow("null class shown empty")
      << true << QStringList{"", "", "3"} << "小学英语" << "2000" << "0" << 2000
      << QStringList{"cat", "猫", ""};
  QTest::newRow("texts naming no library and no integer")
      << true << QStringList{"GMAT", "5秒", "2"} << "GMAT" << "5秒" << "0" << 2000
      << QStringList{"  book ", "书", "三年级"};
  QTest::newRow("negative interval is no timer interval")
      << true << QStringList{"", "-5", ""} << "小学英语" << "-5" << "0" << 2000 << apple;
  QTest::newRow("missing set.mdb is created")
      << false << QStringList{} << "小学英语" << "2000" << "0" << 2000 << apple;
}

void UmainTest::StartUp() {
  QFETCH(bool, has_settings);
  QFETCH(QStringList, remembered);
  QFETCH(QString, library_text);
  QFETCH(QString, interval_text);
  QFETCH(QString, open_table);
  QFETCH(int, interval);
  QFETCH(QStringList, shown);

  ProgramDir dir;
  WriteLibraries(dir);
  if (has_settings) {
    dir.WriteSettings({remembered[0].toStdString(), remembered[1].toStdString(),
                       remembered[2].toStdString()});
  }
  RecordingMessages boxes;
  TFmain window(dir.databases(), boxes, QuietDevices());

  QCOMPARE(boxes.errors, QStringList());
  QCOMPARE(boxes.messages, QStringList());
  QCOMPARE(window.ComboBox1->currentText(), library_text);
  QCOMPARE(window.ComboBox2->currentText(), interval_text);
  // A remembered text that is an item of the list is also its current item.
  QCOMPARE(window.ComboBox1->itemText(window.ComboBox1->currentIndex()) == library_text,
           window.ComboBox1->findText(library_text) >= 0);
  QCOMPARE(QString::fromStdString(window.session().words().library()), open_table);
  QCOMPARE(window.TimerPlay.interval(), interval);
  QVERIFY(!window.TimerPlay.enabled());
  QVERIFY(!window.countdown().timer().isActive());
  QCOMPARE((QStringList{window.LWord->text(), window.Lmean->text(), window.LClass->text()}),
           shown);
  QVERIFY(window.session().settings_available());
  QVERIFY(QFile::exists(dir.FilePath("set.mdb")));
}

void UmainTest::CloseRemembersShownRow_data() {
  QTest::addColumn<bool>("has_settings");
  QTest::addColumn<QString>("remembered_id");
  QTest::addColumn<QString>("saved_id");

  QTest::newRow("first run") << true << "" << "1";
  QTest::newRow("remembered row") << true << "12" << "12";
  QTest::newRow("set.mdb created at start-up") << false << "" << "1";
}

void UmainTest::CloseRemembersShownRow() {
  QFETCH(bool, has_settings);
  QFETCH(QString, remembered_id);
  QFETCH(QString, saved_id);

  ProgramDir dir;
  WriteLibraries(dir);
  if (has_settings) dir.WriteSettings({"小学英语", "3000", remembered_id.toStdString()});
  RecordingMessages boxes;
  {
    TFmain window(dir.databases(), boxes, QuietDevices());
    window.show();
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
  }
  QCOMPARE(boxes.errors, QStringList());
  const Settings saved = dir.ReadSettings();
  QCOMPARE(QString::fromStdString(saved.id), saved_id);
  // Closing remembers the position only; the choices stay as they were.
  QCOMPARE(QString::fromStdString(saved.word_class), has_settings ? "小学英语" : "");
  QCOMPARE(QString::fromStdString(saved.time), has_settings ? "3000" : "");
}

void UmainTest::StoredMeaningFaults_data() {
  QTest::addColumn<QString>("stored");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QStringList>("errors");
  QTest::addColumn<QStringList>("shown");  // word, meaning, class

  QTest::newRow("odd length: one message, empty meaning, class still shown")
      << "ABC" << QStringList{"密文错误！"} << QStringList{}
      << QStringList{"apple", "", "三年级"};
  QTest::newRow("bad pair: error box ends the start-up")
      << "4G" << QStringList{} << QStringList{"'$4G' is not a valid integer value."}
      << QStringList{"apple", "Lmean", "LClass"};
  QTest::newRow("empty meaning: no box") << "" << QStringList{} << QStringList{}
                                         << QStringList{"apple", "", "三年级"};
}

void UmainTest::StoredMeaningFaults() {
  QFETCH(QString, stored);
  QFETCH(QStringList, messages);
  QFETCH(QStringList, errors);
  QFETCH(QStringList, shown);

  ProgramDir dir;
  dir.WriteWords({{0, {{"1", "apple", stored.toStdString(), "三年级"}}}});
  dir.WriteSettings({});
  RecordingMessages boxes;
  TFmain window(dir.databases(), boxes, QuietDevices());
  QCOMPARE(boxes.messages, messages);
  QCOMPARE(boxes.errors, errors);
  QCOMPARE((QStringList{window.LWord->text(), window.Lmean->text(), window.LClass->text()}),
           shown);
}

// set.mdb is missing and cannot be made, either because the folder is read
// only or because every write is refused (as on a full disk; a file size limit
// stands in for it, which binds a privileged user too).
void UmainTest::SettingsThatCannotBeCreated_data() {
  QTest::addColumn<bool>("read_only_folder");
  QTest::newRow("read-only folder") << true;
  QTest::newRow("writes refused") << false;
}

void UmainTest::SettingsThatCannotBeCreated() {
  QFETCH(bool, read_only_folder);
  if (read_only_folder && geteuid() == 0) QSKIP("a privileged user writes into read-only folders");

  ProgramDir dir;
  WriteLibraries(dir);
  const QFile::Permissions writable = QFile::permissions(dir.path());
  RecordingMessages boxes;
  {
    std::optional<RefusedWrites> refused;
    if (!read_only_folder) refused.emplace();
    if (read_only_folder) {
      QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    }
    TFmain window(dir.databases(), boxes, QuietDevices());
    window.show();
    refused.reset();
    QFile::setPermissions(dir.path(), writable);

    QCOMPARE(boxes.errors.size(), 1);
    QVERIFY2(boxes.errors[0].contains(dir.FilePath("set.mdb")), qPrintable(boxes.errors[0]));
    QVERIFY2(boxes.errors[0].contains("不会被记住"), qPrintable(boxes.errors[0]));
    QVERIFY(!window.session().settings_available());
    QCOMPARE(window.LWord->text(), QString("apple"));
    QCOMPARE(window.Lmean->text(), QString("苹果"));

    window.session().SaveSetting(lexmira::setting_column::kLibrary, "初中英语");  // a later choice: no box of its own
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
  }
  QCOMPARE(boxes.errors.size(), 1);
  QVERIFY(!QFile::exists(dir.FilePath("set.mdb")));
}

// An existing set.mdb that is no database is reported once and left alone.
void UmainTest::SettingsFileThatCannotBeRead() {
  ProgramDir dir;
  WriteLibraries(dir);
  const QByteArray garbage(4096, 'x');
  {
    QFile file(dir.FilePath("set.mdb"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(garbage);
  }
  RecordingMessages boxes;
  {
    TFmain window(dir.databases(), boxes, QuietDevices());
    QCOMPARE(window.LWord->text(), QString("apple"));
    QVERIFY(window.close());
  }
  QCOMPARE(boxes.errors.size(), 1);
  QVERIFY2(boxes.errors[0].contains(dir.FilePath("set.mdb")), qPrintable(boxes.errors[0]));
  QFile file(dir.FilePath("set.mdb"));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), garbage);
}

// A write-protected set.mdb: the window opens on the remembered library,
// interval and row, says once that changes won't be remembered, and a later
// choice and the close neither write nor raise another box.
void UmainTest::ReadOnlySettings() {
  ProgramDir dir;
  WriteLibraries(dir);
  dir.WriteSettings({"GMAT词汇", "5000", "2"});
  const QString path = dir.FilePath("set.mdb");
  QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray before = file.readAll();
  file.close();
  RecordingMessages boxes;
  {
    TFmain window(dir.databases(), boxes, QuietDevices());
    window.show();
    QCOMPARE(boxes.errors.size(), 1);
    QVERIFY2(boxes.errors[0].contains(path), qPrintable(boxes.errors[0]));
    QVERIFY2(boxes.errors[0].contains("只读"), qPrintable(boxes.errors[0]));
    QVERIFY2(boxes.errors[0].contains("不会被记住"), qPrintable(boxes.errors[0]));
    QCOMPARE(window.ComboBox1->currentText(), QString("GMAT词汇"));
    QCOMPARE(window.ComboBox2->currentText(), QString("5000"));
    QCOMPARE(QString::fromStdString(window.session().words().library()), QString("6"));
    QCOMPARE(window.TimerPlay.interval(), 5000);
    QCOMPARE(window.LWord->text(), QString("zeal"));

    window.ComboBox1->setCurrentIndex(1);
    window.ComboBox1Change();
    window.BStopClick();
    QCOMPARE(QString::fromStdString(window.session().words().library()), QString("1"));
    QVERIFY(window.close());
  }
  QCOMPARE(boxes.errors.size(), 1);
  QCOMPARE(boxes.messages, QStringList());
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), before);
}

// Ending the program with a signal (as a shutdown does) closes the window
// the ordinary way, so the shown row is remembered.
void UmainTest::SignalClosesAndRemembers() {
  ProgramDir dir;
  WriteLibraries(dir);
  dir.WriteSettings({"", "", "3"});
  RecordingMessages boxes;
  TFmain window(dir.databases(), boxes, QuietDevices());
  const lexmira::CloseOnSignal close_on_signal;
  window.show();
  window.TimerPlayTimer();  // one tick on, to the row after the remembered one
  QCOMPARE(window.LWord->text(), QString("dog"));
  QCOMPARE(std::raise(SIGTERM), 0);
  QTRY_VERIFY(!window.isVisible());
  QCOMPARE(boxes.errors, QStringList());
  QCOMPARE(QString::fromStdString(dir.ReadSettings().id), QString("123"));
}

void UmainTest::WordsFileMissingOrUnreadable_data() {
  QTest::addColumn<bool>("exists");
  QTest::addColumn<QString>("reason");
  QTest::newRow("missing") << false << "找不到";
  QTest::newRow("not a database") << true << "无法打开";
}

void UmainTest::WordsFileMissingOrUnreadable() {
  QFETCH(bool, exists);
  QFETCH(QString, reason);

  ProgramDir dir;
  if (exists) {
    QFile file(dir.FilePath("words.mdb"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, '\0'));
  }
  dir.WriteSettings({"GMAT词汇", "5000", "2"});
  RecordingMessages boxes;
  {
    TFmain window(dir.databases(), boxes, QuietDevices());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(boxes.errors.size(), 1);
    QVERIFY2(boxes.errors[0].contains(dir.FilePath("words.mdb")), qPrintable(boxes.errors[0]));
    QVERIFY2(boxes.errors[0].contains(reason), qPrintable(boxes.errors[0]));
    QVERIFY2(!boxes.errors[0].contains("closed dataset"), qPrintable(boxes.errors[0]));
    // The remembered choices still show; no word does.
    QCOMPARE(window.ComboBox1->currentText(), QString("GMAT词汇"));
    QCOMPARE(window.ComboBox2->currentText(), QString("5000"));
    QCOMPARE(window.LWord->text(), QString("LWord"));
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
  }
  QCOMPARE(boxes.errors.size(), 1);
  QCOMPARE(QString::fromStdString(dir.ReadSettings().id), QString("2"));
}

// A settings table without an "id" column: the position cannot be saved, the
// error is shown, and the window closes all the same.
void UmainTest::FailedSaveStillCloses() {
  ProgramDir dir;
  WriteLibraries(dir);
  dir.WriteSettingsTable({"class", "time"});
  RecordingMessages boxes;
  TFmain window(dir.databases(), boxes, QuietDevices());
  window.show();
  const QString missing_id = "ADOTable2: Field 'id' not found.";
  QCOMPARE(boxes.errors, QStringList{missing_id});
  QVERIFY(window.close());
  QVERIFY(!window.isVisible());
  QCOMPARE(boxes.errors, (QStringList{missing_id, missing_id}));
}

// The words.mdb the build places beside the program: every library opens
// at start-up on a word with a readable meaning.
void UmainTest::ShippedWordLibraries_data() {
  QTest::addColumn<QString>("library");
  QTest::addColumn<QString>("table");
  for (const lexmira::LibraryEntry& entry : lexmira::kLibraryCatalog) {
    const QString name = QString::fromUtf8(entry.name.data(), entry.name.size());
    QTest::newRow(qPrintable(name)) << name
                                    << QString::fromUtf8(entry.table.data(), entry.table.size());
  }
}

void UmainTest::ShippedWordLibraries() {
  QFETCH(QString, library);
  QFETCH(QString, table);

  ProgramDir dir;
  QVERIFY(QFile::copy(LEXMIRA_WORDS_MDB, dir.FilePath("words.mdb")));
  dir.WriteSettings({library.toStdString(), "", ""});
  RecordingMessages boxes;
  TFmain window(dir.databases(), boxes, QuietDevices());
  QCOMPARE(boxes.errors, QStringList());
  QCOMPARE(boxes.messages, QStringList());
  QCOMPARE(QString::fromStdString(window.session().words().library()), table);
  QVERIFY(!window.LWord->text().trimmed().isEmpty());
  QVERIFY(!window.Lmean->text().isEmpty());
  QVERIFY2(!window.Lmean->text().contains(QChar::ReplacementCharacter),
           qPrintable(window.Lmean->text()));
}

void UmainTest::WindowFace() {
  ProgramDir dir;
  WriteLibraries(dir);
  dir.WriteSettings({});
  RecordingMessages boxes;
  TFmain window(dir.databases(), boxes, QuietDevices());

  QCOMPARE(window.windowTitle(), QString("Lexmira"));
  QCOMPARE(qApp->applicationDisplayName(), QString("Lexmira"));
  // The icon is drawn from our SVG: its middle is not transparent.
  const QImage icon = qApp->windowIcon().pixmap(32, 32).toImage();
  QCOMPARE(icon.size(), QSize(32, 32));
  QVERIFY(icon.pixelColor(16, 16).alpha() > 0);
  QCOMPARE(window.pos(), QPoint(200, 0));
  QCOMPARE(window.BStart->text(), QString("开始"));
  QCOMPARE(window.BStart->toolTip(), QString("点击开始背单词"));
  QCOMPARE(window.ComboBox2->toolTip(), QString("毫秒(1秒=1000毫秒)"));
  QVERIFY(window.ComboBox1->isEditable());
  QVERIFY(window.ComboBox2->isEditable());
  QStringList libraries;
  for (const lexmira::LibraryEntry& entry : lexmira::kLibraryCatalog) {
    libraries << QString::fromUtf8(entry.name.data(), entry.name.size());
  }
  QStringList listed, intervals;
  for (int i = 0; i < window.ComboBox1->count(); ++i) listed << window.ComboBox1->itemText(i);
  for (int i = 0; i < window.ComboBox2->count(); ++i) intervals << window.ComboBox2->itemText(i);
  QCOMPARE(listed, libraries);
  QCOMPARE(intervals, (QStringList{"1000", "2000", "3000", "4000", "5000", "6000", "7000",
                                   "8000", "9000", "10000"}));
}

void UmainTest::ErrorBoxText_data() {
  QTest::addColumn<QString>("error");
  QTest::addColumn<QString>("shown");
  QTest::newRow("letter") << "Field 'id' not found" << "Field 'id' not found.";
  QTest::newRow("quote") << "'$4G' is not a valid integer value" << "'$4G' is not a valid integer value.";
  QTest::newRow("full stop") << "done." << "done.";
  QTest::newRow("sorts before the stop") << "(see above)" << "(see above)";
  QTest::newRow("slash sorts after") << "a/b/" << "a/b/.";
  QTest::newRow("Chinese") << "密文错误" << "密文错误.";
  QTest::newRow("empty") << "" << "";
}

void UmainTest::ErrorBoxText() {
  QFETCH(QString, error);
  QFETCH(QString, shown);
  QCOMPARE(QString::fromStdString(lexmira::ErrorBoxText(error.toStdString())), shown);
}

void UmainTest::ChineseStandardButtons() {
  QVERIFY(lexmira::InstallChineseTranslations(*qApp));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QString("确定"));
  QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("取消"));
}

QTEST_MAIN(UmainTest)
#include "umain_test.moc"
