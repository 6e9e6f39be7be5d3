// The smoke window with a maker opacimeter (binary frames): the start-up
// conversation, the status words and alarms, the value records.

#include "SmokeWindowFixture.h"

#include "link/FrameBytes.h"
#include "smoke/OpacimeterModels.h"
#include "smoke/SmokeTexts.h"

#include <QFile>

namespace {

using namespace smoke_text;

class SmokeMakerTest : public SmokeWindowTest {};

TEST_F(SmokeMakerTest, StartUpShowsTheProbeNoticeThenIdentifiesListsChannelsAndPolls) {
    g.app.SmokeFirstStart = 1;
    script.stateCode = 0; // self-check of a later model
    script.alarm = 0;
    script.auxiliary = 0;
    openWindow(1);

    tick();
    ASSERT_EQ(links->shown.size(), 1u);
    EXPECT_EQ(links->shown[0].window, "ExclamStampa");
    EXPECT_EQ(links->shown[0].text, text(ExclStamp2));
    EXPECT_FALSE(links->shown[0].schedulerRunning);
    EXPECT_EQ(g.app.SmokeFirstStart, 0);
    EXPECT_EQ(requests(), QStringList{"0x31"});

    // The notice's OK restarts the scheduler.
    form->Timer1.setEnabled(true);
    tick(6);
    // Identification, expiry date, channel list, status; each self-check
    // status asks for the channel list again.
    EXPECT_EQ(requests(), (QStringList{"0x31", "0x61", "0x23", "0x3F", "0x23", "0x3F", "0x23"}));
    EXPECT_EQ(g.link.InstrumentIdentity.SerialNumber, "AQ004217");
    EXPECT_EQ(g.link.InstrumentIdentity.ExpiryDate, "31/12/2030");
    EXPECT_EQ(form->LastStatus, "RSTCHK");
    EXPECT_EQ(form->Label2.caption(), text(Control));

    script.flags = 16;
    script.auxiliary = 60;
    script.alarm = 1;
    const qsizetype before = port->written().size();
    tick(5);
    EXPECT_EQ(requestsSince(before), (QStringList{"0x3F", "0x50", "0x3F", "0x50", "0x3F"}));
    EXPECT_EQ(form->ChannelListInCheck, 1);
    EXPECT_EQ(form->Label2.caption(), text(Attivo));
    EXPECT_EQ(form->Label27.caption(), "0.3");
    EXPECT_EQ(form->Label31.caption(), "800");
    // The channel list was sent as the count and the eight channels.
    EXPECT_EQ(port->written()[2].mid(6, 9), MakerChannelList());
}

TEST_F(SmokeMakerTest, ModelZeroWarmUpBlanksTheTableAndReadyRestoresThePrompt) {
    script.stateCode = 0;
    openWindow(0);
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTRI"; }));
    // Not a number yet: the cell temperature is unknown, so its label is red.
    EXPECT_EQ(form->Label2.caption(), text(Riscal));
    EXPECT_EQ(form->Label39.caption(), text(AttRisc));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::White);
    EXPECT_EQ(form->Label33.caption(), text(Esito));
    EXPECT_EQ(form->Label24.backColor(), ui::colour::Red);
    EXPECT_EQ(form->Label36[3].caption(), "- - -");
    EXPECT_EQ(form->Label38[7].caption(), "- - -");
    EXPECT_EQ(form->Label27.caption(), "- - -");
    // Each warm-up status asks for the channel list again.
    const qsizetype before = port->written().size();
    tick(3);
    EXPECT_EQ(requestsSince(before), (QStringList{"0x23", "0x3F", "0x23"}));

    script.stateCode = 128;
    tick(2);
    EXPECT_EQ(form->LastStatus, "RSTATT");
    EXPECT_EQ(form->Label2.caption(), text(Attivo));
    EXPECT_EQ(form->Label39.caption(), text(Fase));
    EXPECT_EQ(form->AlarmActive, 0);
}

struct AlarmCase {
    int model;
    int alarm;
    int auxiliary;
    const char* status;
    int prompt;
};

class SmokeMakerAlarmTest : public SmokeMakerTest, public ::testing::WithParamInterface<AlarmCase> {};

TEST_P(SmokeMakerAlarmTest, AnAlarmTurnsBothLabelsRedAndFreezesTheReadings) {
    const AlarmCase& c = GetParam();
    if (c.model == 0)
        script.stateCode = 128;
    openWindow(c.model);
    reachMeasuring();
    tick(2);
    ASSERT_EQ(form->Label31.caption(), "800");

    script.alarm = c.alarm;
    script.auxiliary = c.auxiliary;
    ASSERT_TRUE(tickUntil([&] { return form->AlarmActive == 1; }, 10));
    EXPECT_EQ(form->Label2.caption(), QLatin1String(c.status));
    EXPECT_EQ(form->Label39.caption(), text(c.prompt));
    EXPECT_EQ(form->Label2.backColor(), ui::colour::Red);
    EXPECT_EQ(form->Label39.backColor(), ui::colour::Red);
    EXPECT_EQ(form->Label31.caption(), "- - -");
    // Values keep coming, but nothing is shown while the alarm lasts.
    script.rpm = 1500;
    tick(4);
    EXPECT_EQ(form->Label31.caption(), "- - -");

    script.alarm = 0;
    tick(4);
    EXPECT_EQ(form->AlarmActive, 0);
    EXPECT_EQ(form->Label2.backColor(), ui::colour::White);
    EXPECT_EQ(form->Label31.caption(), "1500");
}

INSTANTIATE_TEST_SUITE_P(Alarms, SmokeMakerAlarmTest,
                         ::testing::Values(AlarmCase{0, 2, 0, "ERROR 3", PAlta}, AlarmCase{0, 9, 0, "ERROR 4", PBassa},
                                           AlarmCase{0, 20, 0, "ERROR 2", EnnO}, AlarmCase{0, 40, 0, "ERROR 1", PPOtt},
                                           AlarmCase{2, 128 + 1, 255, "ERROR 1", PPOtt},
                                           AlarmCase{3, 16 + 1, 60, "ERROR 2", EnnO},
                                           AlarmCase{4, 4 + 1, 60, "ERROR 3", PAlta},
                                           AlarmCase{1, 2, 60, "ERROR 4", PBassa}));

TEST_F(SmokeMakerTest, ReadyStatusWhitensThePromptTheTestPhaseColoured) {
    for (const int model : {0, 1}) {
        SCOPED_TRACE(model);
        script = {};
        if (model == 0)
            script.stateCode = 128;
        openWindow(model);
        reachMeasuring();
        startTest(ANFUMO::SpeedTriggered);
        // The engine is still revving: each value reply asks for release on pink.
        script.rpm = 1500;
        ASSERT_TRUE(
            tickUntil([&] { return lastRequest() == "0x50" && form->Label39.backColor() == ui::colour::Pink; }, 10));
        tick();
        ASSERT_EQ(lastRequest(), "0x3F");
        EXPECT_EQ(form->Label39.caption(), text(Dec));
        EXPECT_EQ(form->Label39.backColor(), ui::colour::White);
        EXPECT_EQ(form->Label2.backColor(), ui::colour::White);
        tick();
        EXPECT_EQ(form->Label39.backColor(), ui::colour::Pink);
    }
}

TEST_F(SmokeMakerTest, LaterModelWarmingBitShowsWarmUpTextsWithoutAlarm) {
    script.stateCode = 16;
    script.flags = 16;
    script.auxiliary = 60;
    script.alarm = 65;
    openWindow(3);
    reachMeasuring();
    tick(2);
    EXPECT_EQ(form->LastStatus, "RSTATT");
    EXPECT_EQ(form->AlarmActive, 0);
    EXPECT_EQ(form->Label2.caption(), text(Riscal));
    EXPECT_EQ(form->Label39.caption(), text(AttRisc));
}

TEST_F(SmokeMakerTest, FlagBitSixteenSplitsZeroingFromReadyAndDecidesTheStartCommand) {
    script.stateCode = 0;
    script.alarm = 20; // not a self-check: alarm byte between 16 and 63
    script.auxiliary = 60;
    script.flags = 0;
    openWindow(2);
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTAZE"; }));
    EXPECT_EQ(form->Label2.caption(), text(Autzer));
    EXPECT_EQ(form->Label39.caption(), text(Autzer));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::White);

    // Start while the flag is clear: nothing is owed to the instrument.
    form->Command2_Click();
    EXPECT_TRUE(form->PendingStart.isEmpty());

    script.flags = 16;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTATT"; }, 10));
    EXPECT_EQ(form->StatusFlags, 16);
    form->Command2_Click();
    EXPECT_EQ(form->PendingStart, "STARTMIS");
    const qsizetype before = port->written().size();
    tick(2);
    // The owed start goes first, whatever the state; its reply asks for status.
    EXPECT_EQ(requestsSince(before), (QStringList{"0x45", "0x3F"}));
    EXPECT_TRUE(form->PendingStart.isEmpty());
}

TEST_F(SmokeMakerTest, ReadyAfterZeroingEnablesAdvanceInManualSelection) {
    script.stateCode = 64;
    openWindow(1);
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTAZE"; }));
    form->Combo1.setListIndex(ANFUMO::Manual);
    form->Combo1_Click();
    form->Command2_Click();
    EXPECT_FALSE(form->Command1.enabled());
    script.stateCode = 16;
    script.auxiliary = 60;
    script.alarm = 1;
    script.flags = 16;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTATT"; }, 10));
    EXPECT_TRUE(form->Command1.enabled());
}

TEST_F(SmokeMakerTest, ChannelWithNoValueIsStoredAsMinusOneAndShownAsZero) {
    openWindow(1);
    reachMeasuring();
    script.answering = false;
    tick();
    ASSERT_EQ(lastRequest(), "0x50");
    port->receive(makerValues({{3, QByteArray("\x00\x00", 2)},
                               {5, QByteArray("\x00\x55", 2)},
                               {6, QByteArray("\xFF\x00", 2)},
                               {0, QByteArray("\x00\x3C", 2)},
                               {2, QByteArray("\x00\x00", 2)},
                               {8, QByteArray("\xFF\xFF", 2)},
                               {1, QByteArray("\x01\x2C", 2)},
                               {7, QByteArray("\x00\x64", 2)}}));
    EXPECT_EQ(form->ChannelValues[8], -1);
    EXPECT_EQ(form->ChannelValues[6], -1);
    EXPECT_EQ(g.smoke.EngineSpeed, -1);
    EXPECT_EQ(form->Label31.caption(), "0");
    EXPECT_EQ(form->Label25.caption(), "0");
    EXPECT_EQ(form->Label24.caption(), "85");
    EXPECT_EQ(form->Label26.caption(), "60");
    EXPECT_EQ(form->Label28.caption(), "30");
    EXPECT_EQ(form->Label27.caption(), "1");
    EXPECT_EQ(form->InstrumentState, "ACQ");
}

TEST_F(SmokeMakerTest, ReplyInPiecesIsTakenWhenCompleteAndDamagedRepliesAreDropped) {
    openWindow(1);
    script.answering = false;
    tick();
    ASSERT_EQ(lastRequest(), "0x31");
    const QByteArray reply = answerTo(port->written().last());

    // A reply one byte longer than its length byte says is dropped whole.
    port->receive(reply + 'x');
    EXPECT_EQ(form->InstrumentState, "INIZIO");
    EXPECT_TRUE(form->ReceiveBuffer.isEmpty());
    // A stray first byte is dropped at once.
    port->receive("\n");
    EXPECT_TRUE(form->ReceiveBuffer.isEmpty());
    // Another address.
    QByteArray foreign = reply;
    foreign[1] = 0x51;
    port->receive(foreign);
    EXPECT_EQ(form->InstrumentState, "INIZIO");

    const quint32 accepted = g.link.AcceptedFrameCount;
    for (const char byte : reply)
        port->receive(QByteArray(1, byte));
    EXPECT_EQ(form->InstrumentState, "LDF");
    EXPECT_EQ(g.link.AcceptedFrameCount, accepted + 1);
    EXPECT_EQ(form->Cycle.ReplyReady, 1);
}

TEST_F(SmokeMakerTest, SilentInstrumentShowsComErrorAfterFortyTicksAndRepeatsTheRequest) {
    openWindow(1);
    script.answering = false;
    tick(41);
    EXPECT_EQ(requests(), QStringList{"0x31"});
    EXPECT_NE(form->Label2.caption(), "ERRORE COM");
    tick();
    EXPECT_EQ(form->Label2.caption(), "ERRORE COM");
    tick();
    EXPECT_EQ(requests(), (QStringList{"0x31", "0x31"}));
}

TEST_F(SmokeMakerTest, RevCounterSuppliesSpeedAndOilInsteadOfTheOpacimeter) {
    g.settings.ExternalRpm = 1;
    g.settings.ExternalOilTemp = 1;
    g.rpm.RpmValue = 1234;
    g.rpm.OilTemperature = 91.5;
    openWindow(4);
    reachMeasuring();
    tick(2);
    EXPECT_EQ(g.smoke.EngineSpeed, 1234);
    EXPECT_EQ(form->Label31.caption(), "1234");
    EXPECT_EQ(form->Label25.caption(), "91.5");
}

TEST_F(SmokeMakerTest, LogRecordsTheReadingsWhileTheInstrumentIsReady) {
    openWindow(1);
    reachMeasuring();
    tick(2);
    EXPECT_FALSE(QFile::exists(programFile("smoke.log")));
    form->Command7_Click();
    EXPECT_EQ(form->Command7.caption(), "LOG ON");
    tick(2);
    EXPECT_EQ(readBytes(programFile("smoke.log")), "0.3\t12\t800\t80\t85\t60\t05/03/2024\tAQ004217 \r\n");
    form->Command7_Click();
    EXPECT_EQ(form->Command7.caption(), "LOG OFF");
    tick(2);
    EXPECT_EQ(readBytes(programFile("smoke.log")).count('\n'), 1);
}

} // namespace
