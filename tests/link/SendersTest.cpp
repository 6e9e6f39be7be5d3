#include "link/FakeSerialPort.h"
#include "link/GenMCTCNET.h"
#include "link/MakerFrame.h"
#include "shared/Globals.h"

#include <gtest/gtest.h>

namespace {

// Both measuring windows with their ports registered, as when each has loaded.
class MeasuringSendersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g.link.GasPort = &gas;
        g.link.SmokePort = &smoke;
        ASSERT_TRUE(gas.setPortOpen(true));
        ASSERT_TRUE(smoke.setPortOpen(true));
    }

    Globals g;
    FakeSerialPort gas;
    FakeSerialPort smoke;
};

struct Activity {
    const char* name;
    bool gasActive;
    bool gasOpen;
    bool smokeActive;
    bool smokeOpen;
};

class MeasuringPortRuleTest : public MeasuringSendersTest, public ::testing::WithParamInterface<Activity> {};

TEST_P(MeasuringPortRuleTest, BothSendersWriteOnlyToActiveOpenPorts) {
    const Activity& a = GetParam();
    g.app.GasWindowActive = a.gasActive;
    g.app.SmokeWindowActive = a.smokeActive;
    gas.setPortOpen(a.gasOpen);
    smoke.setPortOpen(a.smokeOpen);

    SendMctcToMeasuring(g, "GAS", "ID", "1");
    SendMakerFrame(g, 0x31, 35);

    const QList<QByteArray> expected = {BuildMctcFrame("GAS", "ID", "1", {}), BuildMakerFrame(0x31, 35, {})};
    EXPECT_EQ(gas.written(), a.gasActive && a.gasOpen ? expected : QList<QByteArray>());
    EXPECT_EQ(smoke.written(), a.smokeActive && a.smokeOpen ? expected : QList<QByteArray>());
}

INSTANTIATE_TEST_SUITE_P(Windows, MeasuringPortRuleTest,
                         ::testing::Values(Activity{"BothActiveAndOpen", true, true, true, true},
                                           Activity{"GasOnly", true, true, false, true},
                                           Activity{"SmokeOnly", false, true, true, true},
                                           Activity{"GasPortClosed", true, false, true, true},
                                           Activity{"NeitherActive", false, true, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MeasuringSendersTest, UnregisteredPortIsSkipped) {
    g.app.GasWindowActive = 1;
    g.app.SmokeWindowActive = 1;
    g.link.SmokePort = nullptr;
    SendMctcToMeasuring(g, "GAS", "@VA", "1");
    EXPECT_EQ(gas.written().size(), 1);
    EXPECT_TRUE(smoke.written().isEmpty());
}

TEST_F(MeasuringSendersTest, OneCallWritesTheSameFrameToBothPortsSmokeFirst) {
    g.app.GasWindowActive = 1;
    g.app.SmokeWindowActive = 1;
    QList<const char*> order;
    gas.onWrite = [&](const QByteArray&) { order.append("gas"); };
    smoke.onWrite = [&](const QByteArray&) { order.append("smoke"); };
    SendMctcToMeasuring(g, "OPA", "@RS", "1");
    ASSERT_EQ(gas.written().size(), 1);
    EXPECT_EQ(gas.written(), smoke.written());
    EXPECT_EQ(order, (QList<const char*>{"smoke", "gas"}));
}

struct SetupSender {
    const char* name;
    SerialPort* LinkState::*port;
    void (*send)(Globals&, const QByteArray&, const QByteArray&, const QByteArray&, const QByteArray&);
    bool opensItself;
};

class SetupSenderTest : public ::testing::TestWithParam<SetupSender> {};

TEST_P(SetupSenderTest, WritesToItsOwnPort) {
    Globals g;
    FakeSerialPort port;
    g.link.*GetParam().port = &port;
    ASSERT_TRUE(port.setPortOpen(true));
    GetParam().send(g, "RPM", "CI", "1", "4");
    EXPECT_EQ(port.written(), QList<QByteArray>{BuildMctcFrame("RPM", "CI", "1", "4")});
}

TEST_P(SetupSenderTest, ClosedPortIsOpenedOnlyByTheRevCounterSetupSender) {
    Globals g;
    FakeSerialPort port;
    g.link.*GetParam().port = &port;
    GetParam().send(g, "RPM", "ID", "1", {});
    EXPECT_EQ(port.PortOpen(), GetParam().opensItself);
    EXPECT_EQ(port.written().size(), GetParam().opensItself ? 1 : 0);
}

TEST_P(SetupSenderTest, FailedOpenOrMissingPortWritesNothing) {
    Globals g;
    FakeSerialPort port;
    port.failEveryOpen("No such file or directory");
    g.link.*GetParam().port = &port;
    GetParam().send(g, "RPM", "ID", "1", {});
    EXPECT_TRUE(port.written().isEmpty());
    g.link.*GetParam().port = nullptr;
    GetParam().send(g, "RPM", "ID", "1", {}); // no window, no crash
}

INSTANTIATE_TEST_SUITE_P(
    Windows, SetupSenderTest,
    ::testing::Values(
        SetupSender{"Recognition", &LinkState::RecognitionPort, &SendMctcToRecognition, false},
        SetupSender{"GasSetup", &LinkState::GasSetupPort, &SendMctcToGasSetup, false},
        SetupSender{"OpacimeterSetup", &LinkState::OpacimeterSetupPort, &SendMctcToOpacimeterSetup, false},
        SetupSender{"RevCounterSetup", &LinkState::RevCounterSetupPort, &SendMctcToRevCounterSetup, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The rev counter window's port with a reply flag and miss count as the
// receive handler leaves them.
class RevCounterSenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g.link.RevCounterPort = &port;
        g.link.ShowRevCounterSpeedUnknown = [this] { ++speedUnknownShown; };
        ASSERT_TRUE(port.setPortOpen(true));
    }
    void send(const QByteArray& command = "VA") { SendMctcToRevCounter(g, "RPM", command, "1"); }

    Globals g;
    FakeSerialPort port;
    int speedUnknownShown = 0;
};

TEST_F(RevCounterSenderTest, ReplySinceLastSendWritesAndClearsTheFlag) {
    g.link.RevCounterReplyFlag = 1;
    g.link.RevCounterMissCount = 5;
    send("CI");
    EXPECT_EQ(port.written(), QList<QByteArray>{BuildMctcFrame("RPM", "CI", "1", {})});
    EXPECT_EQ(g.link.RevCounterReplyFlag, 0);
    EXPECT_EQ(g.link.RevCounterMissCount, 0);
    EXPECT_EQ(speedUnknownShown, 0);
}

TEST_F(RevCounterSenderTest, ReplyArrivingDuringTheWriteCountsForIt) {
    port.onWrite = [this](const QByteArray&) { g.link.RevCounterReplyFlag = 1; };
    g.link.RevCounterReplyFlag = 1;
    send();
    EXPECT_EQ(g.link.RevCounterReplyFlag, 1);
}

TEST_F(RevCounterSenderTest, MissesShowUnknownSpeedAndReopenFromTheThird) {
    for (int send_ = 1; send_ <= 5; ++send_) {
        send();
        EXPECT_EQ(g.link.RevCounterMissCount, send_);
        EXPECT_EQ(speedUnknownShown, send_);
        EXPECT_EQ(port.written().size(), send_) << "every miss still writes";
        EXPECT_EQ(port.closeCount(), std::max(0, send_ - 2)) << "send " << send_;
        EXPECT_TRUE(port.PortOpen());
    }
    // A reply ends the reopening.
    g.link.RevCounterReplyFlag = 1;
    send();
    send();
    EXPECT_EQ(g.link.RevCounterMissCount, 1);
    EXPECT_EQ(port.closeCount(), 3);
}

TEST_F(RevCounterSenderTest, PortThatFailedToOpenIsRetriedFromTheThirdMiss) {
    port.setPortOpen(false);
    port.failNextOpen("Input/output error");
    send();
    send();
    EXPECT_EQ(port.openCount(), 1) << "no retry before the third miss";
    send(); // this reopen fails
    EXPECT_FALSE(port.PortOpen());
    EXPECT_TRUE(port.written().isEmpty());
    send(); // and this one succeeds
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(port.written().size(), 1);
}

TEST_F(RevCounterSenderTest, ReplyFlagSetButPortClosedWritesNothingAndKeepsTheFlag) {
    port.setPortOpen(false);
    g.link.RevCounterReplyFlag = 1;
    send();
    EXPECT_TRUE(port.written().isEmpty());
    EXPECT_EQ(g.link.RevCounterReplyFlag, 1);
    EXPECT_EQ(g.link.RevCounterMissCount, 0);
}

TEST_F(RevCounterSenderTest, NoWindowNoCrash) {
    g.link.RevCounterPort = nullptr;
    g.link.ShowRevCounterSpeedUnknown = nullptr;
    for (int i = 0; i < 4; ++i)
        send();
    EXPECT_EQ(g.link.RevCounterMissCount, 4);
}

} // namespace
