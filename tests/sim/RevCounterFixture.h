#pragma once

#include "link/FakeSerialPort.h"
#include "link/MctcFrame.h"
#include "sim/FakePortConnection.h"
#include "sim/RevCounterSim.h"

#include <gtest/gtest.h>

// A rev counter simulator wired to an in-memory port, with the port's receive
// events collected the way a window's receive handler would.
class RevCounterOnFakePort : public ::testing::Test {
  protected:
    RevCounterOnFakePort() : counter(clock), wire(counter.engine(), port) {
        port.setRThreshold(1);
        port.setPortOpen(true);
        port.OnComm = [this] {
            if (port.CommEvent() != CommEventKind::Receive)
                return;
            ++receiveEvents;
            received += port.Input();
        };
    }

    void send(const QByteArray& command, const QByteArray& data = {}, const QByteArray& device = "RPM") {
        port.Output(BuildMctcFrame(device, command, "1", data));
    }
    // Sends a request and waits the reply delay: what came back, if anything.
    QByteArray ask(const QByteArray& command, const QByteArray& data = {}, const QByteArray& device = "RPM") {
        received.clear();
        send(command, data, device);
        clock.advanceBy(counter.engine().replyDelay());
        return received;
    }
    static QByteArray reply(const QByteArray& command, const QByteArray& data = {}) {
        return BuildMctcFrame("RPM", command, "1", data);
    }

    sim::ScenarioClock clock;
    sim::RevCounterSim counter;
    FakeSerialPort port;
    sim::FakePortConnection wire;
    QByteArray received;
    int receiveEvents = 0;
};
