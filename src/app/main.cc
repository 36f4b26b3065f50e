// Lexmira's program entry: the application object, Qt's Chinese texts, the
// one window, and the message loop until that window has closed. Nothing is
// read from the command line or the environment.
#include <QApplication>
#include <QtGlobal>

#include "app/application.h"
#include "app/messages.h"
#include "app/umain.h"

int main(int argc, char** argv) {
  // Only the program's own name is handed on: the program takes no options.
  int program_argc = argc > 0 ? 1 : 0;
  QApplication application(program_argc, argv);
  if (!lexmira::SetUpApplication(application)) {
    qWarning("Qt's Chinese translations (qtbase_zh_CN) are missing; buttons read in English");
  }
  lexmira::DialogMessages messages;
  // The databases lie beside the program file, wherever it is started from.
  lexmira::TFmain Fmain(QApplication::applicationDirPath(), messages);
  Fmain.show();
  return QApplication::exec();
}
