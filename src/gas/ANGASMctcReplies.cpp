// Replies of an analyser speaking MCTC-NET: acceptance, dispatch and the
// replies that carry data.
#include "gas/ANGAS.h"

#include "gas/GasFuels.h"
#include "gas/GasParsers.h"
#include "link/GenMCTCNET.h"
#include "settings/NumberText.h"
#include "shared/Globals.h"

namespace {

// The parameter the window reads with "@LU".
constexpr double InstrumentParameterNumber = 47.0;

constexpr int EnglishLanguage = 2;

QString portHint(int languageCode) {
    if (languageCode == EnglishLanguage)
        return QStringLiteral("CHOOSE THE CORRECT COMUNICATION PORT INTO GAS-ANALYSER SET-UP") +
               QStringLiteral(" WINDOW, AFTER CHOOSE THE INSTRUMENT INTO GAS ANALYSIS WINDOW ");
    return QStringLiteral("SCEGLIERE LA PORTA DI COMUNICAZIONE NELLA FINESTRA SET-UP") +
           QStringLiteral(" ANALIZZATORE GAS, DOPODICHE' SCEGLIERE LO STRUMENTO NELLA FINESTRA ANALISI GAS");
}

} // namespace

void ANGAS::receiveMctcFrame() {
    if (!received_.endsWithEtx())
        return;
    // Emptied before acting on it, so nothing that happens meanwhile can glue to it.
    const QByteArray frame = received_.bytes();
    received_.clear();
    // A frame for another device or another command is dropped; the time-out repeats the request.
    if (!own_.mctcRequest.isAnsweredBy(frame))
        return;
    handleMctcReply(frame);
    Cycle.replyHandled();
}

void ANGAS::handleMctcReply(const QByteArray& frame) {
    const QByteArray& command = own_.mctcRequest.command;
    if (command == "ID") {
        mctcIdentification(frame);
        setStates(QStringLiteral("IDE"));
    } else if (command == "@SD") {
        setStates(QStringLiteral("SDA"));
    } else if (command == "@LA") {
        mctcSettings(frame);
        setStates(QStringLiteral("LAL"));
    } else if (command == "@SA") {
        setStates(QStringLiteral("SAL"));
    } else if (command == "@LI") {
        mctcParameter(frame, false);
    } else if (command == "@LU") {
        mctcParameter(frame, true);
    } else if (command == "ST" || command == "@ST") {
        mctcStatus(frame);
    } else if (command == "@RS") {
        mctcErrorRegister(frame);
    } else if (command == "@VA") {
        mctcMeasurement(frame);
        setStates(QStringLiteral("ACQ"));
        afterMeasurement();
    } else if (command == "ET") {
        mctcLeakStatus(frame);
    } else if (command == "TT") {
        setStates(QStringLiteral("TTE"));
    } else if (command == "@LS") {
        mctcPressure(frame);
        setStates(QStringLiteral("LSEN"));
    } else if (command == "AZ") {
        setStates(QStringLiteral("AZE"));
    } else if (command == "HC") {
        PBar1.setVisible(false);
        setStates(QStringLiteral("HCRES"));
    } else if (command == "EH") {
        mctcHcResidue(frame);
    } else if (command == "SB") {
        setStates(QStringLiteral("SBY"));
    } else {
        NextState = QStringLiteral("RSTMIS");
    }
}

void ANGAS::mctcIdentification(const QByteArray& frame) {
    LinkState& link = g_.link;
    if (ParseIdentityReply(link, frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength()))
        own_.versionThousandths = link.VersionThousandths;
    GasState& gs = gas();
    gs.AnalyserSerial = link.InstrumentIdentity.SerialNumber;
    gs.SettingsSerial = link.InstrumentIdentity.SerialNumber;
    gs.CalibrationDate = link.InstrumentIdentity.ExpiryDate;
    Label4.setCaption(gs.CalibrationDate);
    Verification.instrumentReported(gs.CalibrationDate, DateMeaning::Expiry);
}

void ANGAS::mctcSettings(const QByteArray& frame) {
    const auto record =
        gas::ParseSettingsReply(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength());
    if (!record)
        return;
    GasState& gs = gas();
    gs.FuelName = record->fuelName;
    gs.CatalystText = record->catalystText;
    gs.SettingsField3 = record->field3;
    gs.EngineStrokes = record->strokes;
    gs.HydrogenCarbonRatio = record->hydrogenCarbonRatio;
    gs.OxygenCarbonRatio = record->oxygenCarbonRatio;
    // The lists follow what the analyser is set to; its own record is kept as read.
    if (const auto fuel = gas::FuelIndexOfRecord(gs.FuelName, gs.CatalystText)) {
        TCarb = *fuel;
        FuelConstantK = gas::FuelConstant(TCarb);
        Combo1.setListIndex(TCarb);
    }
    if (const auto engine = gas::EngineIndexOfStrokes(gs.EngineStrokes)) {
        TMot = *engine;
        Combo3.setListIndex(TMot);
    }
}

void ANGAS::mctcParameter(const QByteArray& frame, bool numbered) {
    const auto reply =
        gas::ParseParameterReply(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength());
    // "@LU" answered about another parameter changes nothing and is asked again.
    if (numbered && (!reply || reply->parameterNumber != InstrumentParameterNumber))
        return;
    if (reply) {
        gas().InstrumentParameter = reply->value;
        Label7.setCaption(reply->value);
    }
    setStates(QStringLiteral("LI"));
}

void ANGAS::mctcErrorRegister(const QByteArray& frame) {
    if (const auto reply =
            gas::ParseErrorReply(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength())) {
        gas().AnalyserErrorCode = reply->errorCode;
        gas().FaultyChannelMask = reply->faultyChannelMask;
    }
    setStates(LastReplyState == QLatin1String("RSTAZE") ? QStringLiteral("ACQXAZE") : QStringLiteral("RSEC"));
}

void ANGAS::mctcMeasurement(const QByteArray& frame) {
    using Reply = gas::MeasurementReply;
    const Reply reply =
        gas::ParseMeasurementReply(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength());
    GasState& gs = gas();
    double* const targets[Reply::FieldCount] = {&gs.GasCO,     &gs.GasCOcorr, &gs.GasCO2,         &gs.GasHC, &gs.GasO2,
                                                &gs.GasLambda, nullptr,       &gs.GasEngineSpeed, &gs.GasNOx};
    unreadMeasurementFields_ = 0;
    for (int i = 0; i < Reply::FieldCount; ++i) {
        // A field the reply lacks keeps its value on screen, but that value is not this reply's reading.
        if (i >= reply.count || !reply.readable[i])
            unreadMeasurementFields_ |= 1u << i;
        if (i >= reply.count)
            continue;
        if (i == Reply::OilTemperature)
            gs.GasOilTemperature = static_cast<float>(reply.values[i]);
        else
            *targets[i] = reply.values[i];
    }
    if (g_.settings.ExternalOilTemp == 1)
        gs.GasOilTemperature = static_cast<float>(g_.rpm.OilTemperature);
    if (g_.settings.ExternalRpm == 1) {
        gs.GasEngineSpeed = g_.rpm.RpmValue;
        unreadMeasurementFields_ &= ~(1u << Reply::EngineSpeed);
    }
    showMctcValues();

    std::int16_t& armed = g_.smoke.ErrorCheckArmed;
    if (!reply.complete() && armed != 0) {
        armed = 0;
        queueMessage(portHint(g_.settings.LanguageCode), ui::Icon::Exclamation);
    }
}

void ANGAS::mctcPressure(const QByteArray& frame) {
    if (const auto pressure =
            gas::ParsePressureReply(frame, own_.mctcRequest.commandLength(), own_.mctcRequest.numberLength())) {
        gas().LeakPressure = *pressure;
        Label38.setCaption(QString::number(*pressure));
    }
}
