// What the program entry sets up on the application object before the window
// is created, shared with the start-up benchmark so both start the same way.
#pragma once

class QApplication;

namespace lexmira {

// Loads Qt's own Simplified Chinese translations, so standard buttons and
// dialogs read "确定", "取消" and so on. Returns false when Qt's translation
// files are not installed; the program then runs with English buttons.
bool InstallChineseTranslations(QApplication& application);

}  // namespace lexmira
