#include "app/umain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/layout.h"
#include "data/library_catalog.h"

namespace lexmira {
namespace {

constexpr const char* kIntervalItems[] = {"1000", "2000", "3000", "4000", "5000",
                                          "6000", "7000", "8000", "9000", "10000"};
constexpr char kStatusText[] = "《Lexmira》是一款简单，实用的背单词软件，欢迎您使用。";
constexpr char kMakersCredit[] = "　　—— Kestrova工作室 出品";

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QFont FontOf(const layout::Face& face) {
  QFont font(QString::fromUtf8(face.family));
  font.setPixelSize(face.pixel_size);
  font.setBold(face.bold);
  return font;
}

template <typename Control>
Control* Placed(Control* control, const layout::Place& place) {
  control->setGeometry(place.left, place.top, place.width, place.height);
  return control;
}

void SetColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(role, color);
  widget->setPalette(palette);
}

// A panel drawn in `color` all over.
void Fill(QWidget* widget, const QColor& color) {
  SetColor(widget, QPalette::Window, color);
  widget->setAutoFillBackground(true);
}

// A display field: fixed size, one line, text at the top and cut at the
// field's edges. `background` is filled in unless the field shows its
// parent's colour.
QLabel* DisplayField(const char* name, QWidget* panel, const layout::Place& place,
                     const layout::Face& face, QRgb text_color, Qt::Alignment alignment) {
  auto* field = Placed(new QLabel(Text(name), panel), place);
  field->setObjectName(QString::fromLatin1(name));
  field->setFont(FontOf(face));
  SetColor(field, QPalette::WindowText, QColor::fromRgb(text_color));
  field->setAlignment(alignment | Qt::AlignTop);
  field->setWordWrap(false);
  return field;
}

// An editable box whose change handling runs for the learner's edits and
// picks only: no completion that would type for the learner, and Enter
// adds no item.
QComboBox* SelectorBox(const char* name, QWidget* bar, const layout::Place& place) {
  auto* box = Placed(new QComboBox(bar), place);
  box->setObjectName(QString::fromLatin1(name));
  box->setFont(FontOf(layout::kBoxFace));
  box->setEditable(true);
  box->setCompleter(nullptr);
  box->setInsertPolicy(QComboBox::NoInsert);
  return box;
}

QLabel* Caption(const char* name, const char* text, QWidget* bar, const layout::Place& place) {
  auto* label = Placed(new QLabel(Text(text), bar), place);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(FontOf(layout::kCaptionFace));
  SetColor(label, QPalette::WindowText, QColor::fromRgb(layout::kCaptionTextColor));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QPushButton* Button(const char* name, const char* text, const char* hint, QWidget* bar,
                    const layout::Place& place) {
  auto* button = Placed(new QPushButton(Text(text), bar), place);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(FontOf(layout::kCaptionFace));
  if (hint != nullptr) button->setToolTip(Text(hint));
  return button;
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
      session_(*this, TimerPlay, messages_),
      cycle_(session_.words(), TimerPlay, *this, messages_),
      selection_(session_, TimerPlay, *this) {
  BuildControls();
  ConnectHandlers();
  RunHandler(messages_, [this] { FormCreate(); });
}

TFmain::~TFmain() = default;

void TFmain::BuildControls() {
  setObjectName(QStringLiteral("Fmain"));
  setWindowTitle(Text(kApplicationTitle));
  // A sizeable frame with the system menu and a minimise box, no maximise box.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(FontOf(layout::kWindowFace));
  SetColor(this, QPalette::Window, palette().color(layout::kWindowColor));

  // The top bar keeps its height and spans the width; the display panel
  // takes the rest. Controls are placed, not laid out, so each keeps its
  // distance from its parent's left and top edges.
  auto* client = new QWidget(this);
  auto* stack = new QVBoxLayout(client);
  stack->setContentsMargins(0, 0, 0, 0);
  stack->setSpacing(0);
  setCentralWidget(client);
  BuildTopBar();
  stack->addWidget(Panel2);
  BuildDisplayPanel();
  stack->addWidget(Panel1, 1);
  BuildStatusBar();
  resize(layout::kClientWidth,
         layout::kTopBarHeight + layout::kPanelHeight + layout::kStatusBarHeight);
}

void TFmain::BuildTopBar() {
  Panel2 = new QFrame(centralWidget());
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setFixedHeight(layout::kTopBarHeight);
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Fill(Panel2, palette().color(layout::kTopBarColor));

  Label1 = Caption("Label1", "选择词库：", Panel2, layout::kLabel1);
  ComboBox1 = SelectorBox("ComboBox1", Panel2, layout::kComboBox1);
  for (const LibraryEntry& entry : kLibraryCatalog) ComboBox1->addItem(Text(entry.name));
  ComboBox1->setCurrentIndex(0);

  Label2 = Caption("Label2", "时间间隔：", Panel2, layout::kLabel2);
  ComboBox2 = SelectorBox("ComboBox2", Panel2, layout::kComboBox2);
  for (const char* item : kIntervalItems) ComboBox2->addItem(QString::fromLatin1(item));
  ComboBox2->setCurrentText(QString::number(DrillTimer::kDefaultIntervalMs));
  ComboBox2->setToolTip(QStringLiteral("毫秒(1秒=1000毫秒)"));

  // BStart's hint comes with the start-up sequence.
  BStart = Button("BStart", "开始", nullptr, Panel2, layout::kBStart);
  BStop = Button("BStop", "停止", "点击停止背单词", Panel2, layout::kBStop);
}

void TFmain::BuildDisplayPanel() {
  Panel1 = new QFrame(centralWidget());
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::NoFrame);
  Fill(Panel1, QColor::fromRgb(layout::kPanelColor));

  LWord = DisplayField("LWord", Panel1, layout::kLWord, layout::kWordFace,
                       layout::kWordTextColor, layout::kWordAlignment);
  Fill(LWord, QColor::fromRgb(layout::kWordBackground));
  Lmean = DisplayField("Lmean", Panel1, layout::kLmean, layout::kMeaningFace,
                       layout::kMeaningTextColor, layout::kMeaningAlignment);
  Fill(Lmean, QColor::fromRgb(layout::kMeaningBackground));
  // Not filled: the panel's colour shows through until it gets its own.
  LClass = DisplayField("LClass", Panel1, layout::kLClass, layout::kClassFace,
                        layout::kClassTextColor, layout::kClassAlignment);
}

void TFmain::BuildStatusBar() {
  StatusBar1 = statusBar();
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setFixedHeight(layout::kStatusBarHeight);
  auto* text = new QLabel(Text(kStatusText) + Text(kMakersCredit), StatusBar1);
  text->setObjectName(QStringLiteral("StatusText"));
  StatusBar1->addWidget(text, 1);
}

void TFmain::ConnectHandlers() {
  connect(BStart, &QPushButton::clicked, this, &TFmain::BStartClick);
  connect(BStop, &QPushButton::clicked, this, &TFmain::BStopClick);
  connect(&countdown_.timer(), &QTimer::timeout, this, &TFmain::TimerPlayTimer);
  // A pick from the list and every edit of the text; never the program's
  // own settings of the text.
  connect(ComboBox1, &QComboBox::textActivated, this, &TFmain::ComboBox1Change);
  connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &TFmain::ComboBox1Change);
  connect(ComboBox2, &QComboBox::textActivated, this, &TFmain::ComboBox2Change);
  connect(ComboBox2->lineEdit(), &QLineEdit::textEdited, this, &TFmain::ComboBox2Change);
}

void TFmain::FormCreate() {
  move(layout::kWindowLeft, layout::kWindowTop);
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

void TFmain::Start() { cycle_.Start(); }

void TFmain::Stop() { cycle_.Stop(); }

void TFmain::BStartClick() {
  RunHandler(messages_, [this] { Start(); });
}

void TFmain::BStopClick() {
  RunHandler(messages_, [this] { Stop(); });
}

// A tick that falls due while one of the window's boxes is open (the box
// runs its own message loop) is dropped rather than run inside the box.
void TFmain::TimerPlayTimer() {
  if (messages_.box_open()) return;
  RunHandler(messages_, [this] { cycle_.Tick(); });
}

void TFmain::ComboBox1Change() {
  RunHandler(messages_,
             [this] { selection_.SelectLibrary(ComboBox1->currentText().toStdString()); });
}

void TFmain::ComboBox2Change() {
  RunHandler(messages_,
             [this] { selection_.SetInterval(ComboBox2->currentText().toStdString()); });
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
