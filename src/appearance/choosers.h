// The colour and font choosers the restyling commands ask: the window's
// standard dialogs, or a test's answers.
#pragma once

#include <QColor>
#include <optional>

#include "appearance/field_look.h"

namespace lexmira {

class ColorChooser {
 public:
  virtual ~ColorChooser() = default;
  // Shows `initial` and returns the colour the learner confirmed, or nothing
  // when they cancelled.
  virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
};

class FontChooser {
 public:
  virtual ~FontChooser() = default;
  // Shows `initial` (face, size, style and colour) and returns the font the
  // learner confirmed, with its colour, or nothing when they cancelled.
  virtual std::optional<TextFont> ChooseFont(const TextFont& initial) = 0;
};

}  // namespace lexmira
