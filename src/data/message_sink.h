// MessageSink: where the data layer shows its one modal message ("密文错误！").
// The window puts a real message box behind it; tests record the texts.
#pragma once

#include <string>

namespace lexmira {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows `text` (UTF-8) and returns once the user has acknowledged it.
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace lexmira
