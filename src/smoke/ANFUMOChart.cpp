// The chart selection: one free acceleration recorded as 41 samples of opacity
// and engine speed, one per value reply, from just before the engine passes
// the idle limit; then the chart window shows them and the next acceleration
// is awaited.

#include "smoke/ANFUMO.h"

#include "report/ConcludedTests.h"
#include "shared/Globals.h"
#include "smoke/Grafic.h"
#include "smoke/SmokeDisplay.h"
#include "smoke/SmokeTexts.h"
#include "smoke/SmokeWindowLinks.h"
#include "ui/Clock.h"

namespace {

// Seconds between rows on the chart's time axis, whatever the reply rate.
constexpr double RowSeconds = 0.25;
constexpr int LastRow = SmokeState::ChartRows - 1;

} // namespace

void ANFUMO::runChartPhases() {
    using namespace smoke_text;
    const double speed = g_.smoke.EngineSpeed;
    const double idleLimit = g_.settings.LimitRpmMin;
    const QString phase = TestPhase;
    if (phase == QLatin1String("AVVIOALTO")) {
        if (speed >= idleLimit) {
            setPrompt(Dec, ui::colour::Pink);
        } else if (warm() && blockingAllowsStart()) {
            Label39.setCaption(g_.lang.UiText[Acc]);
            clearChartRecording();
            TestPhase = QStringLiteral("PREAVVIO");
        }
    } else if (phase == QLatin1String("PREAVVIO")) {
        PreTrigger[0] = PreTrigger[1];
        PreTrigger[1] = currentChartSample();
        if (speed >= idleLimit) {
            writeChartRow(0, PreTrigger[0]);
            writeChartRow(1, PreTrigger[1]);
            ChartStep = QStringLiteral("UNO");
            TestPhase = QStringLiteral("AVVIO");
        }
    } else if (phase == QLatin1String("AVVIO")) {
        // A recording is always 41 samples, however the operator got on.
        if (ChartRow >= LastRow) {
            TestPhase = QStringLiteral("FINE");
            return;
        }
        ++ChartRow;
        writeChartRow(ChartRow, currentChartSample());
        runChartStep();
    } else if (phase == QLatin1String("FINE")) {
        finishChartRecording();
        TestPhase = QStringLiteral("SUBATTESA");
    } else if (phase == QLatin1String("SUBATTESA")) {
        if (speed < idleLimit) {
            clearChartRecording();
            TestPhase = QStringLiteral("PREAVVIO");
        }
    }
}

// Only the prompts: full throttle, hold, release.
void ANFUMO::runChartStep() {
    using namespace smoke_text;
    const double speed = g_.smoke.EngineSpeed;
    if (ChartStep == QLatin1String("UNO")) {
        if (speed > g_.settings.LimitRpmMax) {
            Label39.setCaption(g_.lang.UiText[ManMax]);
            MeasureDeadline = TickCount + HoldAtMaximum;
            ChartStep = QStringLiteral("DUE");
        }
    } else if (ChartStep == QLatin1String("DUE")) {
        if (MeasureDeadline < TickCount) {
            setPrompt(Dec, ui::colour::Pink);
            ChartStep = QStringLiteral("TRE");
        }
    } else if (ChartStep == QLatin1String("TRE")) {
        if (speed < g_.settings.LimitRpmMin)
            ChartStep = QStringLiteral("FINE");
    }
}

void ANFUMO::clearChartRecording() {
    for (auto& row : g_.smoke.ChartData) {
        row[Grafic::Opacity] = 0.0;
        row[Grafic::Speed] = 0.0;
    }
    // A trigger on the first reply must not put samples from before the last
    // recording at the start of this one.
    PreTrigger = {};
    ChartRow = 1;
}

void ANFUMO::writeChartRow(int row, const ChartSample& sample) {
    if (row < 0 || row > LastRow)
        return;
    auto& cells = g_.smoke.ChartData[static_cast<size_t>(row)];
    cells[Grafic::Time] = row * RowSeconds;
    cells[Grafic::Opacity] = sample.opacity;
    cells[Grafic::Speed] = sample.speed;
}

ANFUMO::ChartSample ANFUMO::currentChartSample() const {
    const SmokeState& s = g_.smoke;
    return {s.OpacityK * 10.0, s.EngineSpeed / 100.0};
}

void ANFUMO::finishChartRecording() {
    const auto& text = g_.lang.UiText;
    Label39.setCaption(text[smoke_text::Concl] + QLatin1Char(' ') + text[smoke_text::GraficShown]);
    Label39.setBackColor(ui::colour::LightBlue);
    KeepConcludedTest(g_, ConcludedChart(g_, ui::Clock::now()));
    links_->showChart();
}

void ANFUMO::mirrorToChart() {
    Grafic* chart = links_->chart();
    if (!chart)
        return;
    chart->Label3.setCaption(NonNegativeCaption(g_.smoke.EngineSpeed));
    chart->Label39.setCaption(Label39.caption());
    chart->Label39.setBackColor(Label39.backColor());
}
