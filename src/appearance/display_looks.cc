#include "appearance/display_looks.h"

#include <cassert>

namespace lexmira {

DisplayLooks::DisplayLooks(const FieldLook& word, const FieldLook& meaning,
                           const FieldLook& word_class, const QColor& panel)
    : fields_{word, meaning, word_class}, panel_(panel) {}

const FieldLook& DisplayLooks::field(DisplayTarget field) const {
  assert(field != DisplayTarget::kPanel);
  return fields_[static_cast<size_t>(field)];
}

FieldLook& DisplayLooks::field(DisplayTarget field) {
  assert(field != DisplayTarget::kPanel);
  return fields_[static_cast<size_t>(field)];
}

QColor DisplayLooks::Background(DisplayTarget target) const {
  if (target == DisplayTarget::kPanel) return panel_;
  return field(target).background.value_or(panel_);
}

}  // namespace lexmira
