#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/faces.h"
#include "app/messages.h"
#include "app/svg_icon.h"

namespace lexmira {
namespace {

constexpr char kIconResource[] = ":/lexmira.svg";

}  // namespace

bool InstallChineseTranslations(QApplication& application) {
  // Parented to the application, so it lives exactly as long as it does.
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QApplication::installTranslator(translator);
}

bool SetUpApplication(QApplication& application) {
  InstallFaceSubstitutes();
  // Set before any widget exists: a line edit lays out its text in the
  // application's font once before it takes its own.
  QFont interface_font = QApplication::font();
  interface_font.setFamilies({QString::fromUtf8(kInterfaceFontFamily)});
  QApplication::setFont(interface_font);
  QApplication::setApplicationDisplayName(QString::fromUtf8(kApplicationTitle));
  // Ties the window to the installed desktop entry, for its icon and name.
  QApplication::setDesktopFileName(QStringLiteral(LEXMIRA_APP_ID));
  QApplication::setWindowIcon(SvgIcon(QString::fromLatin1(kIconResource)));
  return InstallChineseTranslations(application);
}

}  // namespace lexmira
