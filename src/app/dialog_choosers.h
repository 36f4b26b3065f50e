// ColorDialog1 and FontDialog1: Qt's standard colour and font dialogs (in
// Chinese with Qt's translations), shared by every restyling command.
#pragma once

#include "appearance/choosers.h"

class QWidget;

namespace lexmira {

class StandardColorDialog final : public ColorChooser {
 public:
  // The dialog opens over `parent`, which must outlive this object.
  explicit StandardColorDialog(QWidget* parent) : parent_(parent) {}
  std::optional<QColor> ChooseColor(const QColor& initial) override;

 private:
  QWidget* const parent_;
};

// Qt's font dialog has no colour to choose: the font it confirms keeps the
// colour it was shown with, which the text colour command changes.
class StandardFontDialog final : public FontChooser {
 public:
  explicit StandardFontDialog(QWidget* parent) : parent_(parent) {}
  std::optional<TextFont> ChooseFont(const TextFont& initial) override;

 private:
  QWidget* const parent_;
};

}  // namespace lexmira
