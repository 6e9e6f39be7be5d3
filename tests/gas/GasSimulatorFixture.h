#pragma once

#include "GasWindowFixture.h"

#include "sim/FakePortConnection.h"
#include "sim/GasAnalyserSim.h"
#include "sim/ScenarioClock.h"
#include "ui/Clock.h"

#include <memory>
#include <optional>

// The gas window against the simulated analyser on an in-memory line; time
// moves only when the test ticks the window.
class GasSimulatorTest : public GasWindowTest {
  protected:
    void TearDown() override {
        connection.reset();
        GasWindowTest::TearDown();
        analyser.reset();
    }

    // A test may connect again: the old line goes before its analyser and port.
    void connect(int model, const QByteArray& version = {}) {
        connection.reset();
        sim::GasAnalyserSettings settings;
        settings.model = model;
        settings.version = version;
        settings.timing = {.warmUp = 1000, .zeroing = 600, .leakTest = 1000, .hcResidueTest = 500};
        settings.calendar = ui::Clock::now();
        analyser.emplace(clock, settings);
        openWindow({.model = model});
        connection = std::make_unique<sim::FakePortConnection>(analyser->engine(), *port);
    }

    // One scheduler tick, then the line runs on to the next one.
    void run(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            form->Timer1.tick();
            clock.advanceBy(25);
            ui::Clock::advance(25);
        }
    }

    // Runs until the state line shows `text`, at most `limit` ticks.
    bool runUntilState(const QString& text, int limit = 400) {
        for (int i = 0; i < limit; ++i) {
            if (form->Label5.caption() == text)
                return true;
            run(1);
        }
        return form->Label5.caption() == text;
    }

    // True when `expected` occurs in the requests in this order, others between allowed.
    static bool inOrder(const QStringList& all, const QStringList& expected) {
        qsizetype at = 0;
        for (const QString& request : all)
            if (at < expected.size() && request == expected[at])
                ++at;
        return at == expected.size();
    }

    sim::ScenarioClock clock;
    std::optional<sim::GasAnalyserSim> analyser;
    std::unique_ptr<sim::FakePortConnection> connection;
};
