#include "RpmWindowFixture.h"

#include "link/MctcFrame.h"
#include "settings/ConfFile.h"

#include <QFile>

namespace {

QByteArray replyFrame(const QByteArray& command, const QByteArray& data) {
    return BuildMctcFrame("RPM", command, "1", data);
}

} // namespace

TEST_F(RpmWindowTest, ProgramsCylindersThenStrokesThenReadsSpeedEveryTick) {
    openWindow({.cylinders = 4, .strokes = 4, .choice = 0});
    tick(5);
    EXPECT_EQ(conversation(), QStringList({"CI 4", "TE 4", "VA", "VA", "VA"}));
    EXPECT_EQ(instrument.programmedCylinders(), 4);
    EXPECT_EQ(instrument.programmedStrokes(), 4);
    EXPECT_EQ(g.rpm.RpmValue, 850.0);
    EXPECT_EQ(form->Label1.caption(), "850");
    EXPECT_EQ(form->Label3.caption(), "- - -");
    EXPECT_EQ(form->RevCounterState(), RPM::Measure);
    EXPECT_EQ(g.link.RevCounterMissCount, 0);
}

TEST_F(RpmWindowTest, EachChoiceReadsWithItsOwnCommand) {
    struct Case {
        int choice;
        QStringList reading;
    };
    const Case cases[] = {
        {0, {"VA", "VA", "VA", "VA"}},
        {1, {"VE", "VE", "VE", "VE"}},
        {2, {"TP", "VA", "TP", "VA"}},
        // A choice Conf.ini should never hold still reads the speed.
        {7, {"VA", "VA", "VA", "VA"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice);
        closeWindow();
        openWindow({.choice = c.choice});
        tick(6);
        EXPECT_EQ(conversationSince(2), c.reading);
    }
}

TEST_F(RpmWindowTest, LateCylinderReplyMakesTheNextTickReadInsteadOfProgrammingStrokes) {
    instrument.engine().setReplyDelay(Beat + 50);
    openWindow();
    tick(2);
    EXPECT_EQ(conversation(), QStringList({"CI 4", "VA"}));
    // Neither request found a reply before it.
    EXPECT_EQ(g.link.RevCounterMissCount, 2);
    EXPECT_EQ(form->Label1.caption(), "- - -");
}

TEST_F(RpmWindowTest, MoreCylindersWhileReadingReprogramsAfterTheNextSpeedReply) {
    openWindow();
    tick(4);
    const qsizetype before = requests().size();
    form->Command2_Click();
    EXPECT_EQ(g.settings.CylinderCount, 5);
    EXPECT_EQ(form->Text5.text(), "5");
    tick(3);
    EXPECT_EQ(conversationSince(before), QStringList({"CI 5", "VA", "VA"}));
    EXPECT_EQ(instrument.programmedCylinders(), 5);
}

TEST_F(RpmWindowTest, CylinderButtonsSaveTheSettingsAtOnce) {
    openWindow({.cylinders = 6});
    form->Command2_Click();
    Globals reread;
    ASSERT_TRUE(LoadRevCounterSettings(reread));
    EXPECT_EQ(reread.settings.CylinderCount, 8);
    form->Command3_Click();
    form->Command3_Click();
    ASSERT_TRUE(LoadRevCounterSettings(reread));
    EXPECT_EQ(reread.settings.CylinderCount, 5);
    EXPECT_EQ(form->Text5.text(), "5");
    // The rest of the section is written back as it was.
    EXPECT_EQ(reread.settings.RpmSerial, "R500-0042");
    EXPECT_EQ(reread.settings.RpmPort, 5);
}

TEST_F(RpmWindowTest, AlternatingChoiceRefreshesTemperatureAndSpeedInTurn) {
    instrument.setSpeedProfile(sim::Profile({{0, 800}, {10000, 1800}}));
    instrument.setOilProfile(sim::Profile({{0, 60}, {10000, 100}}));
    openWindow({.choice = 2});
    tick(2); // CI, TE
    QString speed = form->Label1.caption();
    QString oil = form->Label3.caption();
    for (int i = 0; i < 6; ++i) {
        const bool temperatureTurn = i % 2 == 0;
        SCOPED_TRACE(i);
        const sim::Millis sentAt = clock.now();
        tick();
        EXPECT_EQ(requests().last().command, temperatureTurn ? "TP" : "VA");
        if (temperatureTurn) {
            EXPECT_NE(form->Label3.caption(), oil);
            EXPECT_EQ(form->Label1.caption(), speed);
            EXPECT_DOUBLE_EQ(g.rpm.OilTemperature,
                             sim::RevCounterSim::temperatureText(instrument.oilTemperatureAt(sentAt)).toDouble());
        } else {
            EXPECT_NE(form->Label1.caption(), speed);
            EXPECT_EQ(form->Label3.caption(), oil);
            EXPECT_DOUBLE_EQ(g.rpm.RpmValue, std::round(instrument.speedReadingAt(sentAt)));
        }
        speed = form->Label1.caption();
        oil = form->Label3.caption();
    }
}

TEST_F(RpmWindowTest, SpeedAndTemperatureReplyWithOneFieldZeroesTheTemperature) {
    bool oneField = false;
    instrument.engine().setRewriter(
        [&](const QByteArray&, const QByteArray& reply) { return oneField ? replyFrame("VE", "1234") : reply; });
    openWindow({.choice = 1});
    tick(3);
    EXPECT_EQ(g.rpm.OilTemperature, 82.5);
    EXPECT_EQ(form->Label3.caption(), "82.5");
    oneField = true;
    tick();
    EXPECT_EQ(g.rpm.RpmValue, 1234.0);
    EXPECT_EQ(g.rpm.OilTemperature, 0.0);
    EXPECT_EQ(form->Label1.caption(), "1234");
    EXPECT_EQ(form->Label3.caption(), "0");
}

TEST_F(RpmWindowTest, OilTemperatureOutOfRangeIsShownAsSuch) {
    instrument.setOilProfile(sim::Profile::constant(888));
    openWindow({.choice = 1});
    tick(3);
    EXPECT_EQ(g.rpm.OilTemperature, 888.0);
    EXPECT_EQ(form->Label3.caption(), "OutRange");
}

TEST_F(RpmWindowTest, StoredCylinderCountOfZeroIsNeverProgrammed) {
    openWindow({.cylinders = 0, .strokes = 4});
    tick(4);
    EXPECT_EQ(conversation(), QStringList({"VA", "VA", "VA", "VA"}));
    EXPECT_EQ(instrument.programmedCylinders(), sim::RevCounterSim::DefaultCylinders);
}

TEST_F(RpmWindowTest, ChangingStrokesWhileReadingProgramsThemBeforeTheNextReading) {
    // A two-stroke engine read by a counter set for four strokes shows twice its speed.
    instrument.setEngineLayout(4, 2);
    openWindow({.cylinders = 4, .strokes = 4});
    tick(3);
    EXPECT_EQ(g.rpm.RpmValue, 1700.0);
    const qsizetype before = requests().size();
    form->Option7_Click();
    EXPECT_TRUE(form->Option7.value());
    EXPECT_FALSE(form->Option6.value());
    tick(3);
    EXPECT_EQ(conversationSince(before), QStringList({"CI 4", "TE 2", "VA"}));
    EXPECT_EQ(g.rpm.RpmValue, 850.0);
    Globals reread;
    ASSERT_TRUE(LoadRevCounterSettings(reread));
    EXPECT_EQ(reread.settings.StrokeCount, 2);
}

TEST_F(RpmWindowTest, BaudChoicesOpenThePortWithTheirSettings) {
    const std::pair<int, const char*> cases[] = {
        {1, "1200,n,8,1"}, {2, "9600,n,8,1"}, {3, "19200,n,8,1"}, {4, "38400,n,8,1"}};
    for (const auto& [baud, settings] : cases) {
        SCOPED_TRACE(baud);
        closeWindow();
        openWindow({.port = 3, .baud = baud});
        EXPECT_TRUE(port->PortOpen());
        EXPECT_EQ(port->Settings(), settings);
        EXPECT_EQ(port->CommPort(), 3);
        EXPECT_EQ(port->RThreshold(), 1);
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RpmWindowTest, OpeningPrepairsTheWindowAndTheSharedValues) {
    g.rpm.RpmValue = 910;
    g.rpm.OilTemperature = 70;
    openWindow({.cylinders = 6, .strokes = 2});
    EXPECT_EQ(form->Label5.caption(), "Cilindri");
    EXPECT_EQ(form->Frame2.caption(), "Tempi");
    EXPECT_EQ(form->Text5.text(), "6");
    EXPECT_TRUE(form->Option7.value());
    EXPECT_FALSE(form->Option6.value());
    EXPECT_EQ(form->Label1.caption(), "- - -");
    EXPECT_EQ(form->Label3.caption(), "- - -");
    EXPECT_EQ(g.rpm.RpmValue, 910.0);
    EXPECT_EQ(g.rpm.OilTemperature, 0.0);
    EXPECT_TRUE(form->Timer2.enabled());
    EXPECT_EQ(form->Timer2.interval(), 250);
    EXPECT_EQ(form->RevCounterState(), RPM::Measure);
    EXPECT_TRUE(port->written().isEmpty());
}

TEST_F(RpmWindowTest, ExternalSpeedAsksForTheIdentityFirst) {
    openWindow({.externalRpm = 1});
    ASSERT_EQ(conversation(), QStringList({"ID"}));
    clock.advanceBy(100);
    // The identity reply counts as a reply: the first tick is no miss.
    EXPECT_EQ(g.link.RevCounterReplyFlag, 1);
    tick(3);
    EXPECT_EQ(conversation(), QStringList({"ID", "CI 4", "TE 4", "VA"}));
    EXPECT_EQ(g.link.RevCounterMissCount, 0);
}

TEST_F(RpmWindowTest, ClosingStopsReadingAndKeepsTheLastValues) {
    openWindow({.choice = 1});
    tick(3);
    form->CmdOut_Click();
    EXPECT_TRUE(form->Me.closeRequested());
    form->Form_Unload();
    EXPECT_FALSE(form->Timer2.enabled());
    EXPECT_FALSE(port->PortOpen());
    EXPECT_EQ(g.link.RevCounterPort, nullptr);
    closeWindow();
    EXPECT_EQ(g.rpm.RpmValue, 850.0);
    EXPECT_EQ(g.rpm.OilTemperature, 82.5);
}

TEST_F(RpmWindowTest, SilentInstrumentShowsUnknownSpeedAndReopensThePortFromTheThirdMiss) {
    openWindow();
    tick(3);
    ASSERT_EQ(form->Label1.caption(), "850");
    instrument.engine().setAnswering(false);
    const qsizetype before = requests().size();
    const int closesBefore = port->closeCount();
    tick(); // the last reply came: no miss yet
    EXPECT_EQ(form->Label1.caption(), "850");
    for (int miss = 1; miss <= 4; ++miss) {
        SCOPED_TRACE(miss);
        tick();
        EXPECT_EQ(form->Label1.caption(), "- - -");
        EXPECT_EQ(g.link.RevCounterMissCount, miss);
        EXPECT_EQ(port->closeCount() - closesBefore, std::max(0, miss - 2));
    }
    EXPECT_EQ(requests().size() - before, 5);
    EXPECT_EQ(QFile(programFile("RpmTx.log")).size(), 8 * qsizetype(sizeof("05/03/2024 09:30:00\tVA\r\n") - 1));
    instrument.engine().setAnswering(true);
    tick(); // the sixth request is answered
    const int closesAtRecovery = port->closeCount();
    tick(3);
    EXPECT_EQ(form->Label1.caption(), "850");
    EXPECT_EQ(g.link.RevCounterMissCount, 0);
    EXPECT_EQ(port->closeCount(), closesAtRecovery);
}

TEST_F(RpmWindowTest, PortThatCannotOpenIsReportedOnceAndRetriedByTheMisses) {
    writeSettings({.port = 7});
    makeWindow();
    port->failEveryOpen(QStringLiteral("No such file or directory"));
    form->Form_Load();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "COM7 non disponibile\r\nNo such file or directory");
    tick(4);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(port->written().isEmpty());
    EXPECT_EQ(form->Label1.caption(), "- - -");
    port->failEveryOpen(QString());
    tick(4);
    EXPECT_TRUE(port->PortOpen());
    // The "CI" of the first tick never reached the instrument, so it is programmed now.
    EXPECT_EQ(conversation(), QStringList({"VA", "CI 4", "TE 4", "VA"}));
    EXPECT_EQ(form->Label1.caption(), "850");
}

TEST_F(RpmWindowTest, PortClosedUnderTheWindowCountsAsMissesAndIsReopened) {
    openWindow();
    tick(3);
    ASSERT_EQ(g.link.RevCounterReplyFlag, 1);
    // The device went away: the driver closed the port after the last reply.
    port->setPortOpen(false);
    tick(2);
    EXPECT_EQ(form->Label1.caption(), "- - -");
    EXPECT_EQ(g.link.RevCounterMissCount, 2);
    EXPECT_FALSE(port->PortOpen());
    tick(3);
    EXPECT_TRUE(port->PortOpen());
    EXPECT_EQ(form->Label1.caption(), "850");
}

TEST_F(RpmWindowTest, PortThatCannotOpenIsRetriedEvenAfterAnAnsweredSession) {
    // The previous rev counter window's last request was answered.
    g.link.RevCounterReplyFlag = 1;
    writeSettings({});
    makeWindow();
    port->failNextOpen(QStringLiteral("Device or resource busy"));
    form->Form_Load();
    ASSERT_FALSE(port->PortOpen());
    tick(5);
    EXPECT_TRUE(port->PortOpen());
    EXPECT_EQ(form->Label1.caption(), "850");
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(RpmWindowTest, InstrumentBackFromAnOutageIsProgrammedAfresh) {
    instrument.setEngineLayout(6, 2);
    openWindow({.cylinders = 6, .strokes = 2});
    tick(3);
    ASSERT_EQ(g.rpm.RpmValue, 850.0);
    // Switched off: silent for a while, then back with its factory programming.
    connection.reset();
    sim::RevCounterSim restarted(clock);
    restarted.setEngineLayout(6, 2);
    restarted.setSpeedProfile(sim::Profile::constant(850));
    tick(4);
    EXPECT_EQ(form->Label1.caption(), "- - -");
    const qsizetype before = requests().size();
    connection = std::make_unique<sim::FakePortConnection>(restarted.engine(), *port);
    tick(4);
    EXPECT_EQ(conversationSince(before), QStringList({"VA", "CI 6", "TE 2", "VA"}));
    EXPECT_EQ(restarted.programmedCylinders(), 6);
    EXPECT_EQ(restarted.programmedStrokes(), 2);
    EXPECT_EQ(g.rpm.RpmValue, 850.0);
    connection.reset();
}

TEST_F(RpmWindowTest, FramesForAnotherDeviceOrWithoutSeparatorAreNoReply) {
    instrument.engine().setAnswering(false);
    openWindow();
    tick(3);
    const QByteArray foreign[] = {BuildMctcFrame("GAS", "VA", "1", "999"),
                                  QByteArray("\x02RPMX1\x17VA\x17"
                                             "999FF\x03"),
                                  // A stray byte before a frame spoils it as a whole.
                                  QByteArray("\n") + replyFrame("VA", "999")};
    for (const QByteArray& frame : foreign) {
        port->receive(frame);
        EXPECT_EQ(g.link.RevCounterReplyFlag, 0);
    }
    EXPECT_NE(g.rpm.RpmValue, 999.0);
}

TEST_F(RpmWindowTest, ReplySplitOverManyEventsIsHandledOnceWhole) {
    instrument.engine().setChunking(3, 1);
    openWindow();
    tick(4);
    EXPECT_EQ(conversation(), QStringList({"CI 4", "TE 4", "VA", "VA"}));
    EXPECT_EQ(form->Label1.caption(), "850");
}

TEST_F(RpmWindowTest, EndlessNoiseNeverBlocksTheNextReply) {
    openWindow();
    tick(3);
    instrument.engine().setAnswering(false);
    port->receive(QByteArray(10000, 'x'));
    port->receive(replyFrame("VA", "1500"));
    EXPECT_EQ(g.rpm.RpmValue, 1500.0);
}
