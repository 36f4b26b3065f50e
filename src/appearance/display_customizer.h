// DisplayCustomizer: the learner's restyling commands on the display area:
// text colour, font and background of a field, its alignment, and the
// panel's colour. Each command changes the looks and tells the window.
#pragma once

#include <functional>

#include "appearance/choosers.h"
#include "appearance/display_looks.h"

namespace lexmira {

class DisplayCustomizer {
 public:
  // Called with the target whose look changed; the panel's change concerns
  // every field that shows the panel through.
  using Changed = std::function<void(DisplayTarget)>;

  // Everything given must outlive the customizer.
  DisplayCustomizer(DisplayLooks& looks, ColorChooser& colors, FontChooser& fonts,
                    Changed changed);

  // A field's text colour, from the colour chooser.
  void ChooseTextColor(DisplayTarget field);
  // A field's whole font, its colour included, from the font chooser.
  void ChooseFont(DisplayTarget field);
  // A field's own background, or the panel's colour, from the colour chooser.
  void ChooseBackground(DisplayTarget target);
  // A field's horizontal alignment, at once.
  void Align(DisplayTarget field, Qt::Alignment horizontal);

 private:
  DisplayLooks& looks_;
  ColorChooser& colors_;
  FontChooser& fonts_;
  Changed changed_;
};

}  // namespace lexmira
