#pragma once

#include "SmokeWindowFixture.h"

#include "sim/FakePortConnection.h"
#include "sim/OpacimeterSim.h"
#include "sim/ScenarioClock.h"
#include "smoke/SmokeTexts.h"

#include <functional>
#include <memory>

// The smoke window against the simulated opacimeter on the in-memory port:
// each scheduler tick is followed by 25 ms of scenario time, in which the
// simulator answers.
class SmokeOnSimulatorTest : public SmokeWindowTest {
  protected:
    static constexpr sim::Millis Tick = 25;

    void openOnSimulator(int model, sim::OpacimeterScenario scenario = {}) {
        instrument = std::make_unique<sim::OpacimeterSim>(clock, model, std::move(scenario));
        openWindow(model);
        script.answering = false;
        connection = std::make_unique<sim::FakePortConnection>(instrument->engine(), *port);
    }
    void TearDown() override {
        connection.reset();
        SmokeWindowTest::TearDown();
    }
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
    // Past the warm-up, the self-check and the first zeroing, to live readings.
    void reachLiveReadings(int model) {
        ASSERT_TRUE(stepUntil([&] { return form->LastStatus == "RSTAZE"; }, 1400));
        const int measuring = model == MctcModel ? smoke_text::Misura : smoke_text::Attivo;
        ASSERT_TRUE(stepUntil([&] { return form->Label2.caption() == text(measuring); }, 400));
    }

    sim::ScenarioClock clock;
    std::unique_ptr<sim::OpacimeterSim> instrument;
    std::unique_ptr<sim::FakePortConnection> connection;
};
