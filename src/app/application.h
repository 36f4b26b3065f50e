// What the program entry sets up on the application object before the window
// is created, shared with the tests and the start-up benchmark so that all
// start the same way.
#pragma once

class QApplication;

namespace lexmira {

// Loads Qt's own Simplified Chinese translations, so standard buttons and
// dialogs read "确定", "取消" and so on. Returns false when Qt's translation
// files are not installed; the program then runs with English buttons.
bool InstallChineseTranslations(QApplication& application);

// Gives the application its title "Lexmira" (the caption of every box), its
// icon, its interface font and the window's font faces, and installs the
// Chinese translations.
// Returns false as InstallChineseTranslations does.
bool SetUpApplication(QApplication& application);

}  // namespace lexmira
