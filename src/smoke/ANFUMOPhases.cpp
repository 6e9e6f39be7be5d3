// The free-acceleration phases: after each value reply the phase of the test
// moves on according to the measuring selection, with the prompts that lead
// the operator through idle, full throttle, release and wait.

#include "smoke/ANFUMO.h"

#include "lang/LanguageTexts.h"
#include "shared/Globals.h"
#include "smoke/AccelerationRules.h"
#include "smoke/SmokeDisplay.h"
#include "smoke/SmokeTexts.h"

namespace {

// Ticks of 25 ms.
constexpr int WaitAtIdle = 200;

// The timed selection's waits, which differ between the two protocols.
struct TimedStep {
    const char* phase;
    bool needsWarmCell;
    int prompt;
    int makerWait;
    int mctcWait;
    bool closesAcceleration;
    const char* next;
};
constexpr TimedStep TimedSteps[] = {
    {"AVVIO", false, smoke_text::Acc, 54, 50, false, "UNO"},
    {"UNO", true, smoke_text::ManMax, 120, 120, false, "DUE"},
    {"DUE", false, smoke_text::Dec, 50, 50, true, "TRE"},
    {"TRE", false, smoke_text::ManMin, 120, 200, false, "QUATTRO"},
    {"QUATTRO", false, smoke_text::Acc, 50, 50, false, "UNO"},
};
constexpr int TimedFirstWaitMaker = 200;
constexpr int TimedFirstWaitMctc = 280;

// The maker's later models flag a cell still warming up in the alarm byte.
constexpr int WarmingAlarmLow = 64;
constexpr int WarmingAlarmHigh = 127;

} // namespace

void ANFUMO::runTestPhases() {
    const SmokeState& s = g_.smoke;
    const SettingsState& limits = g_.settings;
    switch (MeasureSelection) {
    case SpeedTriggered:
        runTriggeredPhases(s.EngineSpeed, speedGiven_, limits.LimitRpmMin, limits.LimitRpmMax, true);
        break;
    case OpacityTriggered:
        runTriggeredPhases(s.OpacityK, kGiven_, limits.OpacityThreshold, limits.OpacityThreshold, false);
        break;
    case Timed: runTimedPhases(); break;
    case Chart: runChartPhases(); break;
    case Continuous:
    case Manual:
    case DirectAcquisition: runManualPhases(); break;
    default: break;
    }
}

void ANFUMO::runTriggeredPhases(double level, bool levelGiven, double lowThreshold, double highThreshold,
                                bool bySpeed) {
    using namespace smoke_text;
    const QString phase = TestPhase;
    // A level the instrument did not give is not known to be low: the waits
    // for the engine at idle (or clean smoke) go on until it comes back.
    const bool waitsForLowLevel =
        phase == QLatin1String("AVVIOALTO") || phase == QLatin1String("TRE") || phase == QLatin1String("QUATTRO");
    if (!levelGiven && waitsForLowLevel)
        return;
    if (phase == QLatin1String("AVVIOALTO")) {
        if (level > lowThreshold) {
            setPrompt(Dec, ui::colour::Pink);
        } else if (warm()) {
            if (!blockingAllowsStart())
                return;
            setPrompt(Acc, ui::colour::White);
            TestPhase = bySpeed ? QStringLiteral("AVVIO") : QStringLiteral("UNO");
        } else {
            waitForWarmCell();
        }
    } else if (phase == QLatin1String("AVVIO")) {
        if (level > lowThreshold)
            TestPhase = QStringLiteral("UNO");
    } else if (phase == QLatin1String("UNO")) {
        if (!warm()) {
            waitForWarmCell();
        } else if (level > highThreshold) {
            Label39.setCaption(g_.lang.UiText[ManMax]);
            MeasureDeadline = TickCount + HoldAtMaximum;
            TestPhase = QStringLiteral("DUE");
        }
    } else if (phase == QLatin1String("DUE")) {
        if (MeasureDeadline < TickCount) {
            setPrompt(Dec, ui::colour::Pink);
            evaluateAcceleration();
            TestPhase = QStringLiteral("TRE");
        }
    } else if (phase == QLatin1String("TRE")) {
        if (level < lowThreshold) {
            Label39.setCaption(g_.lang.UiText[ManMin]);
            PhaseDeadline = TickCount + WaitAtIdle;
            TestPhase = QStringLiteral("QUATTRO");
        }
    } else if (phase == QLatin1String("QUATTRO")) {
        if (level > lowThreshold) {
            setPrompt(Dec, ui::colour::Pink);
            TestPhase = QStringLiteral("TRE");
        } else if (PhaseDeadline < TickCount) {
            setPrompt(Acc, ui::colour::White);
            TestPhase = QStringLiteral("UNO");
        }
    }
}

void ANFUMO::runTimedPhases() {
    const bool mctc = linkMode() == 2;
    if (TestPhase == QLatin1String("AVVIOALTO")) {
        if (!warm()) {
            waitForWarmCell();
            return;
        }
        Label24.setBackColor(ui::colour::White);
        Label39.setCaption(g_.lang.UiText[smoke_text::ManMin]);
        PhaseDeadline = TickCount + (mctc ? TimedFirstWaitMctc : TimedFirstWaitMaker);
        TestPhase = QStringLiteral("AVVIO");
        return;
    }
    for (const TimedStep& step : TimedSteps) {
        if (TestPhase != QLatin1String(step.phase))
            continue;
        if ((step.needsWarmCell && !warm()) || !(PhaseDeadline < TickCount))
            return;
        Label39.setCaption(g_.lang.UiText[step.prompt]);
        PhaseDeadline = TickCount + (mctc ? step.mctcWait : step.makerWait);
        if (step.closesAcceleration)
            evaluateAcceleration();
        TestPhase = QLatin1String(step.next);
        return;
    }
}

void ANFUMO::runManualPhases() {
    Label39.setBackColor(ui::colour::White);
    if (warm()) {
        Label24.setBackColor(ui::colour::White);
        return;
    }
    Label24.setBackColor(ui::colour::Red);
    if (mayShowWaitingPrompt())
        Label39.setCaption(g_.lang.UiText[smoke_text::AttRisc]);
}

void ANFUMO::waitForWarmCell() {
    Label24.setBackColor(ui::colour::Red);
    if (mayShowWaitingPrompt())
        setPrompt(smoke_text::AttRisc, ui::colour::Red);
}

bool ANFUMO::mayShowWaitingPrompt() const {
    if (linkMode() == 2)
        return LastStatusByte != 1;
    if (model_.firstGeneration)
        return LastStateCode != 0;
    return LastAlarmByte >= WarmingAlarmLow && LastAlarmByte <= WarmingAlarmHigh;
}

bool ANFUMO::blockingAllowsStart() const {
    return linkMode() != 2 || BlockingAllowsAcceleration(g_.smoke.OperatingStatus, g_.smoke.SlideStatus);
}

void ANFUMO::abandonInterruptedTest() {
    // Peaks and speeds from before and after a lost line must never make one
    // verdict: the test is given up and the operator starts it again.
    const bool running = !TestPhase.trimmed().isEmpty() && TestPhase != QLatin1String("FINE") &&
                         g_.smoke.AccelerationIndex < AccelerationRows;
    if (!running)
        return;
    keepInterruptedTest();
    TestPhase = QStringLiteral(" ");
    ClearSmokeTestResult(g_);
    g_.smoke.AccelerationIndex = 0;
    rowsKept_ = 0;
    showRowsUnknown();
    Command1.setEnabled(false);
    Label33.setCaption(g_.lang.UiText[smoke_text::Esito]);
    Label33.setBackColor(ui::colour::White);
    Label39.setCaption(NamedText(g_, u"LINEAProvaInterrotta"));
    Label39.setBackColor(ui::colour::Red);
}
