// Replies of an MCTC-NET opacimeter.

#include "smoke/ANFUMO.h"

#include "link/GenMCTCNET.h"
#include "link/MctcMeasuringReplies.h"
#include "shared/Globals.h"
#include "smoke/OpacimeterErrors.h"
#include "smoke/SmokeDisplay.h"
#include "smoke/SmokeNumbers.h"
#include "smoke/SmokeTexts.h"

namespace {

// "@RS" codes the window explains to the operator.
constexpr int SlideError = 20;
constexpr int TooHotError = 24;
constexpr int EmitterError = 25;
constexpr int OpticsError = 26;

constexpr int SlideParameter = 20;
constexpr int OperatingParameter = 21;

// Cell heater dead while the exhaust is warm: the cell sensor has failed.
constexpr double ColdCell = 1.0;
constexpr double WarmExhaust = 20.0;

} // namespace

void ANFUMO::handleMctcReply(const QByteArray& frame) {
    const QByteArray& command = own_.mctcRequest.command;
    const int c = own_.mctcRequest.commandLength();
    const int n = own_.mctcRequest.numberLength();
    if (command == "ID") {
        if (ParseIdentityReply(g_.link, frame, c, n))
            own_.versionThousandths = g_.link.VersionThousandths;
        Verification.instrumentReported(g_.link.InstrumentIdentity.ExpiryDate, DateMeaning::Expiry);
        InstrumentState = QStringLiteral("IDE");
    } else if (command == "@LU") {
        handleParameterReply(frame);
        InstrumentState = QStringLiteral("LPAR");
    } else if (command == "@RD") {
        handleDiagnosticReply(frame);
        InstrumentState = QStringLiteral("RAD");
    } else if (command == "ST" || command == "@ST") {
        const auto status = MctcStatusByte(frame, c, n);
        if (!status)
            raisePortHint();
        handleMctcStatus(status.value_or(0));
    } else if (command == "@RS") {
        if (const auto code = MctcErrorCode(frame, c, n))
            AnalyserErrorCode = *code;
        InstrumentState = LastStatus == QLatin1String("RSTAZE") ? QStringLiteral("ACQXAZE") : QStringLiteral("RSEC");
    } else if (command == "@VA") {
        const auto readings = ParseSmokeValueReply(frame, c, n);
        ParamReadCounter += 2;
        DiagReadCounter += 1;
        checkErrorField(frame, ValueReplyErrorField);
        InstrumentState = QStringLiteral("ACQ");
        if (!readings) {
            raisePortHint();
            return;
        }
        takeReadings(*readings);
        afterValueReply();
    } else if (command == "AZ") {
        checkErrorField(frame, CommandReplyErrorField);
        InstrumentState = QStringLiteral("AZE");
    } else if (command == "SB") {
        checkErrorField(frame, CommandReplyErrorField);
        InstrumentState = QStringLiteral("SBY");
    } else {
        InstrumentState = QStringLiteral("RSTMIS");
    }
}

void ANFUMO::handleParameterReply(const QByteArray& frame) {
    ParamReadCounter = 0;
    const auto reply =
        ParseSmokeParameterReply(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength());
    if (!reply)
        return;
    if (reply->parameter == SlideParameter)
        g_.smoke.SlideStatus = reply->value;
    else if (reply->parameter == OperatingParameter)
        g_.smoke.OperatingStatus = reply->value;
    showBlockingState();
}

void ANFUMO::showBlockingState() {
    const auto display = BlockingStateDisplay(g_.smoke.OperatingStatus, g_.smoke.SlideStatus);
    if (!display)
        return;
    Label29.setCaption(g_.lang.UiText[display->textIndex]);
    Label29.setBackColor(display->colour);
}

void ANFUMO::handleDiagnosticReply(const QByteArray& frame) {
    DiagReadCounter = 0;
    const auto voltage =
        ParseSupplyVoltageReply(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength());
    if (!voltage) {
        raisePortHint();
        return;
    }
    g_.smoke.SupplyVoltage = *voltage;
    if (*voltage >= LowSupplyVoltage) {
        Label30.setCaption(NumberCaption(*voltage));
        Label30.setBackColor(ui::colour::White);
        VoltageBlink = 0;
        return;
    }
    Label30.setCaption(g_.lang.UiText[smoke_text::Valim]);
    VoltageBlink = VoltageBlink == 0 ? 1 : 0;
    Label30.setBackColor(VoltageBlink ? ui::colour::Red : ui::colour::Cyan);
}

void ANFUMO::checkErrorField(const QByteArray& frame, int fieldNumber) {
    SmokeState& s = g_.smoke;
    if (!s.ErrorCheckArmed)
        return;
    const auto code =
        SmokeErrorField(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength(), fieldNumber);
    if (!code)
        return;
    const OpacimeterErrorOutcome outcome =
        EvaluateOpacimeterError(*code, g_.settings.LanguageCode, g_.lang.UiText[smoke_text::CriticTcam]);
    if (!outcome.known)
        return;
    s.ErrorCheckArmed = 0;
    if (outcome.title)
        raiseCritic(*outcome.title, outcome.text);
}

void ANFUMO::raisePortHint() {
    SmokeState& s = g_.smoke;
    if (!s.ErrorCheckArmed)
        return;
    if (const auto hint = SmokePortHint(g_.settings.LanguageCode))
        g_.app.ExclamPrintText = *hint;
    s.ErrorCheckArmed = 0;
    raiseExclamStampa(SchedulerWhileOpen::Running);
}

void ANFUMO::handleMctcStatus(int status) {
    using namespace smoke_text;
    const auto& text = g_.lang.UiText;
    const SmokeState& s = g_.smoke;
    const QString previous = LastStatus;
    LastStatusByte = status;
    const bool slideError = AnalyserErrorCode == SlideError;
    switch (status) {
    case 1:
        LastStatus = QStringLiteral("RSTRI");
        showWarmUp(Riscal, false);
        break;
    case 2:
        LastStatus = QStringLiteral("RSTSB");
        setStatus(QStringLiteral("StandBy"), ui::colour::White);
        Command2.setEnabled(false);
        if (s.CellTemperature <= ColdCell && s.SmokeTemperature >= WarmExhaust)
            raiseCritic(QStringLiteral("ERROR 10"), text[CriticTcam]);
        switch (AnalyserErrorCode) {
        case SlideError: setPrompt(ESlitta, ui::colour::Red); break;
        case TooHotError: setPrompt(TAlta, ui::colour::Red); break;
        case EmitterError: setPrompt(EnnO, ui::colour::Red); break;
        case OpticsError: setPrompt(PPOtt, ui::colour::Red); break;
        default: setPrompt(Fase, ui::colour::White); break;
        }
        break;
    case 4:
        LastStatus = QStringLiteral("RSTAZE");
        ++ZeroPollCount;
        setStatus(text[Autzer], ui::colour::White);
        restartPhaseAfterZeroing();
        if (slideError)
            setPrompt(ESlitta, ui::colour::Red);
        else
            setPrompt(Autzer, ui::colour::White);
        break;
    case 8:
    case 16:
        LastStatus = QStringLiteral("RSTMIS");
        setStatus(text[Misura], ui::colour::White);
        Command2.setEnabled(true);
        if (previous == QLatin1String("RSTAZE")) {
            if (MeasureSelection == Manual || MeasureSelection == DirectAcquisition)
                Command1.setEnabled(true);
            g_.app.ExclamPrintText = text[ExclStamp5];
            if (s.SlideStatus == QLatin1String("00000"))
                raiseExclamStampa(SchedulerWhileOpen::Stopped);
        }
        if (slideError)
            setPrompt(ESlitta, ui::colour::Red);
        else if (MeasureSelection == Continuous)
            Label39.setBackColor(ui::colour::White);
        break;
    default: LastStatus = QStringLiteral("RSTMIS"); break;
    }
    InstrumentState = LastStatus;
    // Values are read now and then during a long zeroing.
    if (status == 4 && ZeroPollCount >= 4) {
        ZeroPollCount = 0;
        InstrumentState = QStringLiteral("RSECXAZE");
    }
}
