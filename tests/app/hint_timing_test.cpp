#include "ui/common/hint_timing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvland {
namespace {

using Change = HintTiming::Change;

int a = 0;
int b = 0;
const HintTiming::Target A = &a;
const HintTiming::Target B = &b;

// One thing that happens to the timing, and what it must answer.
struct Step {
    enum Kind { Move, Advance, Dismiss } kind;
    std::int64_t at;
    HintTiming::Target target; // Move only
    Change expected;
    HintTiming::Target shownAfter;
};

Step move(std::int64_t at, HintTiming::Target target, Change expected, HintTiming::Target shown) {
    return {Step::Move, at, target, expected, shown};
}
Step advance(std::int64_t at, Change expected, HintTiming::Target shown) {
    return {Step::Advance, at, nullptr, expected, shown};
}
Step dismiss(Change expected) {
    return {Step::Dismiss, 0, nullptr, expected, nullptr};
}

struct Scenario {
    std::string name;
    std::vector<Step> steps;
};

class HintTimingScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(HintTimingScenario, AnswersEveryStepAsExpected) {
    HintTiming timing(250, 5000, 1000);
    int index = 0;
    for (const Step& step : GetParam().steps) {
        Change change = Change::None;
        switch (step.kind) {
        case Step::Move:
            change = timing.pointerMoved(step.target, step.at);
            break;
        case Step::Advance:
            // The presenter only calls in at a deadline; calling early must be harmless.
            change = timing.advance(step.at);
            break;
        case Step::Dismiss:
            change = timing.dismiss();
            break;
        }
        EXPECT_EQ(change, step.expected) << "step " << index;
        EXPECT_EQ(timing.shown(), step.shownAfter) << "step " << index;
        ++index;
    }
}

const Change None = Change::None;
const Change Show = Change::Show;
const Change Hide = Change::Hide;

INSTANTIATE_TEST_SUITE_P(
    Hints, HintTimingScenario,
    ::testing::Values(
        Scenario{"ShowsAfterAQuarterSecondAtRestAndGoesAfterFiveSeconds",
                 {move(0, A, None, nullptr), advance(249, None, nullptr), advance(250, Show, A),
                  advance(5249, None, A), advance(5250, Hide, nullptr)}},
        Scenario{"EveryMovementStartsTheRestAnew",
                 {move(0, A, None, nullptr), move(200, A, None, nullptr), advance(250, None, nullptr),
                  advance(450, Show, A)}},
        Scenario{"MovingWithinTheShownControlNeitherRepeatsNorProlongsIt",
                 {move(0, A, None, nullptr), advance(250, Show, A), move(3000, A, None, A),
                  advance(5250, Hide, nullptr)}},
        Scenario{"NextHintedControlShowsAtOnceForItsFullTime",
                 {move(0, A, None, nullptr), advance(250, Show, A), move(4000, B, Show, B),
                  advance(5250, None, B), advance(9000, Hide, nullptr)}},
        Scenario{"CrossingBareGroundToTheNextControlShowsItAtOnce",
                 {move(0, A, None, nullptr), advance(250, Show, A), move(300, nullptr, Hide, nullptr),
                  move(900, B, Show, B)}},
        Scenario{"AfterAPauseOnBareGroundTheRestIsNeededAgain",
                 {move(0, A, None, nullptr), advance(250, Show, A), move(300, nullptr, Hide, nullptr),
                  advance(1300, None, nullptr), move(1400, B, None, nullptr), advance(1650, Show, B)}},
        Scenario{"TimedOutHintStaysAwayUntilThePointerLeavesAndReturns",
                 {move(0, A, None, nullptr), advance(250, Show, A), advance(5250, Hide, nullptr),
                  move(6000, A, None, nullptr), advance(7000, None, nullptr),
                  move(7100, nullptr, None, nullptr), move(7200, A, None, nullptr), advance(7450, Show, A)}},
        Scenario{"AClickCancelsTheHintWaitingAndTheOneShown",
                 {move(0, A, None, nullptr), dismiss(None), advance(300, None, nullptr),
                  move(400, A, None, nullptr), advance(700, None, nullptr), move(800, B, None, nullptr),
                  advance(1050, Show, B), dismiss(Hide), move(1100, A, None, nullptr),
                  advance(1350, Show, A)}},
        Scenario{"NothingShowsWhereNothingIsHinted",
                 {move(0, nullptr, None, nullptr), advance(10000, None, nullptr)}},
        Scenario{
            "LeavingBeforeTheRestEndsShowsNothing",
            {move(0, A, None, nullptr), move(100, nullptr, None, nullptr), advance(250, None, nullptr)}}),
    [](const ::testing::TestParamInfo<Scenario>& param) { return param.param.name; });

} // namespace
} // namespace korvland
