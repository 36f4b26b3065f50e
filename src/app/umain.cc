#include "app/umain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/fixed_messages.h"
#include "app/layout.h"
#include "data/library_catalog.h"
#include "speech/pulse_audio_sink.h"

namespace lexmira {
namespace {

constexpr const char* kIntervalItems[] = {"1000", "2000", "3000", "4000", "5000",
                                          "6000", "7000", "8000", "9000", "10000"};
constexpr char kStatusText[] = "《Lexmira》是一款简单，实用的背单词软件，欢迎您使用。";
constexpr char kMakersCredit[] = "　　—— Kestrova工作室 出品";

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A font of the faces the design's face name is mapped to. Naming the
// installed faces themselves spares Qt a search of fontconfig's whole
// fallback list for each name the system does not know.
QFont FontOf(const layout::Face& face) {
  QFont font;
  font.setFamilies(QFont::substitutes(QString::fromUtf8(face.family)));
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
// field's edges. Its font, colours and alignment are its look's.
QLabel* DisplayField(const char* name, QWidget* panel, const layout::Place& place) {
  auto* field = Placed(new QLabel(Text(name), panel), place);
  field->setObjectName(QString::fromLatin1(name));
  field->setWordWrap(false);
  return field;
}

FieldLook InitialLook(const layout::Face& face, QRgb text_color,
                      std::optional<QRgb> background, Qt::Alignment alignment) {
  FieldLook look{{FontOf(face), QColor::fromRgb(text_color)}, std::nullopt, alignment};
  if (background) look.background = QColor::fromRgb(*background);
  return look;
}

// A menu entry named `name`, in `menu`.
QAction* Entry(QMenu* menu, const char* name, const char* caption) {
  QAction* entry = menu->addAction(Text(caption));
  entry->setObjectName(QString::fromLatin1(name));
  return entry;
}

// A submenu named `name`; its entry in the parent menu carries the name too.
template <typename ParentMenu>
QMenu* Submenu(ParentMenu* parent, const char* name, const char* caption) {
  QMenu* menu = parent->addMenu(Text(caption));
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  return menu;
}

// The restyling commands and the menu entries that run them: every entry of
// a command does exactly the same.
enum class Restyle { kTextColor, kFont, kBackground, kAlign };
struct RestyleEntry {
  const char* entry;
  Restyle command;
  DisplayTarget target;
  Qt::Alignment alignment = {};
};
constexpr RestyleEntry kRestyleEntries[] = {
    {"NWordColor", Restyle::kTextColor, DisplayTarget::kWord},
    {"NColors", Restyle::kTextColor, DisplayTarget::kWord},
    {"NWodFont", Restyle::kFont, DisplayTarget::kWord},
    {"NFonts", Restyle::kFont, DisplayTarget::kWord},
    {"NWordBakground", Restyle::kBackground, DisplayTarget::kWord},
    {"NBakGrounds", Restyle::kBackground, DisplayTarget::kWord},
    {"Nlwordleft", Restyle::kAlign, DisplayTarget::kWord, Qt::AlignLeft},
    {"NLwordRight", Restyle::kAlign, DisplayTarget::kWord, Qt::AlignRight},
    {"NLwordCenter", Restyle::kAlign, DisplayTarget::kWord, Qt::AlignHCenter},
    {"Nmeancolor", Restyle::kTextColor, DisplayTarget::kMeaning},
    {"NColorss", Restyle::kTextColor, DisplayTarget::kMeaning},
    {"NmeanFont", Restyle::kFont, DisplayTarget::kMeaning},
    {"NFontss", Restyle::kFont, DisplayTarget::kMeaning},
    {"NmeanBakground", Restyle::kBackground, DisplayTarget::kMeaning},
    {"NBakGroundss", Restyle::kBackground, DisplayTarget::kMeaning},
    {"NLmeanleft", Restyle::kAlign, DisplayTarget::kMeaning, Qt::AlignLeft},
    {"Nlmeanright", Restyle::kAlign, DisplayTarget::kMeaning, Qt::AlignRight},
    {"Nlmeancenter", Restyle::kAlign, DisplayTarget::kMeaning, Qt::AlignHCenter},
    {"NClassColor", Restyle::kTextColor, DisplayTarget::kClass},
    {"NColorsss", Restyle::kTextColor, DisplayTarget::kClass},
    {"NClassfont", Restyle::kFont, DisplayTarget::kClass},
    {"NFontsss", Restyle::kFont, DisplayTarget::kClass},
    {"NClassBakgound", Restyle::kBackground, DisplayTarget::kClass},
    {"NBakgroundsss", Restyle::kBackground, DisplayTarget::kClass},
    {"NPanelColor", Restyle::kBackground, DisplayTarget::kPanel},
    {"NBakGroundPanel", Restyle::kBackground, DisplayTarget::kPanel},
};

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
  // Qt would pick the item matching the text when the learner presses Enter
  // or leaves the box, a change the learner did not make: the library would
  // open again from its first row.
  QObject::disconnect(box->lineEdit(), &QLineEdit::returnPressed, box, nullptr);
  QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
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

TFmain::TFmain(const DatabaseLocations& databases, Messages& messages, WindowDevices devices)
    : TimerPlay(countdown_),
      databases_(databases),
      plain_messages_(messages),
      messages_(messages),
      ColorDialog1(this),
      FontDialog1(this),
      looks_(InitialLook(layout::kWordFace, layout::kWordTextColor, layout::kWordBackground,
                         layout::kWordAlignment),
             InitialLook(layout::kMeaningFace, layout::kMeaningTextColor,
                         layout::kMeaningBackground, layout::kMeaningAlignment),
             InitialLook(layout::kClassFace, layout::kClassTextColor, std::nullopt,
                         layout::kClassAlignment),
             QColor::fromRgb(layout::kPanelColor)),
      customizer_(looks_, devices.colors ? *devices.colors : ColorDialog1,
                  devices.fonts ? *devices.fonts : FontDialog1,
                  [this](DisplayTarget target) { ApplyLook(target); }),
      session_(*this, TimerPlay, messages_),
      cycle_(session_.words(), TimerPlay, *this, messages_),
      selection_(session_, TimerPlay, *this),
      pronouncer_(devices.audio ? std::move(devices.audio)
                                : std::make_unique<PulseAudioSink>()) {
  // The voice fails on its own thread; the box shows on the window's.
  pronouncer_.SetFailureListener([this] {
    QMetaObject::invokeMethod(this, &TFmain::ShowSpeechFailure, Qt::QueuedConnection);
  });
  BuildControls();
  ConnectHandlers();
  ConnectRestyling();
  RunHandler(messages_, [this] { FormCreate(); });
}

// Qt deletes the controls with the window's base, after its own parts are
// gone; no handler may run on what they signal then.
TFmain::~TFmain() {
  for (QObject* control : findChildren<QObject*>()) disconnect(control, nullptr, this, nullptr);
}

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
  BuildMainMenu();
  BuildPopupMenus();
  resize(layout::kClientWidth, MainMenu1->sizeHint().height() + layout::kTopBarHeight +
                                   layout::kPanelHeight + layout::kStatusBarHeight);
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
  Panel1->setAutoFillBackground(true);
  LWord = DisplayField("LWord", Panel1, layout::kLWord);
  Lmean = DisplayField("Lmean", Panel1, layout::kLmean);
  LClass = DisplayField("LClass", Panel1, layout::kLClass);
  for (DisplayTarget target : {DisplayTarget::kWord, DisplayTarget::kMeaning,
                               DisplayTarget::kClass, DisplayTarget::kPanel}) {
    ApplyLook(target);
  }
}

void TFmain::BuildStatusBar() {
  StatusBar1 = statusBar();
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setFixedHeight(layout::kStatusBarHeight);
  auto* text = new QLabel(Text(kStatusText) + Text(kMakersCredit), StatusBar1);
  text->setObjectName(QStringLiteral("StatusText"));
  StatusBar1->addWidget(text, 1);
}

void TFmain::BuildMainMenu() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = Submenu(MainMenu1, "NFile", "文件(&F)");
  NClose = Entry(file, "NClose", "关闭(&C)");

  QMenu* play = Submenu(MainMenu1, "NPlay", "播放(&P)");
  N7 = Entry(play, "N7", "开始");
  NStop = Entry(play, "NStop", "停止");

  QMenu* options = Submenu(MainMenu1, "NItem", "选项(&I)");
  QMenu* word = Submenu(options, "NWordItem", "单词");
  Entry(word, "NWordColor", "颜色");
  Entry(word, "NWodFont", "字体");
  Entry(word, "NWordBakground", "背景");
  QMenu* meaning = Submenu(options, "Nmeanitem", "意思");
  Entry(meaning, "Nmeancolor", "颜色");
  Entry(meaning, "NmeanFont", "字体");
  Entry(meaning, "NmeanBakground", "背景");
  QMenu* word_class = Submenu(options, "NClassItem", "班级");
  Entry(word_class, "NClassColor", "颜色");
  Entry(word_class, "NClassfont", "字体");
  Entry(word_class, "NClassBakgound", "背景");
  Entry(options, "NPanelColor", "面板颜色");
  options->addSeparator()->setObjectName(QStringLiteral("N8"));
  NAutoSpeak = Entry(options, "NAutoSpeak", "自动朗读");
  NStopSpeak = Entry(options, "NStopSpeak", "停止朗读");
  for (QAction* speaking : {NAutoSpeak, NStopSpeak}) speaking->setCheckable(true);
  NAutoSpeak->setChecked(true);

  QMenu* help = Submenu(MainMenu1, "NHelps", "帮助(&H)");
  Nhelp = Entry(help, "Nhelp", "帮助");
  help->addSeparator();
  NAbout = Entry(help, "NAbout", "关于");
}

// Each opens with a right click on its control (or the context-menu key).
void TFmain::BuildPopupMenus() {
  const auto popup = [this](const char* name, QWidget* control) {
    auto* menu = new QMenu(control);
    menu->setObjectName(QString::fromLatin1(name));
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, menu,
            [menu, control](const QPoint& at) { menu->popup(control->mapToGlobal(at)); });
    return menu;
  };
  struct FieldEntries {
    const char *color, *font, *background, *align, *left, *right, *centre;
  };
  const auto field_menu = [&](const char* name, QLabel* field, const FieldEntries& entries) {
    QMenu* menu = popup(name, field);
    Entry(menu, entries.color, "颜色");
    menu->addSeparator();
    Entry(menu, entries.font, "字体");
    menu->addSeparator();
    Entry(menu, entries.background, "背景");
    if (entries.align == nullptr) return menu;  // the class field is not aligned
    menu->addSeparator();
    QMenu* align = Submenu(menu, entries.align, "对齐");
    Entry(align, entries.left, "左对齐");
    Entry(align, entries.right, "右对齐");
    Entry(align, entries.centre, "居中对齐");
    return menu;
  };
  PopupMenu1 = field_menu("PopupMenu1", LWord,
                          {"NColors", "NFonts", "NBakGrounds", "NLwordjust", "Nlwordleft",
                           "NLwordRight", "NLwordCenter"});
  PopupMenu2 = field_menu("PopupMenu2", Lmean,
                          {"NColorss", "NFontss", "NBakGroundss", "Lmeanjust", "NLmeanleft",
                           "Nlmeanright", "Nlmeancenter"});
  PopupMenu3 = field_menu("PopupMenu3", LClass,
                          {"NColorsss", "NFontsss", "NBakgroundsss", nullptr, nullptr, nullptr,
                           nullptr});
  PopupMenu4 = popup("PopupMenu4", Panel1);
  Entry(PopupMenu4, "NBakGroundPanel", "面板颜色");
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
  // Asks the window to close exactly as its close box does.
  connect(NClose, &QAction::triggered, this, &QWidget::close);
  connect(N7, &QAction::triggered, this, &TFmain::N7Click);
  connect(NStop, &QAction::triggered, this, &TFmain::NStopClick);
  connect(NAutoSpeak, &QAction::triggered, this, &TFmain::NAutoSpeakClick);
  connect(NStopSpeak, &QAction::triggered, this, &TFmain::NStopSpeakClick);
  connect(Nhelp, &QAction::triggered, this, &TFmain::NhelpClick);
  connect(NAbout, &QAction::triggered, this, &TFmain::NAboutClick);
}

void TFmain::ConnectRestyling() {
  for (const RestyleEntry& restyle : kRestyleEntries) {
    auto* entry = findChild<QAction*>(QString::fromLatin1(restyle.entry));
    Q_ASSERT(entry != nullptr);
    connect(entry, &QAction::triggered, this, [this, restyle] {
      RunHandler(messages_, [this, &restyle] {
        switch (restyle.command) {
          case Restyle::kTextColor: customizer_.ChooseTextColor(restyle.target); break;
          case Restyle::kFont: customizer_.ChooseFont(restyle.target); break;
          case Restyle::kBackground: customizer_.ChooseBackground(restyle.target); break;
          case Restyle::kAlign: customizer_.Align(restyle.target, restyle.alignment); break;
        }
      });
    });
  }
}

void TFmain::ApplyLook(DisplayTarget target) {
  if (target == DisplayTarget::kPanel) {
    SetColor(Panel1, QPalette::Window, looks_.panel());
    return;
  }
  QLabel* field = target == DisplayTarget::kWord      ? LWord
                  : target == DisplayTarget::kMeaning ? Lmean
                                                      : LClass;
  const FieldLook& look = looks_.field(target);
  field->setFont(look.text.font);
  SetColor(field, QPalette::WindowText, look.text.color);
  // Without a background of its own the field is not filled, so the panel's
  // colour shows through and follows every change of it.
  field->setAutoFillBackground(look.background.has_value());
  if (look.background) SetColor(field, QPalette::Window, *look.background);
  field->setAlignment(look.alignment | Qt::AlignTop);
}

// Connecting the voice never holds start-up up: it connects in the
// background, and a voice that cannot connect is told once while the window
// opens on its word and drills silently.
void TFmain::FormCreate() {
  pronouncer_.ConnectVoice();
  move(layout::kWindowLeft, layout::kWindowTop);
  OpenStores();
  session_.RestoreRememberedChoices();
  session_.ShowCurrentRow();
  BStart->setToolTip(QStringLiteral("点击开始背单词"));
}

// Each problem is told once; start-up goes on without the store.
void TFmain::OpenStores() {
  if (auto problem = session_.OpenWords(databases_.words)) messages_.ShowError(*problem);
  if (auto problem = session_.OpenSettings(databases_.settings)) messages_.ShowError(*problem);
}

void TFmain::Start() { cycle_.Start(); }

// Cuts off speech every time, running or not.
void TFmain::Stop() {
  cycle_.Stop();
  pronouncer_.StopSpeech();
}

void TFmain::ShowSpeechFailure() {
  if (const std::optional<std::string> failure = pronouncer_.TakeFailure()) {
    messages_.ShowError(*failure);
  }
}

void TFmain::BStartClick() {
  RunHandler(messages_, [this] { Start(); });
}

void TFmain::BStopClick() {
  RunHandler(messages_, [this] { Stop(); });
}

void TFmain::N7Click() {
  RunHandler(messages_, [this] { Start(); });
}

void TFmain::NStopClick() {
  RunHandler(messages_, [this] { Stop(); });
}

// Also lets a voice that failed try again from the next tick.
void TFmain::NAutoSpeakClick() {
  NAutoSpeak->setChecked(true);
  NStopSpeak->setChecked(false);
  pronouncer_.ResumeSpeaking();
}

// A word being spoken is not cut off; from the next tick on, none is.
void TFmain::NStopSpeakClick() {
  NStopSpeak->setChecked(true);
  NAutoSpeak->setChecked(false);
}

void TFmain::NhelpClick() {
  RunHandler(messages_, [this] { plain_messages_.ShowMessage(HelpMessage()); });
}

void TFmain::NAboutClick() {
  RunHandler(messages_, [this] { plain_messages_.ShowMessage(AboutMessage()); });
}

// A tick that falls due while one of the window's boxes is open (the box
// runs its own message loop) is dropped rather than run inside the box.
void TFmain::TimerPlayTimer() {
  if (messages_.box_open()) return;
  RunHandler(messages_, [this] {
    const std::string word = cycle_.Tick();
    if (NAutoSpeak->isChecked()) pronouncer_.SpeakWord(word);
  });
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
