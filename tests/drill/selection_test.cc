// Choosing the library and the interval through the boxes' texts.
#include "drill/selection.h"

#include <gtest/gtest.h>

#include "data/columns.h"
#include "data/error.h"
#include "drill_rig.h"

namespace lexmira::testing {
namespace {

using Texts = std::vector<std::string>;

TEST(SelectionTest, ChoosingALibraryOpensItLabelsItSavesItAndRuns) {
  DrillRig rig({{4, {{"1", "abandon", "放弃", "CET6"}, {"2", "ability", "能力", "CET6"}}}});
  rig.StartUp();
  rig.selection.SelectLibrary("六级词汇");
  EXPECT_EQ(rig.session.words().library(), "4");
  EXPECT_EQ(rig.view.word_class, "六级英语");
  EXPECT_EQ(rig.view.word, "table0");  // word and meaning wait for the first tick
  EXPECT_EQ(rig.Saved(setting_column::kLibrary), "六级词汇");
  EXPECT_TRUE(rig.timer.enabled());
  EXPECT_EQ(rig.countdown.running_ms, 2000);
  EXPECT_EQ(rig.view.library_texts, Texts{});  // nothing to trim, nothing written back
  rig.cycle.Tick();
  EXPECT_EQ(rig.view.word, "ability");  // the first tick shows the second row
}

// The open library chosen again, while running, starts again from its first
// row with a whole interval before the next tick.
TEST(SelectionTest, ChoosingTheOpenLibraryAgainReopensIt) {
  DrillRig rig({{0, {{"1", "a", "甲", ""}, {"2", "b", "乙", ""}, {"3", "c", "丙", ""}}}});
  rig.StartUp();
  rig.cycle.Start();
  rig.cycle.Tick();
  rig.cycle.Tick();
  const int begun = rig.countdown.begun;
  rig.selection.SelectLibrary("小学英语");
  EXPECT_EQ(rig.countdown.begun, begun + 1);
  rig.cycle.Tick();
  EXPECT_EQ(rig.view.word, "b");
}

// Key by key, as the learner types: the text is trimmed back at once, and
// only a complete name opens a library.
TEST(SelectionTest, TypingANameOpensTheLibraryAtTheEditThatCompletesIt) {
  DrillRig rig({});
  rig.StartUp();
  const Texts edits = {"G", "GR", "GRE", "GRE词", "GRE词汇", "GRE词汇 ", "gre词汇"};
  std::vector<std::string> opened;
  for (const std::string& edit : edits) {
    rig.selection.SelectLibrary(edit);
    opened.push_back(rig.session.words().library());
  }
  EXPECT_EQ(opened, (Texts{"0", "0", "0", "0", "5", "5", "5"}));
  EXPECT_EQ(rig.view.library_texts, Texts{"GRE词汇"});  // only the trailing space was trimmed
  EXPECT_EQ(rig.Saved(setting_column::kLibrary), "GRE词汇");
  EXPECT_TRUE(rig.timer.enabled());
}

TEST(SelectionTest, TextNamingNoLibraryChangesNothing) {
  DrillRig rig({});
  rig.StartUp();
  rig.selection.SelectLibrary(" 六级 ");
  EXPECT_EQ(rig.view.library_texts, Texts{"六级"});
  EXPECT_EQ(rig.session.words().library(), "0");
  EXPECT_FALSE(rig.timer.enabled());
  EXPECT_EQ(rig.Saved(setting_column::kLibrary), "");
}

TEST(SelectionTest, IntervalTypedKeyByKeyTakesEffectAndIsSavedEachTime) {
  DrillRig rig({});
  rig.StartUp();
  rig.cycle.Start();
  Texts saved;
  std::vector<int> intervals;
  for (const std::string edit : {"1", "15", "150", "1500"}) {
    rig.selection.SetInterval(edit);
    saved.push_back(rig.Saved(setting_column::kInterval));
    intervals.push_back(rig.countdown.running_ms);
  }
  EXPECT_EQ(saved, (Texts{"1", "15", "150", "1500"}));
  EXPECT_EQ(intervals, (std::vector<int>{1, 15, 150, 1500}));
  EXPECT_TRUE(rig.timer.enabled());
}

TEST(SelectionTest, IntervalWhileStoppedStaysStopped) {
  DrillRig rig({});
  rig.StartUp();
  rig.selection.SetInterval(" 3000\t");
  EXPECT_EQ(rig.timer.interval(), 3000);
  EXPECT_FALSE(rig.timer.enabled());
  EXPECT_EQ(rig.Saved(setting_column::kInterval), "3000");  // the trimmed text
}

TEST(SelectionTest, IntervalThatIsNoIntegerChangesNothing) {
  DrillRig rig({});
  rig.StartUp();
  rig.selection.SetInterval("3000");
  for (const std::string text : {"", "  ", "1.5", "abc", "３０００"}) {
    try {
      rig.selection.SetInterval(text);
      ADD_FAILURE() << "'" << text << "' is no integer";
    } catch (const Error& error) {
      const std::string trimmed = text.find_first_not_of(' ') == std::string::npos ? "" : text;
      EXPECT_EQ(std::string(error.what()), "'" + trimmed + "' is not a valid integer value");
    }
    EXPECT_EQ(rig.timer.interval(), 3000);
    EXPECT_EQ(rig.Saved(setting_column::kInterval), "3000");
  }
}

// A library table missing from words.mdb: the choice fails where it is
// opened, and the drill stays stopped.
TEST(SelectionTest, MissingLibraryTableFailsAndLeavesTheDrillStopped) {
  DrillRig rig({});
  rig.StartUp();
  rig.session.words().SetDatabasePath(rig.dir.File("set.mdb"));  // a database without word tables
  rig.cycle.Start();
  EXPECT_THROW(rig.selection.SelectLibrary("托福词汇"), Error);
  EXPECT_FALSE(rig.timer.enabled());
  EXPECT_EQ(rig.Saved(setting_column::kLibrary), "");
}

}  // namespace
}  // namespace lexmira::testing
