// The word cycle over a real words.mdb: what each tick shows.
#include "drill/word_cycle.h"

#include <gtest/gtest.h>

#include "data/columns.h"
#include "data/error.h"
#include "drill_rig.h"

namespace lexmira::testing {
namespace {

using Fields = std::vector<std::string>;

const std::vector<Word> kThreeWords = {
    {"1", "apple", "苹果", "三年级"},
    {"2", "  book ", "书", "三年级"},
    {"3", "cat", "猫", std::nullopt},
};

TEST(WordCycleTest, StartAndStopOnlySwitchTheTimer) {
  DrillRig rig({{0, kThreeWords}});
  rig.StartUp();
  rig.cycle.Start();
  rig.cycle.Start();
  EXPECT_TRUE(rig.timer.enabled());
  EXPECT_EQ(rig.countdown.begun, 1);  // the second start did not restart the wait
  EXPECT_EQ(rig.view.Fields(), (Fields{"apple", "苹果", "三年级"}));  // nothing shown again
  rig.cycle.Stop();
  EXPECT_FALSE(rig.timer.enabled());
  EXPECT_EQ(rig.countdown.running_ms, 0);
}

// Each tick moves first: the word trimmed, a null class empty, and the last
// row again on every tick after it.
TEST(WordCycleTest, TicksStepToTheLastRowAndStayThere) {
  DrillRig rig({{0, kThreeWords}});
  rig.StartUp();
  EXPECT_EQ(rig.cycle.Tick(), "book");
  EXPECT_EQ(rig.view.Fields(), (Fields{"book", "书", "三年级"}));
  EXPECT_EQ(rig.cycle.Tick(), "cat");
  EXPECT_EQ(rig.view.Fields(), (Fields{"cat", "猫", ""}));
  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_EQ(rig.cycle.Tick(), "cat");
    EXPECT_EQ(rig.view.Fields(), (Fields{"cat", "猫", ""}));
  }
}

TEST(WordCycleTest, FirstTickShowsTheRowAfterTheRemembered) {
  DrillRig rig({{0, kThreeWords}});
  rig.session.OpenSettings(rig.dir.File("set.mdb"));
  rig.session.SaveSetting(setting_column::kPosition, "2");
  rig.StartUp();
  EXPECT_EQ(rig.view.word, "  book ");  // start-up shows the word as stored
  rig.cycle.Tick();
  EXPECT_EQ(rig.view.Fields(), (Fields{"cat", "猫", ""}));
}

TEST(WordCycleTest, OneRowLibraryShowsThatRowOnEveryTick) {
  DrillRig rig({{0, {{"1", "only", "唯一", "一"}}}});
  rig.StartUp();
  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_EQ(rig.cycle.Tick(), "only");
    EXPECT_EQ(rig.view.Fields(), (Fields{"only", "唯一", "一"}));
  }
}

TEST(WordCycleTest, EmptyLibraryShowsThreeEmptyFields) {
  DrillRig rig({{0, std::vector<Word>{}}});
  rig.StartUp();
  EXPECT_EQ(rig.cycle.Tick(), "");
  EXPECT_EQ(rig.view.Fields(), (Fields{"", "", ""}));
  EXPECT_TRUE(rig.messages.messages.empty());
}

// A meaning of odd length is told and left empty, the class still follows; a
// bad pair ends the tick after the word, leaving the rest as it was.
TEST(WordCycleTest, BrokenMeanings) {
  DrillRig rig({{0, {{"1", "apple", "", "一"}, {"2", "odd", "ABC", "二"}, {"3", "bad", "4G", "三"}}}},
               /*stored_meanings=*/true);
  rig.StartUp();
  rig.cycle.Tick();
  EXPECT_EQ(rig.view.Fields(), (Fields{"odd", "", "二"}));
  EXPECT_EQ(rig.messages.messages, std::vector<std::string>{"密文错误！"});
  try {
    rig.cycle.Tick();
    FAIL() << "a bad pair must end the tick";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "'$4G' is not a valid integer value");
  }
  EXPECT_EQ(rig.view.Fields(), (Fields{"bad", "", "二"}));
}

TEST(WordCycleTest, TickOnAClosedTableFailsWithTheStoresError) {
  DrillRig rig({});
  try {
    rig.cycle.Tick();
    FAIL() << "a closed word table must fail";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "ADOTable1: Cannot perform this operation on a closed dataset");
  }
  EXPECT_EQ(rig.view.Fields(), (Fields{"LWord", "Lmean", "LClass"}));
}

}  // namespace
}  // namespace lexmira::testing
