// Whole smoke tests against the simulated opacimeter: warm-up, zeroing and the
// operator's free accelerations as the simulator plays them in scenario time.

#include "link/FakeSerialPort.h"
#include "shared/Globals.h"
#include "sim/FakePortConnection.h"
#include "sim/OpacimeterSim.h"
#include "sim/ScenarioClock.h"
#include "smoke/ANFUMO.h"
#include "smoke/SmokeTexts.h"

#include "SmokeWindowFixture.h"

#include <memory>

namespace {

using namespace smoke_text;

class SmokeSimulatorTest : public SmokeWindowTest, public ::testing::WithParamInterface<int> {
  protected:
    static constexpr sim::Millis Tick = 25;

    void openOnSimulator(int model) {
        instrument = std::make_unique<sim::OpacimeterSim>(clock, model);
        openWindow(model);
        script.answering = false;
        connection = std::make_unique<sim::FakePortConnection>(instrument->engine(), *port);
    }
    void TearDown() override {
        connection.reset();
        SmokeWindowTest::TearDown();
    }
    // One scheduler tick, then the simulator's time runs to the next one.
    void step(int count = 1) {
        for (int i = 0; i < count; ++i) {
            form->Timer1.tick();
            clock.advanceBy(Tick);
        }
    }
    bool stepUntil(const std::function<bool()>& done, int limit) {
        for (int i = 0; i < limit && !done(); ++i)
            step();
        return done();
    }

    sim::ScenarioClock clock;
    std::unique_ptr<sim::OpacimeterSim> instrument;
    std::unique_ptr<sim::FakePortConnection> connection;
};

TEST_P(SmokeSimulatorTest, SpeedTriggeredTestPassesOnTheSimulatedAccelerations) {
    const int model = GetParam();
    openOnSimulator(model);
    // Warm-up, self-check and the first zeroing take under half a minute.
    ASSERT_TRUE(stepUntil([&] { return form->LastStatus == "RSTAZE"; }, 1400));
    ASSERT_TRUE(stepUntil([&] { return form->Label2.caption() == text(model == MctcModel ? Misura : Attivo); }, 400));
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
