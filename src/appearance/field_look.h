// What a display field looks like: its font with the font's colour, its own
// background colour if it has one, and its horizontal alignment.
#pragma once

#include <QColor>
#include <QFont>
#include <Qt>
#include <optional>

namespace lexmira {

// A font as the font dialog gives and takes it: face, size, style and the
// colour its text is drawn in.
struct TextFont {
  QFont font;
  QColor color;

  bool operator==(const TextFont&) const = default;
};

struct FieldLook {
  TextFont text;
  // Empty while the field shows its parent's colour through.
  std::optional<QColor> background;
  Qt::Alignment alignment;

  bool operator==(const FieldLook&) const = default;
};

}  // namespace lexmira
