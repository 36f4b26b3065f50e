#include "appearance/display_customizer.h"

#include <utility>

namespace lexmira {

DisplayCustomizer::DisplayCustomizer(DisplayLooks& looks, ColorChooser& colors,
                                     FontChooser& fonts, Changed changed)
    : looks_(looks), colors_(colors), fonts_(fonts), changed_(std::move(changed)) {}

void DisplayCustomizer::ChooseTextColor(DisplayTarget field) {
  TextFont& text = looks_.field(field).text;
  if (const std::optional<QColor> color = colors_.ChooseColor(text.color)) {
    text.color = *color;
    changed_(field);
  }
}

void DisplayCustomizer::ChooseFont(DisplayTarget field) {
  TextFont& text = looks_.field(field).text;
  if (const std::optional<TextFont> font = fonts_.ChooseFont(text)) {
    text = *font;
    changed_(field);
  }
}

void DisplayCustomizer::ChooseBackground(DisplayTarget target) {
  const std::optional<QColor> color = colors_.ChooseColor(looks_.Background(target));
  if (!color) return;
  if (target == DisplayTarget::kPanel) {
    looks_.set_panel(*color);
  } else {
    looks_.field(target).background = *color;
  }
  changed_(target);
}

void DisplayCustomizer::Align(DisplayTarget field, Qt::Alignment horizontal) {
  looks_.field(field).alignment = horizontal;
  changed_(field);
}

}  // namespace lexmira
