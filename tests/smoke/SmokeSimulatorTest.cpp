// Whole smoke tests against the simulated opacimeter: warm-up, zeroing and the
// operator's free accelerations as the simulator plays them in scenario time.

#include "smoke/ANFUMO.h"
#include "smoke/SmokeTexts.h"

#include "SmokeSimulatorFixture.h"

namespace {

using namespace smoke_text;

class SmokeSimulatorTest : public SmokeOnSimulatorTest, public ::testing::WithParamInterface<int> {};

TEST_P(SmokeSimulatorTest, SpeedTriggeredTestPassesOnTheSimulatedAccelerations) {
    const int model = GetParam();
    openOnSimulator(model);
    // Warm-up, self-check and the first zeroing take under half a minute.
    reachLiveReadings(model);
    form->Combo1.setListIndex(ANFUMO::SpeedTriggered);
    form->Combo1_Click();
    form->Command2_Click();

    QStringList phases;
    const bool done = stepUntil(
        [&] {
            if (phases.isEmpty() || phases.last() != form->TestPhase)
                phases << form->TestPhase;
            return g.smoke.AccelerationIndex >= 8;
        },
        4000);
    ASSERT_TRUE(done) << phases.join(' ').toStdString();
    step(4);
    EXPECT_EQ(form->Label33.caption(), g.lang.UiText[135]);
    EXPECT_EQ(form->Label33.backColor(), ui::colour::Green);
    EXPECT_EQ(g.smoke.SmokeTestResult.AcceptedSet, "1,2,3");
    EXPECT_EQ(form->Label39.caption(), text(Concl));
    // Each acceleration went through every phase of the cycle.
    EXPECT_GE(phases.count("DUE"), 3);
    EXPECT_GE(phases.count("QUATTRO"), 2);
    EXPECT_EQ(form->Label36[3].caption(), "0");
}

INSTANTIATE_TEST_SUITE_P(MakerAndMctc, SmokeSimulatorTest, ::testing::Values(1, 5));

} // namespace
