#include "app/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace lexmira {

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

}  // namespace lexmira
