// The drill timer's rules, over a countdown that records what it is told.
#include "drill/drill_timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lexmira {
namespace {

class RecordingCountdown final : public Countdown {
 public:
  void Begin(int interval_ms) override { calls.push_back("begin " + std::to_string(interval_ms)); }
  void Cancel() override { calls.push_back("cancel"); }
  std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

TEST(DrillTimerTest, StartsOffAtTheDefaultInterval) {
  RecordingCountdown countdown;
  DrillTimer timer(countdown);
  EXPECT_FALSE(timer.enabled());
  EXPECT_EQ(timer.interval(), 2000);
  EXPECT_EQ(countdown.calls, Calls{});
}

// Each case runs its steps on a fresh timer and lists what the countdown was
// told, so "nothing" means the running countdown was left alone.
struct Step {
  enum Kind { kEnable, kDisable, kInterval } kind;
  int interval_ms = 0;
};

struct RuleCase {
  const char* name;
  std::vector<Step> steps;
  Calls calls;
  bool enabled;
};

class DrillTimerRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(DrillTimerRules, TellTheCountdownOnlyWhatChanges) {
  RecordingCountdown countdown;
  DrillTimer timer(countdown);
  for (const Step& step : GetParam().steps) {
    switch (step.kind) {
      case Step::kEnable: timer.SetEnabled(true); break;
      case Step::kDisable: timer.SetEnabled(false); break;
      case Step::kInterval: timer.SetInterval(step.interval_ms); break;
    }
  }
  EXPECT_EQ(countdown.calls, GetParam().calls);
  EXPECT_EQ(timer.enabled(), GetParam().enabled);
}

const Step kOn{Step::kEnable};
const Step kOff{Step::kDisable};
Step Interval(int ms) { return {Step::kInterval, ms}; }

INSTANTIATE_TEST_SUITE_P(
    Cases, DrillTimerRules,
    ::testing::Values(
        RuleCase{"on_begins_a_whole_interval", {kOn}, {"begin 2000"}, true},
        RuleCase{"on_twice_keeps_the_countdown", {kOn, kOn}, {"begin 2000"}, true},
        RuleCase{"same_interval_keeps_the_countdown", {kOn, Interval(2000)}, {"begin 2000"}, true},
        RuleCase{"new_interval_while_on_restarts", {kOn, Interval(1500)},
                 {"begin 2000", "begin 1500"}, true},
        RuleCase{"interval_while_off_waits_for_on", {Interval(1500), kOn}, {"begin 1500"}, true},
        RuleCase{"zero_runs_without_ticks", {kOn, Interval(0)}, {"begin 2000", "cancel"}, true},
        RuleCase{"back_from_zero_ticks_again", {kOn, Interval(0), Interval(2000)},
                 {"begin 2000", "cancel", "begin 2000"}, true},
        RuleCase{"on_at_zero_has_no_ticks", {Interval(0), kOn}, {"cancel"}, true},
        RuleCase{"negative_has_no_ticks", {kOn, Interval(-5)}, {"begin 2000", "cancel"}, true},
        RuleCase{"off_cancels", {kOn, kOff}, {"begin 2000", "cancel"}, false},
        RuleCase{"off_when_off_does_nothing", {kOff}, {}, false},
        RuleCase{"off_then_on_begins_afresh", {kOn, kOff, kOn},
                 {"begin 2000", "cancel", "begin 2000"}, true}),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return info.param.name; });

}  // namespace
}  // namespace lexmira
