// DrillView: what the drill shows through the window, without knowing it.
#pragma once

#include <string>

namespace lexmira {

// All texts are UTF-8.
class DrillView {
 public:
  virtual ~DrillView() = default;

  // The three display fields.
  virtual void ShowWord(const std::string& text) = 0;
  virtual void ShowMeaning(const std::string& text) = 0;
  virtual void ShowClass(const std::string& text) = 0;

  // The texts of the library and interval boxes, set without running their
  // change handling.
  virtual void SetLibraryText(const std::string& text) = 0;
  virtual void SetIntervalText(const std::string& text) = 0;
};

}  // namespace lexmira
