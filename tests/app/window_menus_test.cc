// The menus, the pop-up menus, the help and about boxes and the restyling
// commands, driven through the window offscreen with the dialogs answered
// by the test.
#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "app/application.h"
#include "app/fixed_messages.h"
#include "app/umain.h"
#include "program_dir.h"
#include "quiet_devices.h"
#include "recording_messages.h"

using lexmira::DisplayTarget;
using lexmira::TextFont;
using lexmira::TFmain;
using lexmira::testing::Enciphered;
using lexmira::testing::QuietDevices;
using lexmira::testing::ProgramDir;
using lexmira::testing::RecordingMessages;

namespace {

class ScriptedColors final : public lexmira::ColorChooser {
 public:
  std::optional<QColor> ChooseColor(const QColor&) override { return answer; }
  std::optional<QColor> answer;
};

class ScriptedFonts final : public lexmira::FontChooser {
 public:
  std::optional<TextFont> ChooseFont(const TextFont&) override { return answer; }
  std::optional<TextFont> answer;
};

// A menu's entries in order, separators as "—", submenus as "caption ▸".
QStringList Entries(const QMenu* menu) {
  QStringList entries;
  for (const QAction* action : menu->actions()) {
    if (action->isSeparator()) {
      entries << "—";
    } else {
      entries << action->text() + (action->menu() ? " ▸" : "");
    }
  }
  return entries;
}

}  // namespace

class WindowMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void MainMenu_data();
  void MainMenu();
  void MenuOrder_data();
  void MenuOrder();
  void MnemonicsOpenTheirMenus();
  void RightClickOpensThePopUpMenu_data();
  void RightClickOpensThePopUpMenu();
  void HelpAndAboutBoxes();
  void StartWhileRunningChangesNothing();
  void CloseEntrySavesThePosition();
  void Restyling_data();
  void Restyling();
  void CancelLeavesTheFieldAsItWas();
  void ClassFieldFollowsThePanelUntilItHasItsOwnBackground();
  void AligningLeftMovesTheTextNotTheField();

 private:
  void OpenWindow();
  QAction* Action(const char* name) const {
    auto* action = window_->findChild<QAction*>(name);
    if (action == nullptr) qFatal("no entry %s", name);
    return action;
  }

  std::unique_ptr<ProgramDir> dir_;
  RecordingMessages boxes_;
  ScriptedColors colors_;
  ScriptedFonts fonts_;
  std::unique_ptr<TFmain> window_;
};

void WindowMenusTest::initTestCase() { lexmira::SetUpApplication(*qApp); }

void WindowMenusTest::init() {
  dir_ = std::make_unique<ProgramDir>();
  dir_->WriteWords({{0,
                     {{"1", "apple", Enciphered("苹果"), "三年级"},
                      {"2", "book", Enciphered("书"), "三年级"},
                      {"3", "cat", Enciphered("猫"), "四年级"}}}});
  dir_->WriteSettings({});
  OpenWindow();
}

// A fresh window over the same program directory, its dialogs unanswered.
void WindowMenusTest::OpenWindow() {
  window_.reset();
  boxes_ = RecordingMessages();
  colors_.answer.reset();
  fonts_.answer.reset();
  lexmira::WindowDevices devices = QuietDevices();
  devices.colors = &colors_;
  devices.fonts = &fonts_;
  window_ = std::make_unique<TFmain>(dir_->databases(), boxes_, std::move(devices));
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void WindowMenusTest::cleanup() {
  window_.reset();
  dir_.reset();
}

// Every entry of the main menu: its caption, the menu it sits in, and its
// check mark (-1 for an entry that has none).
void WindowMenusTest::MainMenu_data() {
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("menu");
  QTest::addColumn<int>("checked");
  const struct {
    const char *name, *caption, *menu;
    int checked;
  } entries[] = {
      {"NFile", "文件(&F)", "MainMenu1", -1},     {"NClose", "关闭(&C)", "NFile", -1},
      {"NPlay", "播放(&P)", "MainMenu1", -1},     {"N7", "开始", "NPlay", -1},
      {"NStop", "停止", "NPlay", -1},             {"NItem", "选项(&I)", "MainMenu1", -1},
      {"NWordItem", "单词", "NItem", -1},         {"NWordColor", "颜色", "NWordItem", -1},
      {"NWodFont", "字体", "NWordItem", -1},      {"NWordBakground", "背景", "NWordItem", -1},
      {"Nmeanitem", "意思", "NItem", -1},         {"Nmeancolor", "颜色", "Nmeanitem", -1},
      {"NmeanFont", "字体", "Nmeanitem", -1},     {"NmeanBakground", "背景", "Nmeanitem", -1},
      {"NClassItem", "班级", "NItem", -1},        {"NClassColor", "颜色", "NClassItem", -1},
      {"NClassfont", "字体", "NClassItem", -1},   {"NClassBakgound", "背景", "NClassItem", -1},
      {"NPanelColor", "面板颜色", "NItem", -1},   {"N8", "", "NItem", -1},
      {"NAutoSpeak", "自动朗读", "NItem", 1},     {"NStopSpeak", "停止朗读", "NItem", 0},
      {"NHelps", "帮助(&H)", "MainMenu1", -1},    {"Nhelp", "帮助", "NHelps", -1},
      {"NAbout", "关于", "NHelps", -1},
  };
  for (const auto& entry : entries) {
    QTest::newRow(entry.name) << entry.caption << entry.menu << entry.checked;
  }
}

void WindowMenusTest::MainMenu() {
  QFETCH(QString, caption);
  QFETCH(QString, menu);
  QFETCH(int, checked);
  QAction* entry = Action(QTest::currentDataTag());
  QCOMPARE(entry->text(), caption);
  QCOMPARE(entry->isCheckable(), checked >= 0);
  if (checked >= 0) QCOMPARE(entry->isChecked(), checked == 1);
  const QList<QObject*> holders = entry->associatedObjects();
  QVERIFY(std::any_of(holders.begin(), holders.end(),
                      [&](QObject* holder) { return holder->objectName() == menu; }));
}

void WindowMenusTest::MenuOrder_data() {
  QTest::addColumn<QStringList>("entries");
  QTest::newRow("NItem") << QStringList{"单词 ▸",   "意思 ▸",   "班级 ▸", "面板颜色",
                                        "—",        "自动朗读", "停止朗读"};
  QTest::newRow("NHelps") << QStringList{"帮助", "—", "关于"};
  QTest::newRow("PopupMenu1") << QStringList{"颜色", "—", "字体", "—", "背景", "—", "对齐 ▸"};
  QTest::newRow("NLwordjust") << QStringList{"左对齐", "右对齐", "居中对齐"};
  QTest::newRow("PopupMenu2") << QStringList{"颜色", "—", "字体", "—", "背景", "—", "对齐 ▸"};
  QTest::newRow("Lmeanjust") << QStringList{"左对齐", "右对齐", "居中对齐"};
  QTest::newRow("PopupMenu3") << QStringList{"颜色", "—", "字体", "—", "背景"};
  QTest::newRow("PopupMenu4") << QStringList{"面板颜色"};
}

void WindowMenusTest::MenuOrder() {
  QFETCH(QStringList, entries);
  auto* menu = window_->findChild<QMenu*>(QTest::currentDataTag());
  QVERIFY(menu != nullptr);
  QCOMPARE(Entries(menu), entries);
}

void WindowMenusTest::MnemonicsOpenTheirMenus() {
  const struct {
    Qt::Key key;
    const char* menu;
  } mnemonics[] = {{Qt::Key_F, "NFile"}, {Qt::Key_P, "NPlay"}, {Qt::Key_I, "NItem"},
                   {Qt::Key_H, "NHelps"}};
  for (const auto& mnemonic : mnemonics) {
    window_->activateWindow();
    QTest::keyClick(window_.get(), mnemonic.key, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QCOMPARE(QApplication::activePopupWidget()->objectName(), QString(mnemonic.menu));
    QApplication::activePopupWidget()->close();
  }
}

void WindowMenusTest::RightClickOpensThePopUpMenu_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QPoint>("at");
  QTest::newRow("PopupMenu1") << "LWord" << QPoint(10, 10);
  QTest::newRow("PopupMenu2") << "Lmean" << QPoint(10, 10);
  QTest::newRow("PopupMenu3") << "LClass" << QPoint(5, 5);
  QTest::newRow("PopupMenu4") << "Panel1" << QPoint(5, 5);  // outside the fields
}

void WindowMenusTest::RightClickOpensThePopUpMenu() {
  QFETCH(QString, control);
  QFETCH(QPoint, at);
  auto* widget = window_->findChild<QWidget*>(control);
  QVERIFY(widget != nullptr);
  QContextMenuEvent right_click(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
  QApplication::sendEvent(widget, &right_click);
  QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
  QCOMPARE(QApplication::activePopupWidget()->objectName(), QString(QTest::currentDataTag()));
  QApplication::activePopupWidget()->close();
}

// Ticks go on while either box is open; neither changes anything.
void WindowMenusTest::HelpAndAboutBoxes() {
  const QString help =
      "      ★ 软件使用帮助 ★\n\n------------------------------------\n\n      用Lexmira，\n\n"
      "      每天背一背,\n\n      迅速掌握英文词汇,\n\n      丰富您的词汇量。\n\n"
      "------------------------------------";
  const QString about =
      "★      关于本软件     ★\n\n------------------------------------\n\n"
      "软件名称：Lexmira 2007\n\n开 发 者：Kestrova工作室\n\n"
      "电子邮箱：" LEXMIRA_TEST_CONTACT_EMAIL "\n\n软件主页：" LEXMIRA_TEST_HOMEPAGE
      "\n\n------------------------------------";
  TFmain& w = *window_;
  w.BStartClick();
  QStringList words_inside;
  boxes_.while_open = [&] {
    w.TimerPlayTimer();
    words_inside << w.LWord->text();
  };
  Action("Nhelp")->trigger();
  Action("NAbout")->trigger();
  QCOMPARE(boxes_.messages, (QStringList{help, about}));
  QCOMPARE(words_inside, (QStringList{"book", "cat"}));
  QVERIFY(w.TimerPlay.enabled());
  QCOMPARE(boxes_.errors, QStringList());
}

// A second start neither restarts the countdown nor shows a row.
void WindowMenusTest::StartWhileRunningChangesNothing() {
  TFmain& w = *window_;
  Action("N7")->trigger();
  QVERIFY(w.TimerPlay.enabled());
  const int countdown = w.countdown().timer().timerId();
  Action("N7")->trigger();
  QCOMPARE(w.countdown().timer().timerId(), countdown);
  QCOMPARE(w.LWord->text(), QString("apple"));
  Action("NStop")->trigger();
  QVERIFY(!w.TimerPlay.enabled());
  Action("NStop")->trigger();
  QVERIFY(!w.TimerPlay.enabled());
}

void WindowMenusTest::CloseEntrySavesThePosition() {
  window_->TimerPlayTimer();
  Action("NClose")->trigger();
  QVERIFY(!window_->isVisible());
  QCOMPARE(QString::fromStdString(dir_->ReadSettings().id), QString("2"));
}

// Each restyling command through both of its entries, which must do exactly
// the same: the look and what the field shows.
void WindowMenusTest::Restyling_data() {
  QTest::addColumn<QString>("menu_entry");
  QTest::addColumn<QString>("popup_entry");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("command");
  const struct {
    const char *menu, *popup, *control, *command;
  } rows[] = {
      {"NWordColor", "NColors", "LWord", "color"},
      {"NWodFont", "NFonts", "LWord", "font"},
      {"NWordBakground", "NBakGrounds", "LWord", "background"},
      {"", "Nlwordleft", "LWord", "left"},
      {"", "NLwordRight", "LWord", "right"},
      {"", "NLwordCenter", "LWord", "centre"},
      {"Nmeancolor", "NColorss", "Lmean", "color"},
      {"NmeanFont", "NFontss", "Lmean", "font"},
      {"NmeanBakground", "NBakGroundss", "Lmean", "background"},
      {"", "NLmeanleft", "Lmean", "left"},
      {"", "Nlmeanright", "Lmean", "right"},
      {"", "Nlmeancenter", "Lmean", "centre"},
      {"NClassColor", "NColorsss", "LClass", "color"},
      {"NClassfont", "NFontsss", "LClass", "font"},
      {"NClassBakgound", "NBakgroundsss", "LClass", "background"},
      {"NPanelColor", "NBakGroundPanel", "Panel1", "background"},
  };
  for (const auto& row : rows) {
    QTest::newRow(row.popup) << row.menu << row.popup << row.control << row.command;
  }
}

void WindowMenusTest::Restyling() {
  QFETCH(QString, menu_entry);
  QFETCH(QString, popup_entry);
  QFETCH(QString, control);
  QFETCH(QString, command);

  QFont chosen_font("DejaVu Serif");
  chosen_font.setPixelSize(17);
  chosen_font.setItalic(true);
  const QColor chosen_color(0x12, 0x34, 0x56);
  const auto run_and_read = [&](const QString& entry) {
    OpenWindow();
    colors_.answer = chosen_color;
    fonts_.answer = TextFont{chosen_font, chosen_color};
    auto* widget = window_->findChild<QWidget*>(control);
    Action(qPrintable(entry))->trigger();
    return std::make_tuple(widget->font(), widget->palette().color(QPalette::WindowText),
                           widget->palette().color(QPalette::Window),
                           widget->autoFillBackground(),
                           qobject_cast<QLabel*>(widget) ? qobject_cast<QLabel*>(widget)->alignment()
                                                         : Qt::Alignment());
  };
  const auto [font, text_color, background, filled, alignment] = run_and_read(popup_entry);
  if (command == "color") {
    QCOMPARE(text_color, chosen_color);
  } else if (command == "font") {
    QCOMPARE(font.family(), chosen_font.family());
    QCOMPARE(font.pixelSize(), 17);
    QVERIFY(font.italic());
    QCOMPARE(text_color, chosen_color);
  } else if (command == "background") {
    QCOMPARE(background, chosen_color);
    QVERIFY(filled);
  } else {
    const Qt::Alignment expected = command == "left"    ? Qt::AlignLeft
                                   : command == "right" ? Qt::AlignRight
                                                        : Qt::AlignHCenter;
    QCOMPARE(alignment & Qt::AlignHorizontal_Mask, expected);
  }
  if (!menu_entry.isEmpty()) {
    QCOMPARE(run_and_read(menu_entry),
             std::make_tuple(font, text_color, background, filled, alignment));
  }
}

void WindowMenusTest::CancelLeavesTheFieldAsItWas() {
  for (const char* entry : {"NWordColor", "NWodFont", "NWordBakground", "NPanelColor"}) {
    const QFont font = window_->LWord->font();
    const QPalette palette = window_->LWord->palette();
    const QColor panel = window_->Panel1->palette().color(QPalette::Window);
    Action(entry)->trigger();
    QCOMPARE(window_->LWord->font(), font);
    QCOMPARE(window_->LWord->palette(), palette);
    QCOMPARE(window_->Panel1->palette().color(QPalette::Window), panel);
  }
}

// The class field shows the panel through until it has a background of its
// own; what is drawn under its text tells.
void WindowMenusTest::ClassFieldFollowsThePanelUntilItHasItsOwnBackground() {
  TFmain& w = *window_;
  w.LClass->setText(QString());
  const auto drawn = [&] { return w.Panel1->grab().toImage().pixelColor(w.LClass->x() + 2, w.LClass->y() + 2); };
  QCOMPARE(drawn(), QColor(Qt::black));
  colors_.answer = QColor(Qt::darkCyan);
  Action("NPanelColor")->trigger();
  QCOMPARE(drawn(), QColor(Qt::darkCyan));
  colors_.answer = QColor(Qt::magenta);
  Action("NBakgroundsss")->trigger();
  QCOMPARE(drawn(), QColor(Qt::magenta));
  colors_.answer = QColor(Qt::darkYellow);
  Action("NBakGroundPanel")->trigger();
  QCOMPARE(drawn(), QColor(Qt::magenta));
  QCOMPARE(w.looks().panel(), QColor(Qt::darkYellow));
}

// The word moves to the field's left edge; the field stays where it was.
void WindowMenusTest::AligningLeftMovesTheTextNotTheField() {
  TFmain& w = *window_;
  const QRect field = w.LWord->geometry();
  const auto first_text_column = [&] {
    const QImage image = w.LWord->grab().toImage();
    const QColor background = w.LWord->palette().color(QPalette::Window);
    for (int x = 0; x < image.width(); ++x) {
      for (int y = 0; y < image.height(); ++y) {
        if (image.pixelColor(x, y) != background) return x;
      }
    }
    return -1;
  };
  const int centred = first_text_column();
  Action("Nlwordleft")->trigger();
  const int left = first_text_column();
  QVERIFY2(left >= 0 && left < 5, qPrintable(QString::number(left)));
  QVERIFY(centred > 100);
  QCOMPARE(w.LWord->geometry(), field);
}

QTEST_MAIN(WindowMenusTest)
#include "window_menus_test.moc"
