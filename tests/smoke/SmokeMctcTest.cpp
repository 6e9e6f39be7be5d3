// The smoke window with an MCTC-NET opacimeter: the request cadence, status
// words, error codes, the port hint, and what the live labels show.

#include "SmokeWindowFixture.h"

#include "link/FrameBytes.h"
#include "smoke/SmokeTexts.h"

#include <limits>

namespace {

using namespace smoke_text;

class SmokeMctcTest : public SmokeWindowTest {
  protected:
    // Sends a value reply by hand to the "@VA" the window just asked for.
    void answerValues(const QByteArray& data) {
        script.answering = false;
        ASSERT_TRUE(tickUntil([&] { return lastRequest() == "@VA"; }, 20));
        port->receive(mctcReply("@VA", data));
        script.answering = true;
    }
    static QByteArray values(const QByteArray& k, const QByteArray& errorField = "001") {
        return QByteArray(k) +
               "\x17"
               "12\x17"
               "800\x17"
               "80\x17"
               "60\x17"
               "85\x17"
               "0\x17" +
               errorField;
    }
};

TEST_F(SmokeMctcTest, StartUpIdentifiesReadsAParameterAndEntersTheMeasuringLoop) {
    openWindow(MctcModel);
    tick(7);
    EXPECT_EQ(requests(), (QStringList{"ID", "@LU 21", "@ST", "@RS", "@VA", "@RS", "@VA"}));
    EXPECT_EQ(g.link.InstrumentIdentity.SerialNumber, "004217");
    EXPECT_EQ(g.link.VersionThousandths, 4100);
    EXPECT_EQ(form->Label2.caption(), text(Misura));
    EXPECT_EQ(form->Label27.caption(), "0.3");
    EXPECT_EQ(g.smoke.OperatingStatus, "00002");
    // Sending the status request sets the notice texts and ends the first start.
    EXPECT_EQ(g.app.ExclamText, text(ExclStamp1));
    EXPECT_EQ(g.app.ExclamPrintText, text(ExclStamp2));
}

TEST_F(SmokeMctcTest, OlderInstrumentsAreAskedForStatusWithST) {
    script.version = "4.00";
    openWindow(MctcModel);
    tick(3);
    EXPECT_EQ(requests(), (QStringList{"ID", "@LU 21", "ST"}));
}

TEST_F(SmokeMctcTest, ParameterAfterEveryFourthValueReplyDiagnosticAfterEveryNinth) {
    openWindow(MctcModel);
    tick(60);
    const QStringList all = requests();
    // From the first status on: each value reply is followed by "@RS" until
    // the fourth, which is followed by a parameter read (alternating 20 and
    // 21) and a status read; the ninth by a diagnostic read and a status read.
    const QStringList expected{"ID",     "@LU 21", "@ST", "@RS", "@VA", "@RS", "@VA", "@RS", "@VA", "@RS", "@VA",
                               "@LU 20", "@ST",    "@RS", "@VA", "@RS", "@VA", "@RS", "@VA", "@RS", "@VA", "@LU 21",
                               "@ST",    "@RS",    "@VA", "@RD", "@ST", "@RS", "@VA", "@RS", "@VA", "@RS", "@VA",
                               "@LU 20", "@ST",    "@RS", "@VA", "@RS", "@VA", "@RS", "@VA", "@RS", "@VA", "@LU 21"};
    EXPECT_EQ(all.mid(0, expected.size()), expected);
    EXPECT_EQ(form->Label30.caption(), "13.2");
}

TEST_F(SmokeMctcTest, KnownErrorCodesDisarmTheCheckAndUnknownOnesLeaveItArmed) {
    struct Case {
        const char* code;
        bool armedAfter;
    };
    for (const Case& c : {Case{"001", false}, Case{"005", false}, Case{"008", true}, Case{"", true}}) {
        openWindow(MctcModel);
        reachMeasuring();
        ASSERT_EQ(g.smoke.ErrorCheckArmed, -1);
        answerValues(values("0.3", c.code));
        EXPECT_EQ(g.smoke.ErrorCheckArmed != 0, c.armedAfter) << c.code;
        EXPECT_TRUE(links->shown.empty()) << c.code;
        EXPECT_TRUE(form->Timer1.enabled()) << c.code;
    }
}

TEST_F(SmokeMctcTest, ErrorTwoOpensTheCriticalMessageAndStopsTheSchedulerUntilOk) {
    for (const int language : {1, 2}) {
        g.settings.LanguageCode = static_cast<std::int16_t>(language);
        openWindow(MctcModel);
        reachMeasuring();
        answerValues(values("0.3", "002"));
        ASSERT_EQ(links->shown.size(), 1u);
        const auto& critic = links->shown[0];
        EXPECT_EQ(critic.window, "Critic");
        EXPECT_EQ(critic.caption, "ERROR 2");
        EXPECT_EQ(critic.text, language == 2 ? "TURN OF SMOKE METER AND CLEAN OPTICAL PATH"
                                             : "SPENGERE OPACIMETRO E PULIRE PARTI OTTICHE");
        EXPECT_FALSE(critic.schedulerRunning);
        EXPECT_EQ(g.smoke.ErrorCheckArmed, 0);

        // Nothing goes out until the operator acknowledges.
        const qsizetype before = port->written().size();
        tick(60);
        EXPECT_EQ(port->written().size(), before);
        g.app.SmokeScheduler->setEnabled(true); // Critic's OK
        tick(2);
        EXPECT_EQ(requestsSince(before), (QStringList{"@RS", "@VA"}));
        // Disarmed: the same code again raises nothing.
        script.errorField = "002";
        tick(4);
        EXPECT_EQ(links->shown.size(), 1u);
    }
}

TEST_F(SmokeMctcTest, StartArmsTheCheckAgainAndTheZeroingReplyIsChecked) {
    openWindow(MctcModel);
    reachMeasuring();
    tick(2); // "001": disarmed
    ASSERT_EQ(g.smoke.ErrorCheckArmed, 0);
    form->Command2_Click();
    EXPECT_EQ(g.smoke.ErrorCheckArmed, -1);
    script.errorField = "006";
    ASSERT_TRUE(tickUntil([&] { return !links->shown.empty(); }, 10));
    EXPECT_EQ(lastRequest(), "AZ");
    EXPECT_EQ(links->shown[0].caption, "ERROR 6");
    EXPECT_EQ(links->shown[0].text, "OPERAZIONE NON CONSENTITA");
}

TEST_F(SmokeMctcTest, UnreadableValueReplyShowsThePortHintOnce) {
    struct Case {
        int language;
        const char* start;
    };
    for (const Case& c : {Case{1, "SCEGLIERE LA PORTA"}, Case{2, "CHOOSE THE CORRECT"}, Case{3, "earlier text"}}) {
        g.settings.LanguageCode = static_cast<std::int16_t>(c.language);
        openWindow(MctcModel);
        reachMeasuring();
        // While the hint is open the instrument is still polled.
        qsizetype sentWhileOpen = 0;
        QString kWhenShown;
        links->whileOpen = [&](const RecordingSmokeLinks::Shown&) {
            kWhenShown = form->Label27.caption();
            script.answering = true;
            const qsizetype before = port->written().size();
            tick(3);
            sentWhileOpen += port->written().size() - before;
        };
        g.app.ExclamPrintText = "earlier text";
        answerValues("0.9\x17"
                     "12\x17"
                     "800");
        ASSERT_EQ(links->shown.size(), 1u) << c.language;
        EXPECT_EQ(links->shown[0].window, "ExclamStampa");
        EXPECT_TRUE(links->shown[0].text.startsWith(QLatin1String(c.start))) << c.language;
        EXPECT_TRUE(links->shown[0].schedulerRunning);
        EXPECT_EQ(sentWhileOpen, 3);
        EXPECT_TRUE(form->Timer1.enabled());
        // The readings of the short reply are not taken.
        EXPECT_EQ(kWhenShown, "- - -");
        EXPECT_EQ(g.smoke.ErrorCheckArmed, 0);
        answerValues("0.9");
        EXPECT_EQ(links->shown.size(), 1u);
    }
}

TEST_F(SmokeMctcTest, BlockingStateLabelFollowsTheParameters) {
    struct Case {
        const char* operating;
        const char* slide;
        int text;
        ui::Colour colour;
    };
    for (const Case& c :
         {Case{"00000", "00016", BlkAss, ui::colour::Red}, Case{"00001", "00016", EV, ui::colour::Cyan},
          Case{"00002", "00016", SlAperta, ui::colour::Green}, Case{"00002", "00032", SlChiusa, ui::colour::Orange}}) {
        openWindow(MctcModel);
        script.operating = c.operating;
        script.slide = c.slide;
        // Both parameters are read within the first two parameter cycles.
        tick(14);
        EXPECT_EQ(g.smoke.OperatingStatus, QLatin1String(c.operating));
        EXPECT_EQ(g.smoke.SlideStatus, QLatin1String(c.slide));
        EXPECT_EQ(form->Label29.caption(), text(c.text)) << c.operating << c.slide;
        EXPECT_EQ(form->Label29.backColor(), c.colour) << c.operating << c.slide;
    }
}

TEST_F(SmokeMctcTest, LowSupplyVoltageBlinksItsWarning) {
    openWindow(MctcModel);
    script.voltage = 10.6;
    std::vector<ui::Colour> colours;
    for (int i = 0; i < 200 && colours.size() < 3; ++i) {
        const qsizetype before = port->written().size();
        tick();
        if (requestsSince(before) == QStringList{"@RD"})
            colours.push_back(form->Label30.backColor());
    }
    EXPECT_EQ(form->Label30.caption(), text(Valim));
    EXPECT_EQ(colours, (std::vector<ui::Colour>{ui::colour::Red, ui::colour::Cyan, ui::colour::Red}));
    EXPECT_DOUBLE_EQ(g.smoke.SupplyVoltage, 10.6);

    script.voltage = 10.7;
    ASSERT_TRUE(tickUntil([&] { return form->Label30.caption() == "10.7"; }));
    EXPECT_EQ(form->Label30.backColor(), ui::colour::White);
}

TEST_F(SmokeMctcTest, HsuUnitShowsTheConvertedOpacity) {
    openWindow(MctcModel, 1);
    EXPECT_EQ(form->Label4.caption(), "HSU");
    EXPECT_EQ(form->Label56.caption(), "HSU");
    script.percent = 50;
    reachMeasuring();
    tick(2);
    EXPECT_EQ(form->Label28.caption(), "71.1");
    EXPECT_DOUBLE_EQ(g.smoke.OpacityPercent, 50);
}

TEST_F(SmokeMctcTest, AmbientPressureBelowNinetyFourAndAHalfLowersK) {
    struct Case {
        const char* pressure;
        double k;
        double stored;
        const char* shown;
    };
    for (const Case& c :
         {Case{"94.5", 0.2, 0.2, "0.2"}, Case{"94.4", 0.2, -0.05, "0"}, Case{"94.4", 1.0, 0.75, "0.75"}}) {
        g.station.AmbientPressure = c.pressure;
        openWindow(MctcModel);
        script.k = c.k;
        reachMeasuring();
        tick(2);
        EXPECT_NEAR(g.smoke.OpacityK, c.stored, 1e-12) << c.pressure << ' ' << c.k;
        EXPECT_EQ(form->Label27.caption(), QLatin1String(c.shown)) << c.pressure << ' ' << c.k;
    }
}

TEST_F(SmokeMctcTest, OutOfRangeTemperaturesAndNegativeReadings) {
    openWindow(MctcModel);
    script.cell = 888;
    script.oil = 888;
    script.smoke = -4;
    script.rpm = -1;
    script.percent = -1;
    reachMeasuring();
    tick(2);
    EXPECT_EQ(form->Label24.caption(), "OutRange");
    EXPECT_EQ(form->Label25.caption(), "OutRange");
    EXPECT_EQ(form->Label26.caption(), "-4");
    EXPECT_EQ(form->Label31.caption(), "0");
    EXPECT_EQ(form->Label28.caption(), "0");
}

TEST_F(SmokeMctcTest, StandByWithColdCellAndWarmExhaustRaisesErrorTen) {
    openWindow(MctcModel);
    script.cell = 0.5;
    script.smoke = 25;
    reachMeasuring();
    tick(2);
    script.status = 2;
    script.registerCode = 20;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTSB"; }, 30));
    EXPECT_EQ(form->Label2.caption(), "StandBy");
    EXPECT_FALSE(form->Command2.enabled());
    ASSERT_EQ(links->shown.size(), 1u);
    EXPECT_EQ(links->shown[0].window, "Critic");
    EXPECT_EQ(links->shown[0].caption, "ERROR 10");
    EXPECT_EQ(links->shown[0].text, text(CriticTcam));
    EXPECT_FALSE(form->Timer1.enabled());
    EXPECT_EQ(form->Label39.caption(), text(ESlitta));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::Red);

    g.app.SmokeScheduler->setEnabled(true);
    script.status = 8;
    script.registerCode = 0;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTMIS"; }, 30));
    EXPECT_TRUE(form->Command2.enabled());
}

TEST_F(SmokeMctcTest, StandByButtonWaitsForTheOutstandingReply) {
    openWindow(MctcModel);
    reachMeasuring();
    script.answering = false;
    tick();
    ASSERT_EQ(lastRequest(), "@VA");
    form->Command6_Click();
    tick(3);
    // The reply is still owed: nothing more goes out.
    EXPECT_EQ(lastRequest(), "@VA");
    port->receive(answerTo(port->written().last()));
    tick();
    EXPECT_EQ(lastRequest(), "SB");
    EXPECT_TRUE(form->PendingRequest.isEmpty());
}

TEST_F(SmokeMctcTest, LongZeroingStillReadsAndEndsWithTheProbeNotice) {
    openWindow(MctcModel);
    reachMeasuring();
    script.slide = "00000";
    form->Command2_Click();
    script.status = 4;
    const qsizetype before = port->written().size();
    tick(14);
    // Every fourth zeroing status leads to an error register read.
    EXPECT_EQ(requestsSince(before), (QStringList{"AZ", "@ST", "@LU 20", "@ST", "@LU 21", "@ST", "@LU 20", "@ST", "@RS",
                                                  "@ST", "@LU 21", "@ST", "@LU 20", "@ST"}));
    EXPECT_EQ(form->Label2.caption(), text(Autzer));
    EXPECT_EQ(form->Label39.caption(), text(Autzer));

    script.status = 8;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTMIS"; }, 10));
    ASSERT_EQ(links->shown.size(), 1u);
    EXPECT_EQ(links->shown[0].window, "ExclamStampa");
    EXPECT_EQ(links->shown[0].text, text(ExclStamp5));
    EXPECT_FALSE(form->Timer1.enabled());
}

TEST_F(SmokeMctcTest, FrameCounterWrapsInsteadOfFailing) {
    openWindow(MctcModel);
    g.link.AcceptedFrameCount = std::numeric_limits<std::uint32_t>::max();
    tick(3);
    EXPECT_EQ(g.link.AcceptedFrameCount, 2u);
    EXPECT_EQ(requests(), (QStringList{"ID", "@LU 21", "@ST"}));
}

TEST_F(SmokeMctcTest, ReplyToAnotherCommandOrDeviceIsDroppedAndRepeatedAfterTheTimeOut) {
    openWindow(MctcModel);
    script.answering = false;
    tick();
    port->receive(mctcReply("@VA", "1"));
    QByteArray gas = answerTo(port->written().last());
    gas.replace(1, 3, "GAS");
    port->receive(gas);
    EXPECT_EQ(form->InstrumentState, "INIZIO");
    tick(41);
    EXPECT_EQ(form->Label2.caption(), "ERRORE COM");
    tick();
    EXPECT_EQ(requests(), (QStringList{"ID", "ID"}));
}

TEST_F(SmokeMctcTest, TheWindowKeepsItsProtocolWhenAnotherWindowChangesTheSharedMode) {
    openWindow(MctcModel);
    EXPECT_EQ(g.settings.OpacimeterLinkMode, 2);
    // The gas window opening with a maker analyser writes the shared mode.
    g.settings.OpacimeterLinkMode = 1;
    tick(3);
    EXPECT_EQ(requests(), (QStringList{"ID", "@LU 21", "@ST"}));
}

} // namespace
