#pragma once

#include "link/FakeSerialPort.h"
#include "link/FrameBytes.h"
#include "link/MakerFrame.h"
#include "link/MctcFrame.h"
#include "sim/FakePortConnection.h"
#include "sim/GasAnalyserSim.h"

#include <gtest/gtest.h>

#include <memory>

// A gas analyser simulator wired to an in-memory port, the port's input
// gathered the way the gas window's receive handler gathers it.
class GasAnalyserOnFakePort : public ::testing::Test {
  protected:
    // Short procedures so tests can walk through them.
    static sim::GasAnalyserSettings quickSettings(int model) {
        sim::GasAnalyserSettings settings;
        settings.model = model;
        settings.timing = {1000, 500, 800, 300};
        settings.calendar = QDateTime(QDate(2025, 3, 14), QTime(9, 30, 0), Qt::UTC);
        return settings;
    }

    void build(const sim::GasAnalyserSettings& settings) {
        wire.reset();
        analyser = std::make_unique<sim::GasAnalyserSim>(clock, settings);
        wire = std::make_unique<sim::FakePortConnection>(analyser->engine(), port);
    }

    void SetUp() override {
        port.setRThreshold(1);
        port.setPortOpen(true);
        port.OnComm = [this] {
            if (port.CommEvent() == CommEventKind::Receive)
                received += port.Input();
        };
        build(quickSettings(3));
    }
    void TearDown() override { wire.reset(); }

    // Writes a request and waits the reply delay: what came back, if anything.
    QByteArray exchange(const QByteArray& request) {
        received.clear();
        port.Output(request);
        clock.advanceBy(analyser->engine().replyDelay());
        return received;
    }
    QByteArray askMctc(const QByteArray& command, const QByteArray& data = {}) {
        return exchange(BuildMctcFrame("GAS", command, "1", data));
    }
    QByteArray askMaker(int command, const QByteArray& data = {}) {
        return exchange(BuildMakerFrame(analyser->makerAddress(), command, data));
    }
    static QByteArray mctcReply(const QByteArray& command, const QByteArray& data = {}) {
        return BuildMctcFrame("GAS", command, "1", data);
    }
    // The data fields of an MCTC-NET reply to a command, as the program splits them.
    static QList<QByteArray> fieldsOf(const QByteArray& reply, const QByteArray& command) {
        const std::optional<MctcFields> fields = SplitMctcData(reply, int(command.size()), 1);
        QList<QByteArray> out;
        for (int i = 1; fields && i <= fields->count(); ++i)
            out << *fields->field(i);
        if (!out.isEmpty() && out.back().isEmpty())
            out.removeLast(); // the split's own trailing empty field
        return out;
    }
    // Byte at a 1-based position of a frame, as positions are counted for the program.
    static int byteAt(const QByteArray& frame, int position) {
        return position >= 1 && position <= frame.size() ? static_cast<unsigned char>(frame[position - 1]) : -1;
    }

    sim::ScenarioClock clock;
    FakeSerialPort port;
    std::unique_ptr<sim::GasAnalyserSim> analyser;
    std::unique_ptr<sim::FakePortConnection> wire;
    QByteArray received;
};
