// The restyling commands over scripted choosers.
#include "appearance/display_customizer.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace lexmira {
namespace {

class ScriptedColors final : public ColorChooser {
 public:
  std::optional<QColor> ChooseColor(const QColor& initial) override {
    shown.push_back(initial);
    return answer;
  }
  std::optional<QColor> answer;  // nothing: the learner cancels
  std::vector<QColor> shown;
};

class ScriptedFonts final : public FontChooser {
 public:
  std::optional<TextFont> ChooseFont(const TextFont& initial) override {
    shown.push_back(initial);
    return answer;
  }
  std::optional<TextFont> answer;
  std::vector<TextFont> shown;
};

QFont Font(const char* family, int pixel_size) {
  QFont font(family);
  font.setPixelSize(pixel_size);
  return font;
}

const QColor kBlack = Qt::black, kWhite = Qt::white, kBlue = Qt::blue, kRed = Qt::red,
             kGreen = QColor(0, 128, 0), kYellow = Qt::yellow;

struct Rig {
  DisplayLooks looks{{{Font("MS Sans Serif", 24), kWhite}, kBlue, Qt::AlignHCenter},
                     {{Font("黑体", 24), kWhite}, kRed, Qt::AlignHCenter},
                     {{Font("宋体", 13), kGreen}, std::nullopt, Qt::AlignLeft},
                     kBlack};
  ScriptedColors colors;
  ScriptedFonts fonts;
  std::vector<DisplayTarget> changed;
  DisplayCustomizer customizer{looks, colors, fonts,
                               [this](DisplayTarget target) { changed.push_back(target); }};
};

constexpr DisplayTarget kFields[] = {DisplayTarget::kWord, DisplayTarget::kMeaning,
                                     DisplayTarget::kClass};

TEST(DisplayCustomizerTest, CancelLeavesEveryTargetExactlyAsItWas) {
  Rig rig;
  const DisplayLooks before = rig.looks;
  for (DisplayTarget field : kFields) {
    rig.customizer.ChooseTextColor(field);
    rig.customizer.ChooseFont(field);
    rig.customizer.ChooseBackground(field);
  }
  rig.customizer.ChooseBackground(DisplayTarget::kPanel);
  for (DisplayTarget field : kFields) EXPECT_EQ(rig.looks.field(field), before.field(field));
  EXPECT_EQ(rig.looks.panel(), before.panel());
  EXPECT_TRUE(rig.changed.empty());
}

TEST(DisplayCustomizerTest, TextColourChangesOnlyTheFontColour) {
  Rig rig;
  rig.colors.answer = kYellow;
  rig.customizer.ChooseTextColor(DisplayTarget::kMeaning);
  EXPECT_EQ(rig.colors.shown, std::vector<QColor>{kWhite});  // the current text colour
  const FieldLook& meaning = rig.looks.field(DisplayTarget::kMeaning);
  EXPECT_EQ(meaning.text.color, kYellow);
  EXPECT_EQ(meaning.text.font, Font("黑体", 24));
  EXPECT_EQ(meaning.background, kRed);
  EXPECT_EQ(rig.changed, std::vector<DisplayTarget>{DisplayTarget::kMeaning});
}

// The dialog is shown the whole current font, colour included; a font
// whose colour differs brings that colour along.
TEST(DisplayCustomizerTest, ConfirmedFontBringsItsColour) {
  Rig rig;
  const TextFont chosen{Font("DejaVu Serif", 30), kYellow};
  rig.fonts.answer = chosen;
  rig.customizer.ChooseFont(DisplayTarget::kWord);
  ASSERT_EQ(rig.fonts.shown.size(), 1u);
  EXPECT_EQ(rig.fonts.shown[0], (TextFont{Font("MS Sans Serif", 24), kWhite}));
  EXPECT_EQ(rig.looks.field(DisplayTarget::kWord).text, chosen);
  EXPECT_EQ(rig.looks.field(DisplayTarget::kWord).background, kBlue);
}

TEST(DisplayCustomizerTest, ClassFieldFollowsThePanelUntilItHasItsOwnBackground) {
  Rig rig;
  rig.colors.answer = kYellow;
  rig.customizer.ChooseBackground(DisplayTarget::kPanel);
  EXPECT_EQ(rig.looks.Background(DisplayTarget::kClass), kYellow);
  EXPECT_EQ(rig.looks.Background(DisplayTarget::kWord), kBlue);

  rig.colors.answer = kGreen;
  rig.customizer.ChooseBackground(DisplayTarget::kClass);
  EXPECT_EQ(rig.colors.shown.back(), kYellow);  // it was showing the panel's colour
  rig.colors.answer = kRed;
  rig.customizer.ChooseBackground(DisplayTarget::kPanel);
  EXPECT_EQ(rig.looks.panel(), kRed);
  EXPECT_EQ(rig.looks.Background(DisplayTarget::kClass), kGreen);
  EXPECT_EQ(rig.changed, (std::vector<DisplayTarget>{DisplayTarget::kPanel, DisplayTarget::kClass,
                                                     DisplayTarget::kPanel}));
}

TEST(DisplayCustomizerTest, AlignmentChangesAtOnceWithoutADialog) {
  Rig rig;
  rig.customizer.Align(DisplayTarget::kWord, Qt::AlignLeft);
  rig.customizer.Align(DisplayTarget::kMeaning, Qt::AlignRight);
  EXPECT_EQ(rig.looks.field(DisplayTarget::kWord).alignment, Qt::AlignLeft);
  EXPECT_EQ(rig.looks.field(DisplayTarget::kMeaning).alignment, Qt::AlignRight);
  EXPECT_TRUE(rig.colors.shown.empty());
  EXPECT_TRUE(rig.fonts.shown.empty());
}

}  // namespace
}  // namespace lexmira
