#pragma once

#include "link/FakeSerialPort.h"
#include "link/MakerFrame.h"
#include "link/MctcFrame.h"
#include "sim/FakePortConnection.h"
#include "sim/OpacimeterSim.h"

#include <gtest/gtest.h>

#include <memory>

// Short procedures, so a test reaches the ready instrument in a few seconds
// of scenario time: warm-up until 2 s, check until 3 s, zeroing until 4 s.
inline sim::OpacimeterScenario QuickOpacimeterScenario() {
    sim::OpacimeterScenario scenario;
    scenario.timing = {2000, 1000, 1000};
    return scenario;
}
inline constexpr sim::Millis QuickReadyAt = 4000;

// An opacimeter simulator wired to an in-memory port, asked the way the smoke
// window asks: one request, then the reply delay.
class OpacimeterOnFakePort : public ::testing::Test {
  protected:
    OpacimeterOnFakePort() {
        port.setRThreshold(1);
        port.setPortOpen(true);
        port.OnComm = [this] {
            if (port.CommEvent() == CommEventKind::Receive)
                received += port.Input();
        };
    }

    void start(int model, sim::OpacimeterScenario scenario = QuickOpacimeterScenario()) {
        wire.reset();
        opacimeter = std::make_unique<sim::OpacimeterSim>(clock, model, std::move(scenario));
        wire = std::make_unique<sim::FakePortConnection>(opacimeter->engine(), port);
    }

    QByteArray exchange(const QByteArray& request) {
        received.clear();
        port.Output(request);
        clock.advanceBy(opacimeter->engine().replyDelay());
        return received;
    }
    QByteArray askMctc(const QByteArray& command, const QByteArray& data = {}) {
        return exchange(BuildMctcFrame("OPA", command, "1", data));
    }
    QByteArray askMaker(int command, const QByteArray& data = {}) {
        return exchange(BuildMakerFrame(opacimeter->makerAddress(), command, data));
    }

    // The data of a maker reply the program accepts as the answer to command;
    // nullopt when it would drop it.
    std::optional<QByteArray> makerData(int command, const QByteArray& data = {}) {
        const QByteArray reply = askMaker(command, data);
        if (CheckMakerReply(reply, opacimeter->makerAddress(), command) != MakerReply::Complete)
            return std::nullopt;
        return reply.mid(6, reply.size() - 8);
    }
    // The fields of an MCTC-NET reply the program accepts as the answer to
    // command; nullopt when it would drop it.
    std::optional<QList<QByteArray>> mctcFields(const QByteArray& command, const QByteArray& data = {}) {
        const QByteArray reply = askMctc(command, data);
        if (!MctcHeaderMatches(reply, "OPA") || MctcReplyCommand(reply, int(command.size()), 1) != command)
            return std::nullopt;
        const std::optional<QByteArray> field = MctcDataField(reply, int(command.size()), 1);
        if (!field)
            return std::nullopt;
        return field->split('\x17');
    }

    sim::ScenarioClock clock;
    FakeSerialPort port;
    std::unique_ptr<sim::OpacimeterSim> opacimeter;
    std::unique_ptr<sim::FakePortConnection> wire;
    QByteArray received;
};
