#include "RevCounterFixture.h"

#include "link/MctcParsers.h"
#include "shared/Globals.h"

#include <functional>

namespace {

TEST_F(RevCounterOnFakePort, IdentityReplyReadsBackThroughTheProgramsParser) {
    counter.setIdentity({"ACME", "RPM-77 ", "OM 99", "SN-5", "01022031", "2.05", "X"});
    const QByteArray frame = ask("ID");
    ASSERT_TRUE(MctcHeaderMatches(frame, "RPM"));
    ASSERT_EQ(MctcReplyCommand(frame, 2, 1), "ID");

    LinkState link;
    ParseIdentityReply(link, frame, 2, 1);
    EXPECT_EQ(link.InstrumentIdentity.Maker, "ACME");
    EXPECT_EQ(link.InstrumentIdentity.Model, "RPM-77 ");
    EXPECT_EQ(link.InstrumentIdentity.Homologation, "OM 99");
    EXPECT_EQ(link.InstrumentIdentity.SerialNumber, "SN-5");
    EXPECT_EQ(link.InstrumentIdentity.ExpiryDate, "01/02/2031");
    EXPECT_EQ(link.InstrumentIdentity.Version, "2.05");
    EXPECT_EQ(link.InstrumentIdentity.Extra, "X");
    EXPECT_EQ(link.VersionThousandths, 2050);
}

struct ReadingCase {
    const char* command;
    double rpm; // expected speed, or -1 when the reply carries none
    double oil; // expected temperature, or -1
};

class RevCounterAnswers : public RevCounterOnFakePort, public ::testing::WithParamInterface<ReadingCase> {};

TEST_P(RevCounterAnswers, AnswersWithTheValuesTheParsersExpect) {
    counter.setSpeedProfile(sim::Profile::constant(1234.4));
    counter.setOilProfile(sim::Profile::constant(87.26));
    const ReadingCase& c = GetParam();
    const QByteArray frame = ask(c.command);
    ASSERT_TRUE(MctcHeaderMatches(frame, "RPM")) << frame.toHex().toStdString();
    EXPECT_EQ(MctcReplyCommand(frame, 2, 1), c.command);

    const QByteArray command = c.command;
    std::optional<RevCounterReading> read;
    if (command == "VA") {
        if (const std::optional<double> rpm = ParseRevCounterRpm(frame, 2, 1))
            read = RevCounterReading{*rpm, -1};
    } else if (command == "TP") {
        if (const std::optional<double> oil = ParseRevCounterOilTemp(frame, 2, 1))
            read = RevCounterReading{-1, *oil};
    } else {
        read = ParseRevCounterBoth(frame, 2, 1);
    }
    ASSERT_TRUE(read);
    EXPECT_DOUBLE_EQ(read->rpm, c.rpm);
    EXPECT_DOUBLE_EQ(read->oilTemperature, c.oil);
}

INSTANTIATE_TEST_SUITE_P(Commands, RevCounterAnswers,
                         ::testing::Values(ReadingCase{"VA", 1234, -1}, ReadingCase{"TP", -1, 87.3},
                                           ReadingCase{"VE", 1234, 87.3}));

struct ProgrammingCase {
    int engineCylinders;
    int engineStrokes;
    const char* cylindersSent;
    const char* strokesSent;
    double expectedRpm; // with the engine turning at 3000
};

class RevCounterProgramming : public RevCounterOnFakePort, public ::testing::WithParamInterface<ProgrammingCase> {};

TEST_P(RevCounterProgramming, ReadsTrueSpeedOnlyWhenProgrammedForTheEngine) {
    const ProgrammingCase& c = GetParam();
    counter.setEngineLayout(c.engineCylinders, c.engineStrokes);
    counter.setSpeedProfile(sim::Profile::constant(3000));

    EXPECT_EQ(ask("CI", c.cylindersSent), reply("CI"));
    EXPECT_EQ(ask("TE", c.strokesSent), reply("TE"));
    EXPECT_EQ(counter.programmedCylinders(), QByteArray(c.cylindersSent).toInt());
    EXPECT_EQ(counter.programmedStrokes(), QByteArray(c.strokesSent).toInt());
    EXPECT_EQ(ParseRevCounterRpm(ask("VA"), 2, 1), c.expectedRpm);
}

INSTANTIATE_TEST_SUITE_P(Layouts, RevCounterProgramming,
                         ::testing::Values(ProgrammingCase{4, 4, "4", "4", 3000}, ProgrammingCase{6, 4, "6", "4", 3000},
                                           ProgrammingCase{2, 2, "2", "2", 3000},
                                           ProgrammingCase{12, 4, "12", "4", 3000},
                                           // twice the cylinders programmed: half the pulses per cylinder
                                           ProgrammingCase{4, 4, "8", "4", 1500}, ProgrammingCase{6, 4, "4", "4", 4500},
                                           // a two-stroke engine read as a four-stroke one
                                           ProgrammingCase{4, 2, "4", "4", 6000},
                                           ProgrammingCase{4, 4, "4", "2", 1500}));

TEST_F(RevCounterOnFakePort, BadProgrammingIsIgnoredAndLeavesTheCounterAsItWas) {
    const std::pair<const char*, const char*> bad[] = {{"CI", "0"},  {"CI", "13"},  {"CI", "4x"}, {"CI", ""},
                                                       {"CI", "-4"}, {"CI", "004"}, {"CI", " 4"}, {"TE", "3"},
                                                       {"TE", "0"},  {"TE", ""}};
    for (const auto& [command, data] : bad) {
        EXPECT_TRUE(ask(command, data).isEmpty()) << command << " " << data;
        EXPECT_EQ(counter.programmedCylinders(), sim::RevCounterSim::DefaultCylinders);
        EXPECT_EQ(counter.programmedStrokes(), sim::RevCounterSim::DefaultStrokes);
    }
}

TEST_F(RevCounterOnFakePort, StaysSilentToRequestsNotMeantForIt) {
    const QByteArray good = BuildMctcFrame("RPM", "VA", "1", {});
    QByteArray badChecksum = good;
    badChecksum[badChecksum.size() - 2] = badChecksum[badChecksum.size() - 2] == '0' ? '1' : '0';
    const std::pair<const char*, QByteArray> requests[] = {
        {"gas analyser asked", BuildMctcFrame("GAS", "ID", "1", {})},
        {"opacimeter asked", BuildMctcFrame("OPA", "ID", "1", {})},
        {"another device number", BuildMctcFrame("RPM", "VA", "2", {})},
        {"wrong checksum", badChecksum},
        {"unknown command", BuildMctcFrame("RPM", "ZZ", "1", {})},
        {"no separator after the device", QByteArray("\x02RPMX1\x17VA") + MctcChecksum("\x02RPMX1\x17VA")},
    };
    for (const auto& [what, frame] : requests) {
        received.clear();
        port.Output(frame);
        clock.advanceBy(1000);
        EXPECT_TRUE(received.isEmpty()) << what;
    }
    EXPECT_EQ(counter.framesIgnored(), 5);
    // Still answering afterwards.
    EXPECT_EQ(MctcReplyCommand(ask("VA"), 2, 1), "VA");
}

TEST_F(RevCounterOnFakePort, ReadingsFollowTheProfilesOverTime) {
    counter.setSpeedProfile(*sim::Profile::parse("0:800, 10:800, 12:3000, 30:3000, 32:800"));
    counter.setOilProfile(*sim::Profile::parse("0:40, 100:90"));
    struct Sample {
        sim::Millis at;
        double rpm;
        double oil;
    };
    for (const Sample& s : {Sample{5000, 800, 42.5}, Sample{11000, 1900, 45.5}, Sample{20000, 3000, 50},
                            Sample{31000, 1900, 55.5}, Sample{60000, 800, 70}, Sample{500000, 800, 90}}) {
        clock.advanceTo(s.at);
        received.clear();
        send("VE");
        // The values are those of the moment the request arrived.
        clock.advanceBy(counter.engine().replyDelay());
        const std::optional<RevCounterReading> both = ParseRevCounterBoth(received, 2, 1);
        ASSERT_TRUE(both) << s.at;
        EXPECT_DOUBLE_EQ(both->rpm, s.rpm) << s.at;
        EXPECT_DOUBLE_EQ(both->oilTemperature, s.oil) << s.at;
    }
}

TEST_F(RevCounterOnFakePort, CuedProfilesWaitForTheirCueAndStartAgainOnEach) {
    counter.setSpeedProfile(*sim::Profile::parse("0:800, 10:3000"));
    counter.setOilProfile(*sim::Profile::parse("0:40, 10:90"));
    counter.waitForCue();
    clock.advanceTo(20000);
    EXPECT_DOUBLE_EQ(counter.speedReadingAt(clock.now()), 800);
    EXPECT_DOUBLE_EQ(counter.oilTemperatureAt(clock.now()), 40);
    counter.cue();
    clock.advanceTo(25000);
    EXPECT_DOUBLE_EQ(counter.speedReadingAt(clock.now()), 1900);
    EXPECT_DOUBLE_EQ(counter.oilTemperatureAt(clock.now()), 65);
    counter.cue();
    EXPECT_DOUBLE_EQ(counter.speedReadingAt(clock.now()), 800);
    EXPECT_DOUBLE_EQ(counter.speedReadingAt(clock.now() + 10000), 3000);
}

TEST_F(RevCounterOnFakePort, RepliesComeAfterTheDelayNeverInsideTheWrite) {
    counter.engine().setReplyDelay(40);
    send("VA");
    EXPECT_TRUE(received.isEmpty());
    clock.advanceBy(39);
    EXPECT_TRUE(received.isEmpty());
    clock.advanceBy(1);
    EXPECT_EQ(MctcReplyCommand(received, 2, 1), "VA");
}

TEST_F(RevCounterOnFakePort, RepliesQueueBehindEachOtherInOrder) {
    send("CI", "6");
    send("TE", "2");
    send("VA");
    clock.advanceBy(counter.engine().replyDelay());
    EXPECT_EQ(received.left(reply("CI").size() + reply("TE").size()), reply("CI") + reply("TE"));
    EXPECT_EQ(MctcReplyCommand(received.mid(reply("CI").size() + reply("TE").size()), 2, 1), "VA");
}

TEST_F(RevCounterOnFakePort, SilenceDropsRequestsAndRepliesInFlightThenResumes) {
    send("VA");
    counter.engine().setAnswering(false); // switched off before its reply went out
    clock.advanceBy(5000);
    EXPECT_TRUE(ask("VA").isEmpty());
    EXPECT_TRUE(ask("ID").isEmpty());
    clock.advanceBy(5000);
    EXPECT_TRUE(received.isEmpty());

    counter.engine().setAnswering(true);
    EXPECT_EQ(MctcReplyCommand(ask("VA"), 2, 1), "VA");
}

TEST_F(RevCounterOnFakePort, SilencedMidFrameTheHalfRequestIsForgotten) {
    const QByteArray frame = BuildMctcFrame("RPM", "VA", "1", {});
    port.Output(frame.left(4));
    counter.engine().setAnswering(false);
    counter.engine().setAnswering(true);
    port.Output(frame.mid(4));
    clock.advanceBy(1000);
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(RevCounterOnFakePort, ChunkedRepliesArriveInSeveralReceiveEvents) {
    counter.engine().setChunking(3, 2);
    const QByteArray whole = BuildMctcFrame("RPM", "TP", "1", sim::RevCounterSim::temperatureText(0));
    ask("TP");
    clock.advanceBy(1000);
    EXPECT_EQ(received, whole);
    EXPECT_EQ(receiveEvents, int((whole.size() + 2) / 3));
}

TEST_F(RevCounterOnFakePort, RewrittenAndInjectedBytesReachTheProgram) {
    counter.engine().setRewriter([](const QByteArray& request, const QByteArray&) {
        return request.contains("VE") ? BuildMctcFrame("RPM", "VE", "1", "950") : QByteArray();
    });
    const std::optional<RevCounterReading> both = ParseRevCounterBoth(ask("VE"), 2, 1);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->rpm, 950);
    EXPECT_EQ(both->oilTemperature, 0);

    received.clear();
    counter.engine().inject("\n", 100);
    clock.advanceBy(99);
    EXPECT_TRUE(received.isEmpty());
    clock.advanceBy(1);
    EXPECT_EQ(received, "\n");
}

TEST_F(RevCounterOnFakePort, UnsentOutputIsBounded) {
    counter.engine().setChunking(1, 0);
    counter.engine().inject(QByteArray(10000, 'x'));
    clock.advanceBy(1);
    EXPECT_EQ(received.size(), sim::InstrumentEngine::MaxPendingPieces);
}

TEST_F(RevCounterOnFakePort, ConnectionUndoneWhenItGoes) {
    {
        FakeSerialPort other;
        other.setPortOpen(true);
        sim::FakePortConnection second(counter.engine(), other);
        EXPECT_TRUE(other.onWrite);
    }
    // The engine no longer writes to the port that went away (ASan would tell).
    send("VA");
    clock.advanceBy(1000);
    EXPECT_TRUE(received.isEmpty());
}

} // namespace
