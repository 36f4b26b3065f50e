// The boxes the window shows: the plain message box and the error box that
// every handler's uncaught error ends in. Tests put a recorder behind the
// interface; the program puts the real Qt boxes behind it.
#pragma once

#include <functional>
#include <string>

#include "data/message_sink.h"

namespace lexmira {

// Caption of every box and the application's title.
inline constexpr char kApplicationTitle[] = "Lexmira";

// All texts are UTF-8.
class Messages : public MessageSink {
 public:
  // ShowMessage (from MessageSink): a modal box with one OK button, no icon.
  // A modal box with the error icon and one OK button, showing `text` as
  // given (RunHandler has already applied ErrorBoxText).
  virtual void ShowError(const std::string& text) = 0;
};

// Modal Qt message boxes, centred on the screen, captioned "Lexmira".
class DialogMessages final : public Messages {
 public:
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
};

// An error's text as the error box shows it: a full stop is added when the
// last character sorts after '.', so "…not found" becomes "…not found." while
// "….", "…!" or "…)" stay as they are. Every byte of a multi-byte UTF-8
// character sorts after '.', so the last byte decides.
std::string ErrorBoxText(const std::string& error_text);

// Runs one event handler. An error the handler does not catch itself ends it
// and is shown in the error box; the program then goes on. Returns false when
// the handler ended that way.
bool RunHandler(Messages& messages, const std::function<void()>& handler);

}  // namespace lexmira
