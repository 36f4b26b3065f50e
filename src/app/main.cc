// Lexmira's program entry: the application object, Qt's Chinese texts, the
// one window, and the message loop until that window has closed. Nothing is
// read from the command line; the environment only says where the learner's
// configuration folder is.
#include <QApplication>
#include <QFile>
#include <QtGlobal>

#include "app/application.h"
#include "app/close_on_signal.h"
#include "app/messages.h"
#include "app/umain.h"

int main(int argc, char** argv) {
  // Only the program's own name is handed on: the program takes no options.
  int program_argc = argc > 0 ? 1 : 0;
  QApplication application(program_argc, argv);
  if (!lexmira::SetUpApplication(application)) {
    qWarning("Qt's Chinese translations (qtbase_zh_CN) are missing; buttons read in English");
  }
  // Before the window: a signal during start-up still ends in a proper close.
  const lexmira::CloseOnSignal close_on_signal;
  lexmira::DialogMessages messages;
  // Found from the program file's own folder, wherever it is started from.
  const lexmira::DatabaseLocations databases = lexmira::ResolveDatabaseLocations(
      QFile::encodeName(QApplication::applicationDirPath()).toStdString(),
      lexmira::LocationFacts::OfThisProcess());
  lexmira::TFmain Fmain(databases, messages);
  Fmain.show();
  return QApplication::exec();
}
