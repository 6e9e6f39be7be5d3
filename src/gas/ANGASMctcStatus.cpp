// MCTC-NET replies that move the start-up and measuring sequence on: the
// analyser status, the leak-test state and the HC residue result.
#include "gas/ANGAS.h"

#include "gas/GasParsers.h"
#include "gas/GasStatusText.h"
#include "link/MctcMeasuringReplies.h"
#include "shared/Globals.h"
#include "ui/Clock.h"

namespace {

constexpr int UiPhase = 9;
constexpr int UiResult = 11;
constexpr int UiWaitWarmUp = 28;
constexpr int UiWarmUp = 40;
constexpr int UiMeasuring = 45;
constexpr int UiZeroing = 62;
constexpr int UiLeakTestOld = 150;
constexpr int UiLeakTestEnded = 152;
constexpr int UiHcResidueFailed = 153;
constexpr int UiTestRunning = 154;
constexpr int UiLeakTestRunning = 155;
constexpr int UiBadFlow = 156;

constexpr int NetworkVoltageCode = 12;
constexpr int BadFlowCode = 30;
constexpr int ZeroingRepliesBeforeErrorCheck = 4;
constexpr std::uint8_t NoLeakTestRequestOption = 4;
// The date the analyser reports for a leak test never run: no age to test.
constexpr const char* NeverTested = "01/01/2000";
constexpr qint64 LeakTestLifeMinutes = 24 * 60;

} // namespace

void ANGAS::mctcStatus(const QByteArray& frame) {
    const auto status = MctcStatusByte(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength());
    // An empty status leaves the state as it was, so the status is asked again.
    if (!status)
        return;
    gas().AnalyserStatus = *status;
    if ((LastReplyState == QLatin1String("ETER") || LastReplyState == QLatin1String("ETEI")) && Label37.visible())
        showPressure(false);
    switch (*status) {
    case 1: mctcWarmUp(); break;
    case 2: mctcStandBy(); break;
    case 4: mctcZeroing(); break;
    case 8: mctcMeasuring(); break;
    default: setStates(QStringLiteral("RSTMIS")); break;
    }
}

void ANGAS::mctcWarmUp() {
    setStates(QStringLiteral("RSTRIS"));
    Combo1.setEnabled(true);
    Combo3.setEnabled(true);
    Command6.setEnabled(true);
    whiteStatusLines();
    Label5.setCaption(uiText(UiWarmUp));
    Label27.setCaption(uiText(UiWaitWarmUp));
    Label28.setCaption(uiText(UiResult));
}

void ANGAS::mctcStandBy() {
    if (LastReplyState == QLatin1String("ETER")) {
        // Checked for leaks but asleep: wake it, then zero it once it measures.
        setStates(QStringLiteral("STANDBY"));
        AutoZeroAfterStandBy = 1;
    } else {
        setStates(QStringLiteral("RSTSB"));
    }
    PBar1.setVisible(false);
    Combo1.setEnabled(true);
    Combo3.setEnabled(true);
    Command6.setEnabled(true);
    Label5.setCaption(QStringLiteral("StandBy"));
    Label5.setBackColor(ui::colour::White);
    const gas::InstructionLine line =
        gas::StandByInstruction(gas().AnalyserErrorCode, gas().FaultyChannelMask, g_.lang);
    setInstruction(line.text, line.backColour);
}

void ANGAS::mctcZeroing() {
    setStates(QStringLiteral("RSTAZE"));
    // Every fourth zeroing status the error register is read, to learn how the zero went.
    if (++ZeroingReplies >= ZeroingRepliesBeforeErrorCheck) {
        ZeroingReplies = 0;
        NextState = QStringLiteral("RSECXAZE");
    }
    Combo1.setEnabled(true);
    Combo3.setEnabled(true);
    Command6.setEnabled(false);
    Label5.setCaption(uiText(UiZeroing));
    Label5.setBackColor(ui::colour::White);
    const int errorCode = gas().AnalyserErrorCode;
    if (errorCode != NetworkVoltageCode)
        advanceProgress();
    const gas::InstructionLine line = gas::ZeroingInstruction(errorCode, g_.lang);
    setInstruction(line.text, line.backColour);
    Label28.setCaption(uiText(UiResult));
    showValuesUnknown();
}

void ANGAS::mctcMeasuring() {
    NextState = QStringLiteral("RSTMIS");
    Combo1.setEnabled(false);
    Combo3.setEnabled(false);
    Command6.setEnabled(true);
    Label5.setCaption(uiText(UiMeasuring));
    Label5.setBackColor(ui::colour::White);
    const int errorCode = gas().AnalyserErrorCode;
    if (errorCode == NetworkVoltageCode) {
        PendingRequest = QStringLiteral("STANDBY");
    } else if (gas::IsOutOfRangeError(errorCode)) {
        setInstruction(QStringLiteral("ERRORE OUT"), ui::colour::Red);
    } else if (errorCode == 20 || errorCode == 21) {
        NextState = QStringLiteral("HCRES");
    } else if (errorCode >= 25 && errorCode <= 27) {
        NextState = QStringLiteral("TTE");
    } else if (errorCode == BadFlowCode) {
        setInstruction(uiText(UiBadFlow), ui::colour::Red);
    } else {
        Label27.setBackColor(ui::colour::White);
        if (TProve == 1) {
            Label27.setCaption(uiText(UiPhase));
            PBar1.setVisible(false);
        }
    }
    if (LastReplyState == QLatin1String("ETER") || AutoZeroAfterStandBy == 1) {
        NextState = QStringLiteral("AUTOZERO");
        AutoZeroAfterStandBy = 0;
    }
    if (LastReplyState == QLatin1String("RSTAZE") || LastReplyState == QLatin1String("ACQXAZE"))
        NextState = QStringLiteral("TESTHC");
    LastReplyState = QStringLiteral("RSTMIS");
}

bool ANGAS::leakTestTooOld() const {
    const GasState& gs = gas();
    const QDate date = QDate::fromString(gs.LeakTestDate, QStringLiteral("dd/MM/yyyy"));
    // A test whose date cannot be read is not known to be recent.
    if (!date.isValid())
        return true;
    // A time that cannot be read counts from the start of the day: the test is then never taken for younger.
    QTime time = QTime::fromString(gs.LeakTestTime, QStringLiteral("hh:mm"));
    if (!time.isValid())
        time = QTime(0, 0);
    const QDateTime tested(date, time);
    QDateTime now = ui::Clock::now();
    now.setTime(QTime(now.time().hour(), now.time().minute()));
    return tested.secsTo(now) / 60 > LeakTestLifeMinutes;
}

void ANGAS::mctcLeakStatus(const QByteArray& frame) {
    const gas::LeakStatus leak =
        gas::ParseLeakStatusReply(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength());
    GasState& gs = gas();
    gs.LeakTestStatus = leak.status;
    gs.LeakTestDate = leak.date;
    gs.LeakTestTime = leak.time;

    const auto statusIs = [&gs](const char* letter) { return gs.LeakTestStatus == QLatin1String(letter); };
    if (!statusIs("E")) {
        Command4.setEnabled(true);
        Command1.setEnabled(true);
        gs.AnalyserErrorCode = 0;
    } else {
        Label27.setCaption(uiText(UiTestRunning));
        Label5.setCaption(uiText(UiLeakTestRunning));
        NextState = QStringLiteral("ETEE");
    }
    if (statusIs("R")) {
        NextState = QStringLiteral("ETER");
        if (gs.LeakTestDate != QLatin1String(NeverTested) && leakTestTooOld())
            gs.LeakTestStatus = QStringLiteral("I");
    }
    if (g_.settings.SystemOptions & NoLeakTestRequestOption) {
        gs.LeakTestStatus = QStringLiteral("R");
        NextState = QStringLiteral("ETER");
    }
    if (statusIs("R") && LastReplyState == QLatin1String("LSEN"))
        queueMessage(uiText(UiLeakTestEnded), ui::Icon::Exclamation);
    if (statusIs("I")) {
        if (LeakMessageShown == 0) {
            // One warning at a time, however often the state is asked while it shows.
            LeakMessageShown = 1;
            queueMessage(uiText(UiLeakTestOld), ui::Icon::Exclamation, [this] { LeakMessageShown = 0; });
        }
        NextState = QStringLiteral("ETEI");
    }
    LastReplyState = NextState;
}

void ANGAS::mctcHcResidue(const QByteArray& frame) {
    const auto result =
        gas::ParseHcResidueReply(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength());
    // A result that cannot be read leaves the state as it was: the result is asked again.
    if (!result)
        return;
    GasState& gs = gas();
    gs.HcResidueResult = *result;
    if (gs.HcResidueResult == QLatin1String("E")) {
        NextState = QStringLiteral("ESHCE");
        Label5.setCaption(QStringLiteral("Test HC"));
        Label27.setCaption(uiText(UiTestRunning));
    } else if (gs.HcResidueResult == QLatin1String("I")) {
        NextState = QStringLiteral("ESHC");
        queueMessage(uiText(UiHcResidueFailed), ui::Icon::Exclamation);
        gs.AnalyserErrorCode = 0;
    } else if (gs.HcResidueResult == QLatin1String("R")) {
        NextState = QStringLiteral("ESHC");
        TestPhase = QStringLiteral("MINIMO");
        Label27.setBackColor(ui::colour::White);
        gs.AnalyserErrorCode = 0;
    }
    LastReplyState = NextState;
}
