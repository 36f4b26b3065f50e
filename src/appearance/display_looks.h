// DisplayLooks: the looks of the display area, the three fields and the
// panel, as the learner has restyled them in this run (nothing is saved).
#pragma once

#include <QColor>
#include <array>

#include "appearance/field_look.h"

namespace lexmira {

// What a restyling command acts on.
enum class DisplayTarget { kWord, kMeaning, kClass, kPanel };

class DisplayLooks {
 public:
  // The fields' looks as the window opens, and the panel's colour.
  DisplayLooks(const FieldLook& word, const FieldLook& meaning, const FieldLook& word_class,
               const QColor& panel);

  // The look of a field (not the panel).
  const FieldLook& field(DisplayTarget field) const;
  FieldLook& field(DisplayTarget field);

  const QColor& panel() const { return panel_; }
  void set_panel(const QColor& color) { panel_ = color; }

  // The colour `target` is drawn on: a field's own background, else the
  // panel's, which a field without one of its own shows through and so
  // follows; the panel's own colour for the panel.
  QColor Background(DisplayTarget target) const;

 private:
  std::array<FieldLook, 3> fields_;
  QColor panel_;
};

}  // namespace lexmira
