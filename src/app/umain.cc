#include "app/umain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "app/messages.h"
#include "app/svg_icon.h"
#include "data/error.h"
#include "data/gbk_text.h"
#include "data/library_catalog.h"
#include "data/meaning_cipher.h"
#include "data/settings_schema.h"
#include "data/str_to_int.h"
#include "data/text_trim.h"

namespace lexmira {
namespace {

constexpr int kDefaultIntervalMs = 2000;
constexpr int kWindowLeft = 200;
constexpr int kWindowTop = 0;
constexpr int kClientWidth = 595;
constexpr int kClientHeight = 223;
constexpr int kTopBarHeight = 41;
constexpr char kFirstLibraryTable[] = "0";
constexpr char kIconResource[] = ":/lexmira.svg";

constexpr const char* kIntervalItems[] = {"1000", "2000", "3000", "4000", "5000",
                                          "6000", "7000", "8000", "9000", "10000"};

// Places and sizes of the controls, relative to their parent (the top bar or
// the display panel).
struct Place {
  int left, top, width, height;
};
constexpr Place kLabel1 = {8, 16, 60, 13};
constexpr Place kComboBox1 = {72, 11, 121, 21};
constexpr Place kLabel2 = {208, 16, 60, 13};
constexpr Place kComboBox2 = {272, 11, 73, 21};
constexpr Place kBStart = {376, 8, 75, 25};
constexpr Place kLWord = {32, 37, 537, 29};
constexpr Place kLmean = {32, 93, 537, 29};
constexpr Place kLClass = {488, 143, 193, 20};

template <typename Control>
Control* Placed(Control* control, const Place& place) {
  control->setGeometry(place.left, place.top, place.width, place.height);
  return control;
}

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The remembered interval, when the stored text is one the interval box
// would take (an integer, after trimming) and a timer can run (not negative).
std::optional<int> RememberedInterval(const std::string& time_text) {
  const std::optional<int32_t> value = TryStrToInt(Trim(time_text));
  if (!value || *value < 0) return std::nullopt;
  return *value;
}

// Shows a remembered text in a box without running its change handling. A
// text that is one of the box's items also becomes its current item, so the
// open list marks it.
void ShowRemembered(QComboBox* box, const QString& text) {
  const QSignalBlocker no_change_handling(box);
  const int item = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (item >= 0) {
    box->setCurrentIndex(item);
  } else {
    box->setEditText(text);
  }
}

}  // namespace

TFmain::TFmain(const QString& program_dir, Messages& messages, QWidget* parent)
    : QMainWindow(parent), program_dir_(program_dir), messages_(messages) {
  BuildControls();
  RunHandler(messages_, [this] { FormCreate(); });
}

TFmain::~TFmain() = default;

void TFmain::BuildControls() {
  // Application-wide, so that boxes and hints use it too, and set before any
  // control exists: a line edit lays out its text in the application's font
  // once before it takes its own.
  QFont interface_font = QApplication::font();
  interface_font.setFamilies({QString::fromUtf8(kInterfaceFontFamily)});
  QApplication::setFont(interface_font);
  setObjectName(QStringLiteral("Fmain"));
  setWindowTitle(Text(kApplicationTitle));
  setWindowIcon(SvgIcon(QString::fromLatin1(kIconResource)));
  // A sizeable frame with the system menu and a minimise box, no maximise box.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  resize(kClientWidth, kClientHeight);

  auto* client = new QWidget(this);
  setCentralWidget(client);
  auto* top_bar = new QWidget(client);
  top_bar->setObjectName(QStringLiteral("Panel2"));
  top_bar->setGeometry(0, 0, kClientWidth, kTopBarHeight);
  auto* panel = new QWidget(client);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setGeometry(0, kTopBarHeight, kClientWidth, kClientHeight - kTopBarHeight);

  Placed(new QLabel(QStringLiteral("选择词库："), top_bar), kLabel1);
  ComboBox1 = Placed(new QComboBox(top_bar), kComboBox1);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->setEditable(true);
  for (const LibraryEntry& entry : kLibraryCatalog) ComboBox1->addItem(Text(entry.name));
  ComboBox1->setCurrentIndex(0);

  Placed(new QLabel(QStringLiteral("时间间隔："), top_bar), kLabel2);
  ComboBox2 = Placed(new QComboBox(top_bar), kComboBox2);
  ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
  ComboBox2->setEditable(true);
  for (const char* item : kIntervalItems) ComboBox2->addItem(QString::fromLatin1(item));
  ComboBox2->setCurrentText(QString::number(kDefaultIntervalMs));
  ComboBox2->setToolTip(QStringLiteral("毫秒(1秒=1000毫秒)"));

  BStart = Placed(new QPushButton(QStringLiteral("开始"), top_bar), kBStart);
  BStart->setObjectName(QStringLiteral("BStart"));

  LWord = Placed(new QLabel(QStringLiteral("LWord"), panel), kLWord);
  LWord->setObjectName(QStringLiteral("LWord"));
  Lmean = Placed(new QLabel(QStringLiteral("Lmean"), panel), kLmean);
  Lmean->setObjectName(QStringLiteral("Lmean"));
  LClass = Placed(new QLabel(QStringLiteral("LClass"), panel), kLClass);
  LClass->setObjectName(QStringLiteral("LClass"));
  for (QLabel* field : {LWord, Lmean}) field->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  LClass->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  TimerPlay = new QTimer(this);
  TimerPlay->setObjectName(QStringLiteral("TimerPlay"));
  TimerPlay->setInterval(kDefaultIntervalMs);
}

void TFmain::FormCreate() {
  QApplication::setWindowIcon(windowIcon());
  QApplication::setApplicationDisplayName(Text(kApplicationTitle));
  move(kWindowLeft, kWindowTop);
  OpenWordStore();
  OpenSettingsStore();
  RestoreRememberedChoices();
  ShowCurrentRow();
  BStart->setToolTip(QStringLiteral("点击开始背单词"));
}

QString TFmain::DatabasePath(const char* file_name) const {
  return QDir(program_dir_).filePath(QString::fromLatin1(file_name));
}

// A missing or unreadable words.mdb is told once, naming the file and the
// reason; the window opens without a word rather than failing later with
// errors about a closed table.
void TFmain::OpenWordStore() {
  const QString path = DatabasePath(kWordsFileName);
  const QString shown_path = QDir::toNativeSeparators(path);
  if (!QFileInfo::exists(path)) {
    messages_.ShowError(QStringLiteral("找不到词库文件“%1”：文件不存在。没有单词可以显示。")
                            .arg(shown_path)
                            .toStdString());
    return;
  }
  try {
    ADOTable1.SetDatabasePath(QFile::encodeName(path).toStdString());
    ADOTable1.OpenLibrary(kFirstLibraryTable);
  } catch (const Error& error) {
    messages_.ShowError(QStringLiteral("无法打开词库文件“%1”：%2")
                            .arg(shown_path, Text(error.what()))
                            .toStdString());
  }
}

// A missing set.mdb is created empty, so the first choice is remembered. If
// it can be neither opened nor created the learner is told once; choices are
// then not remembered, without a box for each of them. An existing file is
// never replaced.
void TFmain::OpenSettingsStore() {
  const QString path = DatabasePath(kSettingsFileName);
  const std::string file = QFile::encodeName(path).toStdString();
  const bool existed = QFileInfo::exists(path);
  try {
    if (!existed) {
      const jet::Status created = CreateSettingsDatabase(file);
      if (!created.ok()) throw Error(created.message());
    }
    ADOTable2.Open(file);
    settings_available_ = true;
  } catch (const Error& error) {
    const QString problem = existed ? QStringLiteral("无法打开设置文件“%1”：%2")
                                    : QStringLiteral("无法创建设置文件“%1”：%2");
    messages_.ShowError((problem.arg(QDir::toNativeSeparators(path), Text(error.what())) +
                         QStringLiteral("\n所选的词库、时间间隔和学习位置将不会被记住。"))
                            .toStdString());
  }
}

// The remembered library is opened for real and a valid remembered interval
// becomes the timer's, so that the boxes never claim what the drill does not
// do. The drill stays stopped.
void TFmain::RestoreRememberedChoices() {
  if (!settings_available_) return;
  const std::string library_name = ADOTable2.ReadSetting("class");
  if (!library_name.empty()) {
    ShowRemembered(ComboBox1, Text(library_name));
    const LibraryEntry* library = FindLibrary(library_name);
    if (library != nullptr && ADOTable1.IsOpen()) {
      ADOTable1.OpenLibrary(std::string(library->table));
    }
  }
  const std::string time = ADOTable2.ReadSetting("time");
  if (!time.empty()) {
    ShowRemembered(ComboBox2, Text(time));
    if (const std::optional<int> interval = RememberedInterval(time)) {
      TimerPlay->setInterval(*interval);
    }
  }
  const std::string id = ADOTable2.ReadSetting("id");
  if (!id.empty() && ADOTable1.IsOpen()) ADOTable1.LocateId(id);
}

// The word as stored, untrimmed: only the drill's ticks trim it.
void TFmain::ShowCurrentRow() {
  if (!ADOTable1.IsOpen()) return;
  LWord->setText(Text(ADOTable1.Field("word")));
  const std::optional<std::string> meaning =
      DecodeText(ADOTable1.Field("mean"), MeaningKey, messages_);
  Lmean->setText(Text(Cp936ToUtf8(meaning.value_or(std::string()))));
  LClass->setText(Text(ADOTable1.Field("class")));
}

void TFmain::SaveSetting(const std::string& column, const std::string& text) {
  if (settings_available_) ADOTable2.SaveSetting(column, text);
}

void TFmain::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  event->accept();
}

// Closing always closes: a failed save is shown, then the window goes. With
// no word table open there is no position to remember.
void TFmain::FormCloseQuery() {
  RunHandler(messages_, [this] {
    if (ADOTable1.IsOpen()) SaveSetting("id", ADOTable1.Field("id"));
  });
}

}  // namespace lexmira
