#include "OpacimeterFixture.h"

#include <vector>

// The default scenario's operator cadence against a program that polls the
// way the smoke window does (one request per free 25 ms tick) and runs the
// speed-triggered acceleration phases with the default limits (idle below
// 1000 rpm, governed above 3000): hold 120 ticks at speed, then wait 200
// ticks at idle before asking for the next acceleration. Every acceleration
// of the series must land in a measuring window, so the first three peaks are
// the scenario's first three, even with a timer running late.

namespace {

namespace Command = sim::OpacimeterMakerCommand;

constexpr double RpmMin = 1000;
constexpr double RpmMax = 3000;

struct CadenceCase {
    int model;
    sim::Millis tickMs;
};

class OpacimeterOperatorCadence : public OpacimeterOnFakePort, public ::testing::WithParamInterface<CadenceCase> {
  protected:
    enum class Phase { StartHigh, Start, One, Two, Three, Four };

    bool mctc() const { return GetParam().model == sim::OpacimeterMctcModel; }

    void send(bool values) {
        received.clear();
        awaitingValues = values;
        if (mctc())
            port.Output(BuildMctcFrame("OPA", values ? "@VA" : "@ST", "1", {}));
        else
            port.Output(BuildMakerFrame(opacimeter->makerAddress(), values ? Command::Values : Command::Status, {}));
    }
    void pressStart() {
        if (mctc())
            port.Output(BuildMctcFrame("OPA", "AZ", "1", {}));
        else
            port.Output(BuildMakerFrame(opacimeter->makerAddress(), Command::Start, {}));
        clock.advanceBy(100);
        phase = Phase::StartHigh;
    }

    // A whole reply, decoded: status replies tell whether it is zeroing,
    // value replies give speed and k.
    bool takeReply() {
        const int command = awaitingValues ? Command::Values : Command::Status;
        if (mctc() ? !received.endsWith('\x03')
                   : CheckMakerReply(received, opacimeter->makerAddress(), command) != MakerReply::Complete)
            return false;
        if (mctc()) {
            const QList<QByteArray> fields = MctcDataField(received, 3, 1).value_or(QByteArray()).split('\x17');
            if (awaitingValues && fields.size() >= 3)
                onValues(fields[2].toDouble(), fields[0].toDouble());
            else if (!awaitingValues && !fields.front().isEmpty() && (fields.front().front() & 0x1F) == 4)
                phase = Phase::StartHigh; // zeroing restarts the test phases
        } else {
            const QByteArray data = received.mid(6, received.size() - 8);
            if (awaitingValues)
                onValues(channel(data, 8), channel(data, 7) / 100);
            else if (const int state = data.isEmpty() ? -1 : static_cast<unsigned char>(data.front());
                     state == 64 || state == 72)
                phase = Phase::StartHigh; // zeroing, models 1-4 and model 0
        }
        return true;
    }
    static double channel(const QByteArray& data, int wanted) {
        for (qsizetype at = 0; at + 5 <= data.size(); at += 5) {
            if (data[at] == wanted)
                return static_cast<unsigned char>(data[at + 3]) * 256 + static_cast<unsigned char>(data[at + 4]);
        }
        return -1;
    }

    void onValues(double rpm, double k) {
        switch (phase) {
        case Phase::StartHigh:
            if (rpm <= RpmMin)
                phase = Phase::Start;
            break;
        case Phase::Start:
            if (rpm > RpmMin)
                phase = Phase::One;
            break;
        case Phase::One:
            if (rpm > RpmMax) {
                phase = Phase::Two;
                deadline = tick + 120;
                peak = 0;
            }
            break;
        case Phase::Two:
            peak = std::max(peak, k);
            if (deadline < tick) {
                peaks.push_back(peak);
                phase = Phase::Three;
            }
            break;
        case Phase::Three:
            if (rpm < RpmMin) {
                phase = Phase::Four;
                deadline = tick + 200;
            }
            break;
        case Phase::Four:
            if (rpm > RpmMin)
                phase = Phase::Three;
            else if (deadline < tick)
                phase = Phase::One;
            break;
        }
    }

    // Ticks until three accelerations were measured or the time is up.
    void runTicks(sim::Millis until) {
        bool ready = true;
        bool values = false;
        while (clock.now() < until && peaks.size() < 3) {
            clock.advanceBy(GetParam().tickMs);
            ++tick;
            if (!ready)
                ready = takeReply();
            if (ready) {
                values = !values; // status and values in turn
                send(values);
                ready = false;
            }
        }
    }

    Phase phase = Phase::StartHigh;
    bool awaitingValues = false;
    int tick = 0;
    int deadline = 0;
    double peak = 0;
    std::vector<double> peaks;
};

TEST_P(OpacimeterOperatorCadence, ASpeedTriggeredTestMeasuresTheFirstThreeAccelerations) {
    start(GetParam().model, sim::OpacimeterScenario());
    if (!mctc()) {
        ASSERT_TRUE(makerData(Command::ChannelList, QByteArray("\x08\x03\x05\x06\x00\x02\x08\x01\x07", 9)));
    }
    clock.advanceTo(30000); // warmed up, checked and zeroed
    pressStart();
    const sim::Millis started = clock.now();
    runTicks(started + 120000);

    ASSERT_EQ(peaks.size(), 3u);
    EXPECT_EQ(peaks, (std::vector<double>{1.00, 1.10, 1.20}));
    // Mean 1.10 against the default limit 1.5: a pass after the third.
    // Zeroing 4 s, lead 6 s, two periods of 15 s, then the climb and the hold.
    EXPECT_LT(clock.now() - started, 4000 + 6000 + 2 * 15000 + 6000);
}

INSTANTIATE_TEST_SUITE_P(Timers, OpacimeterOperatorCadence,
                         ::testing::Values(CadenceCase{5, 25}, CadenceCase{5, 37}, CadenceCase{0, 25},
                                           CadenceCase{1, 37}));

} // namespace
