#include "app/counted_messages.h"

namespace lexmira {
namespace {

// Counts one open box for as long as it lives, also when the box throws.
class OpenBox {
 public:
  explicit OpenBox(int& open_boxes) : open_boxes_(open_boxes) { ++open_boxes_; }
  ~OpenBox() { --open_boxes_; }
  OpenBox(const OpenBox&) = delete;
  OpenBox& operator=(const OpenBox&) = delete;

 private:
  int& open_boxes_;
};

}  // namespace

void CountedMessages::ShowMessage(const std::string& text) {
  const OpenBox open(open_boxes_);
  shown_.ShowMessage(text);
}

void CountedMessages::ShowError(const std::string& text) {
  const OpenBox open(open_boxes_);
  shown_.ShowError(text);
}

}  // namespace lexmira
