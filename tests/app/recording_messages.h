// The window's boxes recorded instead of shown. `while_open` runs inside each
// box, as the events a real box's message loop would deliver.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>

#include "app/messages.h"

namespace lexmira::testing {

class RecordingMessages final : public Messages {
 public:
  void ShowMessage(const std::string& text) override {
    messages.push_back(QString::fromStdString(text));
    if (while_open) while_open();
  }
  void ShowError(const std::string& text) override {
    errors.push_back(QString::fromStdString(text));
    if (while_open) while_open();
  }

  QStringList messages;
  QStringList errors;
  std::function<void()> while_open;
};

}  // namespace lexmira::testing
