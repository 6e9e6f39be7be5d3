// The chart selection of the smoke window: one free acceleration recorded as
// 41 rows of opacity and speed, the operator's prompts meanwhile, the chart
// window shown at the end and the wait for the next acceleration.

#include "SmokeWindowFixture.h"

#include "smoke/SmokeTexts.h"

namespace {

using namespace smoke_text;

class SmokeChartTest : public SmokeWindowTest {
  protected:
    static constexpr double Idle = 800;
    static constexpr double Revving = 1500;  // above the idle limit of 1000
    static constexpr double Governed = 4000; // above the upper limit of 3000

    using Row = std::array<double, SmokeState::ChartColumns>;

    int valueReplies() const { return static_cast<int>(requests().count(QStringLiteral("@VA"))); }
    // Ticks until the opacimeter has answered one more value request.
    void nextValueReply() {
        const int before = valueReplies();
        ASSERT_TRUE(tickUntil([&] { return valueReplies() > before; }, 20));
    }
    void setEngine(double rpm, double k) {
        script.rpm = rpm;
        script.k = k;
    }
    const Row& row(int index) const { return g.smoke.ChartData[static_cast<size_t>(index)]; }
    int chartsShown() const {
        int count = 0;
        for (const auto& shown : links->shown)
            count += shown.window == "Grafic" ? 1 : 0;
        return count;
    }

    // The chart selection started with the engine still revving, so the
    // recording waits in "AVVIOALTO" until the engine idles.
    void startChart() {
        openWindow(MctcModel);
        reachMeasuring();
        setEngine(Revving, 0.2);
        startTest(ANFUMO::Chart);
        nextValueReply();
        ASSERT_EQ(form->TestPhase, "AVVIOALTO");
    }
    // Idle, then the trigger: the phase is "AVVIO" with rows 0 and 1 written.
    void armAndTrigger(double rpm, double k) {
        setEngine(Idle, 0.1);
        ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "PREAVVIO"; }, 20));
        setEngine(rpm, k);
        nextValueReply();
        ASSERT_EQ(form->TestPhase, "AVVIO");
    }
};

TEST_F(SmokeChartTest, ArmsOnlyWithTheEngineIdlingTheSlideOpenAndTheCellWarm) {
    startChart();
    EXPECT_EQ(form->Label39.caption(), text(Dec));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::Pink);
    // Exactly at the idle limit still counts as revving.
    setEngine(1000, 0.2);
    nextValueReply();
    nextValueReply();
    EXPECT_EQ(form->TestPhase, "AVVIOALTO");

    // A closed slide holds the recording back too.
    script.slide = "00032";
    ASSERT_TRUE(tickUntil([&] { return g.smoke.SlideStatus == "00032"; }, 40));
    setEngine(999, 0.2);
    tick(40);
    EXPECT_EQ(form->TestPhase, "AVVIOALTO");
    // And so does a cold cell.
    script.cell = 70;
    script.slide = "00016";
    ASSERT_TRUE(tickUntil([&] { return g.smoke.SlideStatus == "00016"; }, 40));
    tick(40);
    EXPECT_EQ(form->TestPhase, "AVVIOALTO");
    script.cell = 71;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "PREAVVIO"; }, 40));
    EXPECT_EQ(form->Label39.caption(), text(Acc));
    EXPECT_EQ(form->ChartRow, 1);
}

TEST_F(SmokeChartTest, TriggerOnTheFirstReplyAfterArmingUsesPreTriggerValuesStillZero) {
    startChart();
    // Whatever an earlier recording left in the measured columns goes.
    for (auto& cells : g.smoke.ChartData)
        cells = {7, 7, 7, 7, 7};
    armAndTrigger(Revving, 0.6);
    EXPECT_EQ(row(0), (Row{0, 0, 0, 7, 7}));
    EXPECT_EQ(row(1), (Row{0.25, 6, 15, 7, 7}));
    EXPECT_EQ(row(2), (Row{7, 0, 0, 7, 7}));
    EXPECT_EQ(form->ChartRow, 1);
    EXPECT_EQ(form->ChartStep, "UNO");

    // Re-armed after a recording: the samples before that trigger are gone too.
    setEngine(Governed, 1.0);
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "SUBATTESA"; }, 300));
    setEngine(Idle, 0.1);
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "PREAVVIO"; }, 20));
    setEngine(Revving, 0.3);
    nextValueReply();
    ASSERT_EQ(form->TestPhase, "AVVIO");
    EXPECT_EQ(row(0)[Grafic::Opacity], 0);
    EXPECT_EQ(row(0)[Grafic::Speed], 0);
    EXPECT_DOUBLE_EQ(row(1)[Grafic::Opacity], 3);
}

TEST_F(SmokeChartTest, FortyOneRowsThenTheNextReplyEndsTheRecordingEvenAtHighSpeed) {
    startChart();
    armAndTrigger(Revving, 0.5);
    for (int r = 2; r <= 40; ++r) {
        setEngine(Governed + r, 0.01 * r);
        nextValueReply();
        ASSERT_EQ(form->ChartRow, r);
        EXPECT_EQ(row(r)[Grafic::Time], r * 0.25) << r;
        EXPECT_DOUBLE_EQ(row(r)[Grafic::Opacity], 0.1 * r) << r;
        EXPECT_DOUBLE_EQ(row(r)[Grafic::Speed], (Governed + r) / 100) << r;
    }
    EXPECT_EQ(form->TestPhase, "AVVIO");
    const Row last = row(40);

    setEngine(Governed, 2.0);
    nextValueReply();
    EXPECT_EQ(form->TestPhase, "FINE");
    EXPECT_EQ(form->ChartRow, 40);
    EXPECT_EQ(row(40), last);
    EXPECT_EQ(chartsShown(), 0);

    nextValueReply();
    EXPECT_EQ(form->TestPhase, "SUBATTESA");
    EXPECT_EQ(form->Label39.caption(), text(Concl) + ' ' + text(GraficShown));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::LightBlue);
    ASSERT_EQ(chartsShown(), 1);
    EXPECT_TRUE(links->shown.back().schedulerRunning);
    // The chart took the recording and the limits in force.
    const Grafic* chart = links->chart();
    ASSERT_NE(chart, nullptr);
    for (int r = 0; r < SmokeState::ChartRows; ++r) {
        EXPECT_EQ(row(r)[Grafic::SpeedMin], 10) << r;
        EXPECT_EQ(row(r)[Grafic::SpeedMax], 30) << r;
    }
    EXPECT_EQ(chart->MSChart1.data(), g.smoke.ChartData);
    EXPECT_EQ(row(40), (Row{10, last[1], last[2], 10, 30}));
    // Nothing more is written while the engine stays up.
    nextValueReply();
    nextValueReply();
    EXPECT_EQ(form->TestPhase, "SUBATTESA");
    EXPECT_EQ(chartsShown(), 1);
}

TEST_F(SmokeChartTest, OperatorPromptsFollowTheAccelerationWithoutCuttingTheRecordingShort) {
    startChart();
    armAndTrigger(Revving, 0.5);
    nextValueReply();
    EXPECT_EQ(form->ChartStep, "UNO");
    // Exactly at the upper limit is not yet full throttle.
    setEngine(3000, 1.0);
    nextValueReply();
    EXPECT_EQ(form->ChartStep, "UNO");
    setEngine(3001, 1.0);
    nextValueReply();
    EXPECT_EQ(form->ChartStep, "DUE");
    EXPECT_EQ(form->Label39.caption(), text(ManMax));
    EXPECT_EQ(form->MeasureDeadline - form->TickCount, ANFUMO::HoldAtMaximum);

    // The hold ends only once its deadline has passed.
    form->TickCount = form->MeasureDeadline - 2;
    nextValueReply();
    ASSERT_LE(form->TickCount, form->MeasureDeadline);
    EXPECT_EQ(form->ChartStep, "DUE");
    form->TickCount = form->MeasureDeadline;
    nextValueReply();
    EXPECT_EQ(form->ChartStep, "TRE");
    EXPECT_EQ(form->Label39.caption(), text(Dec));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::Pink);

    setEngine(1000, 0.2);
    nextValueReply();
    EXPECT_EQ(form->ChartStep, "TRE");
    setEngine(Idle, 0.1);
    nextValueReply();
    EXPECT_EQ(form->ChartStep, "FINE");
    // The operator is done but the recording goes on to its 41st row.
    EXPECT_EQ(form->TestPhase, "AVVIO");
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase != "AVVIO"; }, 200));
    EXPECT_EQ(form->ChartRow, 40);
    EXPECT_DOUBLE_EQ(row(40)[Grafic::Speed], 8);
}

TEST_F(SmokeChartTest, NextAccelerationIsArmedOnceTheEngineDropsBelowTheIdleLimit) {
    startChart();
    armAndTrigger(Revving, 0.5);
    setEngine(Governed, 1.0);
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "SUBATTESA"; }, 300));
    ASSERT_EQ(chartsShown(), 1);
    const Row recorded = row(20);

    setEngine(1000, 0.3);
    nextValueReply();
    nextValueReply();
    EXPECT_EQ(form->TestPhase, "SUBATTESA");
    EXPECT_EQ(row(20), recorded);

    setEngine(999, 0.3);
    nextValueReply();
    EXPECT_EQ(form->TestPhase, "PREAVVIO");
    EXPECT_EQ(form->ChartRow, 1);
    for (const auto& cells : g.smoke.ChartData) {
        EXPECT_EQ(cells[Grafic::Opacity], 0);
        EXPECT_EQ(cells[Grafic::Speed], 0);
    }
    // The time column stays: every row is written again before it is shown.
    EXPECT_EQ(row(20)[Grafic::Time], 5);

    // This time the pre-trigger rows hold the replies before the trigger.
    setEngine(Idle, 0.1);
    nextValueReply();
    g.settings.LimitRpmMax = 3500;
    setEngine(Governed, 0.9);
    nextValueReply();
    EXPECT_EQ(form->TestPhase, "AVVIO");
    EXPECT_EQ(row(0), (Row{0, 1, 8, 10, 30}));
    EXPECT_EQ(row(1), (Row{0.25, 9, 40, 10, 30}));
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "SUBATTESA"; }, 300));
    // A fresh chart window with the limits as they are now.
    EXPECT_EQ(chartsShown(), 2);
    EXPECT_EQ(links->chart()->MSChart1.data()[0][Grafic::SpeedMax], 35);
}

TEST_F(SmokeChartTest, ChartWindowFollowsTheLiveSpeedAndThePromptColour) {
    startChart();
    armAndTrigger(Revving, 0.5);
    setEngine(Governed, 1.0);
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "SUBATTESA"; }, 300));
    Grafic* chart = links->chart();
    ASSERT_NE(chart, nullptr);
    setEngine(2345, 0.4);
    nextValueReply();
    EXPECT_EQ(chart->Label3.caption(), "2345");
    EXPECT_EQ(chart->Label39.backColor(), ui::colour::LightBlue);
    EXPECT_EQ(chart->Label39.caption(), form->Label39.caption());

    // Back to waiting in "AVVIOALTO" after a zeroing: the prompt turns pink.
    script.status = 4;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTAZE"; }));
    script.status = 8;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTMIS"; }));
    nextValueReply();
    EXPECT_EQ(form->TestPhase, "AVVIOALTO");
    EXPECT_EQ(chart->Label39.backColor(), ui::colour::Pink);

    // Another selection: the chart window is left alone.
    form->Combo1.setListIndex(ANFUMO::Continuous);
    form->Combo1_Click();
    setEngine(1111, 0.4);
    nextValueReply();
    EXPECT_EQ(chart->Label3.caption(), "2345");
}

} // namespace
