#include "GasWindowFixture.h"

namespace {

constexpr int Measurement = 0x50;

// A measurement in the record layout of the normal acquisition list.
MakerValues typicalValues() {
    MakerValues v;
    v.set(9, 0x01).word(10, 0x416C); // oil 82.284 °C
    v.word(20, 1012);                // lambda 1.012
    v.word(25, 850);                 // engine speed
    v.word(30, 1000);                // CO 1.000 %
    v.word(35, 10000);               // CO2 10.000 %
    v.word(40, 120);                 // HC ppm
    v.word(45, 1500);                // O2 1.500 %
    return v;
}

class MakerConversationTest : public GasWindowTest {};

TEST_F(MakerConversationTest, StartUpReadsIdentityCalibrationAndSendsTheAcquisitionList) {
    openWindow({.model = 0});
    EXPECT_EQ(form->LinkMode(), ANGAS::MakerFrames);
    EXPECT_EQ(g.link.GasBinaryAddress, 0x31);
    EXPECT_FALSE(form->Command4.enabled());
    EXPECT_FALSE(form->Command6.enabled());
    makerStartUp("4.90");
    EXPECT_EQ(g.gas.AnalyserSerial, "KV123456");
    EXPECT_EQ(form->Label7.caption(), "258");
    EXPECT_EQ(form->Label25.caption(), "4.90");
    EXPECT_EQ(form->Label4.caption(), "31/12/24");
    EXPECT_EQ(requests(), QStringList({"0x31", "0x2E", "0x23 08 0A 0D 0E 0C 07 06 05 02"}));
    EXPECT_EQ(form->NextState, "SCA");
    tick();
    EXPECT_EQ(lastRequest(), "0x3F");
}

TEST_F(MakerConversationTest, WarmUpWaitingZeroingAndMeasuringDriveRequestsAndDisplays) {
    g.settings.SystemOptions = 2;
    openWindow({.model = 1});
    makerStartUp("5.40");
    // The extended HC range is in use with this firmware and option.
    EXPECT_EQ(requests().last(), "0x23 08 0A 12 0E 0C 07 06 05 02");

    // Warm-up: the list is sent once more, then the status is polled.
    makerStatus(2);
    EXPECT_EQ(form->NextState, "RSTRIS");
    EXPECT_EQ(form->Label5.caption(), ui(40));
    EXPECT_EQ(form->Label27.caption(), ui(28));
    EXPECT_EQ(form->Label27.backColor(), ui::colour::White);
    EXPECT_FALSE(form->Combo1.enabled());
    EXPECT_TRUE(form->Combo3.enabled());
    EXPECT_EQ(form->Label8.caption(), "- - -");
    EXPECT_EQ(form->Label15.caption(), "- - -");
    exchangeMaker("0x23 08 0A 12 0E 0C 07 06 05 02", 0x23);
    EXPECT_EQ(form->ListSentInWarmUp, 1);
    makerStatus(2);
    makerStatus(2);

    // Waiting: values and status in turn.
    makerStatus(128);
    EXPECT_EQ(form->Label5.caption(), ui(63));
    EXPECT_EQ(form->Label27.caption(), ui(9));
    EXPECT_TRUE(form->Combo1.enabled());
    EXPECT_FALSE(form->PBar1.visible());
    EXPECT_EQ(form->MeasuringFlag, 0);
    exchangeMaker("0x50", Measurement, typicalValues().data());
    EXPECT_EQ(form->Label8.caption(), "1");
    EXPECT_EQ(form->NextState, "ACQ");

    // The operator starts: 0x45, then zeroing with the progress bar running.
    makerStatus(128);
    form->Command1_Click();
    EXPECT_EQ(form->Command1.caption(), "S&top");
    exchangeMaker("0x45", 0x45);
    EXPECT_EQ(form->NextState, "CAL");
    EXPECT_EQ(form->TestPhase, "MINIMO");
    makerStatus(65);
    EXPECT_EQ(form->Label5.caption(), ui(62));
    EXPECT_EQ(form->Label8.caption(), "- - -");
    EXPECT_TRUE(form->PBar1.visible());
    const int firstProgress = form->PBar1.value();
    makerStatus(65);
    EXPECT_GT(form->PBar1.value(), firstProgress);
    EXPECT_EQ(form->MeasuringFlag, 1);

    // Measuring: 0x50 and 0x3F alternate.
    makerStatus(129);
    EXPECT_EQ(form->Label5.caption(), ui(45));
    EXPECT_FALSE(form->Combo1.enabled());
    const qsizetype before = requestCount();
    exchangeMaker("0x50", Measurement, typicalValues().data());
    makerStatus(129);
    exchangeMaker("0x50", Measurement, typicalValues().data());
    EXPECT_EQ(requestsSince(before), QStringList({"0x50", "0x3F", "0x50"}));
    EXPECT_EQ(form->Label15.caption(), "850");
    EXPECT_EQ(form->Label12.caption(), "1.5");
    EXPECT_EQ(form->Label26.caption(), "1.01");
    EXPECT_EQ(form->Label13.caption(), "82.284");
    EXPECT_EQ(form->Label11.caption(), "120");
    // Petrol with catalyst from the status reply's fuel code: K = 15.
    EXPECT_EQ(form->Label9.caption(), "1.3");
    EXPECT_DOUBLE_EQ(g.gas.GasCOcorr, 1.3);
}

TEST_F(MakerConversationTest, StatusRepliesSetStatesAndLines) {
    struct Case {
        int status;
        const char* state;
        QString label27;
        ui::Colour colour27;
    };
    const Case cases[] = {
        {1, "ACQ", ui(65), ui::colour::Red},
        {32, "RSTERT", ui(66), ui::colour::Red},
        {34, "RSTERI", ui(67), ui::colour::Red},
        {65, "RSTCAL", ui(9), ui::colour::SystemFace},
        {128, "RSTATT", ui(9), ui::colour::SystemFace},
        {77, "ACQ", ui(11), ui::colour::SystemFace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        openWindow({.model = 0});
        form->Label27.setCaption(ui(11));
        makerStartUp();
        makerStatus(c.status);
        EXPECT_EQ(form->NextState, c.state);
        EXPECT_EQ(form->LastReplyState, c.state);
        EXPECT_EQ(form->Label27.caption(), c.label27);
        EXPECT_EQ(form->Label27.backColor(), c.colour27);
    }
    // Status 34 also marks the state line.
    openWindow({.model = 0});
    makerStartUp();
    makerStatus(34);
    EXPECT_EQ(form->Label5.caption(), "Error");
    EXPECT_EQ(form->Label5.backColor(), ui::colour::Red);
    EXPECT_FALSE(form->Combo1.enabled());
}

TEST_F(MakerConversationTest, ZeroingWaitingAndMeasuringKeepErrorColoursUntilARequestWhitensThem) {
    struct Case {
        int status;
        QString label5;
        QString label27;
        bool whitenedByNextRequest; // the values request of "RSTATT" and "RSTMIS"
    };
    for (const Case& c :
         {Case{65, ui(62), ui(9), false}, Case{128, ui(63), ui(9), true}, Case{129, ui(45), ui(64), true}}) {
        SCOPED_TRACE(c.status);
        // The tension error's red instruction line.
        openWindow({.model = 0});
        makerStartUp();
        makerStatus(32);
        makerStatus(c.status);
        EXPECT_EQ(form->Label5.caption(), c.label5);
        EXPECT_EQ(form->Label27.caption(), c.label27);
        EXPECT_EQ(form->Label27.backColor(), ui::colour::Red);
        tick();
        EXPECT_EQ(form->Label27.backColor(), c.whitenedByNextRequest ? ui::colour::White : ui::colour::Red);

        // The irreparable error's red status line, after a start.
        openWindow({.model = 0});
        makerStartUp();
        makerStatus(34);
        form->Command1_Click();
        exchangeMaker("0x45", 0x45);
        makerStatus(c.status);
        EXPECT_EQ(form->Label5.caption(), c.label5);
        EXPECT_EQ(form->Label5.backColor(), ui::colour::Red);
    }
}

TEST_F(MakerConversationTest, StatusFuelCodeSelectsFuelEngineAndConstant) {
    openWindow({.model = 0});
    makerStartUp();
    makerStatus(128, 2 + 64); // methane without catalyst, two-stroke
    EXPECT_EQ(form->TCarb, 2);
    EXPECT_EQ(form->Combo1.listIndex(), 2);
    EXPECT_EQ(form->TMot, 1);
    EXPECT_EQ(form->Combo3.listIndex(), 1);
    EXPECT_EQ(form->FuelConstantK, 12.0);
    exchangeMaker("0x50", Measurement, typicalValues().data());
    // A code no fuel makes changes no selection.
    makerStatus(128, 7);
    EXPECT_EQ(form->TCarb, 2);
    EXPECT_EQ(form->NextState, "RSTATT");
}

TEST_F(MakerConversationTest, MeasurementMarkersAndTheExtendedHcRange) {
    struct Case {
        const char* name;
        std::uint8_t options;
        int model;
        MakerValues values;
        QString hc;
        double hcValue;
        QString cocorr;
    };
    MakerValues extended = typicalValues();
    extended.set(40, 0xFF).set(14, 0x30).set(15, 0xBD).set(16, 0xBF);
    MakerValues tooHigh = extended;
    tooHigh.set(14, 0x2F).set(15, 0x37).set(16, 0x1F);
    MakerValues signedOverflow = typicalValues();
    signedOverflow.set(40, 0x90);
    const Case cases[] = {
        {"extended range", 2, 0, extended, "19477", 19477, "1.3"},
        {"extended range beyond 20000", 2, 0, tooHigh, "Out", 20487, "1.3"},
        {"extended range not enabled", 0, 0, extended, "Out", -1, "1.3"},
        // Model 2 has neither the extended range nor a corrected CO.
        {"model 2", 2, 2, extended, "Out", -1, "- - -"},
        {"high byte 0x90", 2, 0, signedOverflow, "Out", -1, "1.3"},
    };
    g.settings.HcRangeQuadCoeff = 1e-09;
    g.settings.HcRangeLinCoeff = 0.008;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g.settings.SystemOptions = c.options;
        openWindow({.model = c.model});
        makerStartUp("5.40");
        makerStatus(128);
        exchangeMaker("0x50", Measurement, c.values.data());
        EXPECT_EQ(form->Label11.caption(), c.hc);
        EXPECT_EQ(g.gas.GasHC, c.hcValue);
        EXPECT_EQ(form->Label9.caption(), c.cocorr);
    }
}

TEST_F(MakerConversationTest, RevCounterSuppliesSpeedAndOilTemperatureWhenSet) {
    g.settings.ExternalRpm = 1;
    g.settings.ExternalOilTemp = 1;
    g.rpm.RpmValue = 2450;
    g.rpm.OilTemperature = 91.5;
    openWindow({.model = 0});
    makerStartUp();
    makerStatus(128);
    MakerValues values = typicalValues();
    values.set(25, 0xFF).set(9, 0xFF);
    exchangeMaker("0x50", Measurement, values.data());
    EXPECT_EQ(form->Label15.caption(), "2450");
    EXPECT_EQ(form->Label13.caption(), "91.5");
    EXPECT_EQ(g.gas.GasEngineSpeed, 2450);
    EXPECT_FLOAT_EQ(g.gas.GasOilTemperature, 91.5f);
}

TEST_F(MakerConversationTest, MalformedRepliesAreDroppedAndTheRequestRepeated) {
    openWindow({.model = 0});
    tick();
    ASSERT_EQ(lastRequest(), "0x31");
    // A reply to another command, and one too short for an identification.
    port->receive(makerReplyFrame(0x31, 0x2E, QByteArray(12, '\0')));
    port->receive(makerReplyFrame(0x31, 0x31, QByteArray(4, '\0')));
    EXPECT_EQ(form->NextState, "INIZIO");
    EXPECT_EQ(form->Cycle.ReplyReady, 0);
    tick(40);
    EXPECT_EQ(requests(), QStringList({"0x31"}));
    tick();
    EXPECT_EQ(form->Label5.caption(), "ERRORE COM");
    tick();
    EXPECT_EQ(requests(), QStringList({"0x31", "0x31"}));
    QByteArray identification(18, '\0');
    identification.replace(15, 3, "540");
    // A reply in pieces is taken once complete.
    const QByteArray whole = makerReplyFrame(0x31, 0x31, identification);
    port->receive(whole.left(5));
    port->receive(whole.mid(5, 10));
    EXPECT_EQ(form->NextState, "INIZIO");
    port->receive(whole.mid(15));
    EXPECT_EQ(form->NextState, "LDF");
    EXPECT_EQ(form->Label25.caption(), "5.40");
}

} // namespace
