// The operator's controls of the gas window.
#include "gas/ANGAS.h"

#include "gas/GasCompanionWindows.h"
#include "gas/GasFuels.h"
#include "link/SerialPort.h"
#include "report/ConcludedTests.h"
#include "report/ReportLog.h"
#include "shared/Globals.h"
#include "ui/Clock.h"

namespace {

constexpr int FuelCodeCommand = 0x26;
constexpr int StopCommand = 0x24;

constexpr int UiPhase = 9;
constexpr int UiResult = 11;
constexpr int UiStart = 20;
constexpr int UiLeakTestQuestion = 157;

constexpr int NetworkVoltageCode = 12;

} // namespace

// Fuel and engine type. The window's own choice always follows the list; the
// analyser hears of it only while it can take it (warm-up, zeroing, waiting,
// stand-by), never in the middle of a measurement.
void ANGAS::Combo1_Click() {
    selectFuel(Combo1.listIndex());
}

void ANGAS::Combo3_Click() {
    selectEngine(Combo3.listIndex());
}

bool ANGAS::makerAcceptsFuelCode() const {
    const int status = gas().AnalyserStatus;
    return status == 2 || status == 65 || status == 128;
}

bool ANGAS::mctcAcceptsSettings() const {
    const int status = gas().AnalyserStatus;
    return status == 1 || status == 2 || status == 4;
}

void ANGAS::sendMakerFuelCode() {
    sendMaker(FuelCodeCommand, QByteArray(1, static_cast<char>(gas::FuelStrokesCode(TCarb, TMot))));
    // The fuel code is now the request awaiting its reply; the poll resumes after it.
    Cycle.ReplyReady = 0;
    Cycle.TicksSinceSend = 0;
}

void ANGAS::selectFuel(int fuel) {
    if (fuel < 0 || fuel >= gas::FuelCount)
        return;
    TCarb = fuel;
    FuelConstantK = gas::FuelConstant(fuel);
    if (linkMode_ == MakerFrames) {
        if (makerAcceptsFuelCode())
            sendMakerFuelCode();
    } else if (linkMode_ == MctcNet) {
        GasState& gs = gas();
        gs.FuelName = gas::McTcFuelName(fuel);
        gs.CatalystText = gas::McTcCatalystText(fuel);
        gs.HydrogenCarbonRatio = gas::McTcHydrogenCarbonRatio(fuel);
        gs.OxygenCarbonRatio = QStringLiteral("0.000");
        if (mctcAcceptsSettings())
            PendingRequest = QStringLiteral("@SA");
    }
}

void ANGAS::selectEngine(int engine) {
    if (engine < 0 || engine >= gas::EngineCount)
        return;
    TMot = engine;
    if (linkMode_ == MakerFrames) {
        if (makerAcceptsFuelCode())
            sendMakerFuelCode();
    } else if (linkMode_ == MctcNet) {
        GasState& gs = gas();
        gs.EngineStrokes = gas::McTcEngineStrokes(engine);
        gs.SettingsField3 = QStringLiteral("04");
        if (mctcAcceptsSettings())
            PendingRequest = QStringLiteral("@SA");
    }
}

void ANGAS::Combo4_Click() {
    TProve = Combo4.listIndex();
    // Only a diagnosis prints at any time; a certificate waits for its verdict.
    Command2.setEnabled(TProve == 1);
}

bool ANGAS::verificationAllowsStart() {
    const VerificationWatch::Start start = Verification.testStart(g_);
    startedOnExpiredInstrument_ = false;
    if (TProve != 0)
        return true;
    if (start == VerificationWatch::Start::Refused) {
        dialogs_.message(Verification.refusalText(g_), Me.caption(), ui::Icon::Exclamation);
        return false;
    }
    // The record is filled anew when the idle phase begins; it keeps the note.
    startedOnExpiredInstrument_ = start == VerificationWatch::Start::AllowedByOverride;
    g_.report.GasCertificate.ExpiredInstrumentOverride = startedOnExpiredInstrument_;
    return true;
}

void ANGAS::Command1_Click() {
    // Stopping is never refused.
    const bool starting = linkMode_ == MctcNet || MeasuringFlag == 0;
    if (starting && !verificationAllowsStart())
        return;
    keepInterruptedCertification();
    MeasurementStart = ui::Clock::now();
    NewMeasurementRequired = 0;
    ProgressStart = TickCount;
    Label9.setBackColor(ui::colour::White);
    Label26.setBackColor(ui::colour::White);
    if (linkMode_ == MctcNet) {
        PBar1.setVisible(false);
        PendingRequest = QStringLiteral("STARTMIS");
        return;
    }
    if (linkMode_ != MakerFrames)
        return;
    if (MeasuringFlag == 0) {
        NextState = QStringLiteral("STARTMIS");
        PendingRequest = QStringLiteral("STARTMIS");
        if (TProve == 0)
            Command2.setEnabled(false);
        Command1.setCaption(QStringLiteral("S&top"));
        MeasuringFlag = 1;
        return;
    }
    PBar1.setVisible(false);
    sendMaker(StopCommand);
    // The stop is now the request awaiting its reply.
    Cycle.ReplyReady = 0;
    Cycle.TicksSinceSend = 0;
    MeasuringFlag = 0;
    setInstruction(uiText(UiPhase), ui::colour::White);
    Label28.setCaption(uiText(UiResult));
    Label28.setBackColor(ui::colour::White);
    Command1.setCaption(uiText(UiStart));
}

void ANGAS::Command2_Click() {
    // One moment for the end of the certificate and the time of the diagnosis.
    const QDateTime now = ui::Clock::now();
    GasCertificateRecord& certificate = g_.report.GasCertificate;
    certificate.EndTime = ui::formatTime(now.time());
    if (Combo4.listIndex() == 0) {
        // The sheet is shown even when the result file cannot be written; the operator is told.
        if (!WriteGasReport(g_))
            TellReportNotWritten(g_, dialogs_);
        if (companions_)
            companions_->showGasCertificate();
        return;
    }
    fillDiagnosis();
    GasDiagnosisRecord& diagnosis = g_.report.GasDiagnosis;
    diagnosis.Date = ui::formatDate(now.date());
    diagnosis.Time = certificate.EndTime;
    // A diagnosis has no verdict: it is kept as it is printed.
    KeepConcludedTest(g_, ConcludedGasDiagnosis(g_));
    if (companions_)
        companions_->showGasDiagnosis();
}

void ANGAS::Command3_Click() {
    if (!companions_)
        return;
    if (VehicleWindowOpen == 1 && companions_->vehicleDataShown()) {
        companions_->closeVehicleData();
        VehicleWindowOpen = 0;
    } else {
        companions_->showVehicleData();
        VehicleWindowOpen = 1;
    }
}

void ANGAS::Command4_Click() {
    // Taken by the scheduler once the request outstanding, if any, is answered or given up.
    PendingRequest = QStringLiteral("STANDBY");
}

void ANGAS::Command5_Click() {
    // The limits window shows the limits in force and stores them only when applied.
    if (companions_)
        companions_->showGasLimits();
}

void ANGAS::Command6_Click() {
    const ui::Answer answer = dialogs_.message(uiText(UiLeakTestQuestion), QStringLiteral("Quaveron"),
                                               ui::Icon::Question, ui::Buttons::OkCancel);
    if (answer != ui::Answer::Ok)
        return;
    PendingRequest = QStringLiteral("TT");
    if (gas().AnalyserErrorCode != NetworkVoltageCode) {
        Command4.setEnabled(false);
        Command1.setEnabled(false);
        showPressure(true);
    }
}

void ANGAS::Command7_Click() {
    LogOn = !LogOn;
    Command7.setCaption(LogOn ? QStringLiteral("LOG ON") : QStringLiteral("LOG OFF"));
}
