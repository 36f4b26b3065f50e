#include "app/dialog_choosers.h"

#include <QColorDialog>
#include <QFontDialog>

namespace lexmira {

std::optional<QColor> StandardColorDialog::ChooseColor(const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, parent_);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

// No lower or upper size limit is set on the dialog.
std::optional<TextFont> StandardFontDialog::ChooseFont(const TextFont& initial) {
  bool confirmed = false;
  const QFont chosen = QFontDialog::getFont(&confirmed, initial.font, parent_);
  if (!confirmed) return std::nullopt;
  return TextFont{chosen, initial.color};
}

}  // namespace lexmira
