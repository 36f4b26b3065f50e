#include "app/umain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/messages.h"
#include "data/library_catalog.h"

namespace lexmira {
namespace {

constexpr int kWindowLeft = 200;
constexpr int kWindowTop = 0;
constexpr int kClientWidth = 595;
constexpr int kClientHeight = 223;
constexpr int kTopBarHeight = 41;

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

// Shows a text in a box without running its change handling. A text that is
// one of the box's items also becomes its current item, so the open list
// marks it.
void SetBoxText(QComboBox* box, const QString& text) {
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
    : QMainWindow(parent),
      TimerPlay(countdown_),
      program_dir_(program_dir),
      messages_(messages),
      session_(*this, TimerPlay, messages) {
  BuildControls();
  RunHandler(messages_, [this] { FormCreate(); });
}

TFmain::~TFmain() = default;

void TFmain::BuildControls() {
  setObjectName(QStringLiteral("Fmain"));
  setWindowTitle(Text(kApplicationTitle));
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
  ComboBox2->setCurrentText(QString::number(DrillTimer::kDefaultIntervalMs));
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
}

void TFmain::FormCreate() {
  move(kWindowLeft, kWindowTop);
  OpenStores();
  session_.RestoreRememberedChoices();
  session_.ShowCurrentRow();
  BStart->setToolTip(QStringLiteral("点击开始背单词"));
}

// Each problem is told once; start-up goes on without the store.
void TFmain::OpenStores() {
  const auto native = [this](const char* file_name) {
    return QFile::encodeName(QDir(program_dir_).filePath(QString::fromLatin1(file_name)))
        .toStdString();
  };
  if (auto problem = session_.OpenWords(native(kWordsFileName))) messages_.ShowError(*problem);
  if (auto problem = session_.OpenSettings(native(kSettingsFileName))) {
    messages_.ShowError(*problem);
  }
}

void TFmain::ShowWord(const std::string& text) { LWord->setText(Text(text)); }
void TFmain::ShowMeaning(const std::string& text) { Lmean->setText(Text(text)); }
void TFmain::ShowClass(const std::string& text) { LClass->setText(Text(text)); }
void TFmain::SetLibraryText(const std::string& text) { SetBoxText(ComboBox1, Text(text)); }
void TFmain::SetIntervalText(const std::string& text) { SetBoxText(ComboBox2, Text(text)); }

void TFmain::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  event->accept();
}

// Closing always closes: a failed save is shown, then the window goes.
void TFmain::FormCloseQuery() {
  RunHandler(messages_, [this] { session_.RememberPosition(); });
}

}  // namespace lexmira
