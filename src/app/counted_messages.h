// The window's boxes, counted while they are open.
#pragma once

#include <string>

#include "app/messages.h"

namespace lexmira {

// Passes every box on to `shown` and knows whether one is open. A box runs
// a message loop of its own that goes on delivering the drill's ticks; the
// window drops those ticks, so a library that fails at every tick shows one
// box instead of stacking a new one every interval.
class CountedMessages final : public Messages {
 public:
  // `shown` must outlive this object.
  explicit CountedMessages(Messages& shown) : shown_(shown) {}

  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;

  bool box_open() const { return open_boxes_ > 0; }

 private:
  Messages& shown_;
  int open_boxes_ = 0;
};

}  // namespace lexmira
