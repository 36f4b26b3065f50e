#include "app/messages.h"

#include <QMessageBox>
#include <QString>
#include <exception>

namespace lexmira {
namespace {

// A box without a parent window: Qt centres it on the screen, and exec()
// keeps it modal over the whole application.
void ShowBox(QMessageBox::Icon icon, const std::string& text) {
  QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), QString::fromStdString(text),
                  QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace

void DialogMessages::ShowMessage(const std::string& text) { ShowBox(QMessageBox::NoIcon, text); }

void DialogMessages::ShowError(const std::string& text) { ShowBox(QMessageBox::Critical, text); }

std::string ErrorBoxText(const std::string& error_text) {
  if (!error_text.empty() && static_cast<unsigned char>(error_text.back()) > '.') {
    return error_text + '.';
  }
  return error_text;
}

bool RunHandler(Messages& messages, const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    // lexmira::Error and whatever else escapes a handler: one box, go on.
    messages.ShowError(ErrorBoxText(error.what()));
  }
  return false;
}

}  // namespace lexmira
