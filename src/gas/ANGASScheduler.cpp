// The 25 ms scheduler: one request per answered reply, chosen by NextState.
#include "gas/ANGAS.h"

#include "gas/GasDecoding.h"
#include "gas/GasMakerCommands.h"
#include "link/FrameBytes.h"
#include "link/GenMCTCNET.h"
#include "link/MakerFrame.h"
#include "settings/Win1252.h"
#include "shared/Globals.h"
#include "ui/Clock.h"

namespace {

using namespace gas::maker;

// MCTC-NET commands changed with version 1.5 of the protocol.
constexpr int NewCommandsVersion = 1500;

} // namespace

void ANGAS::Timer1_Timer() {
    ++TickCount;
    if (PendingRequest == QLatin1String("STARTMIS"))
        NextState = QStringLiteral("STARTMIS");
    switch (Cycle.tick()) {
    case ReplyCycle::Step::Send:
        if (linkMode_ == MakerFrames)
            runMakerRules();
        else if (linkMode_ == MctcNet)
            runMctcRules();
        break;
    case ReplyCycle::Step::TimedOut:
        Label5.setCaption(QStringLiteral("ERRORE COM"));
        if (Cycle.Line.missed(MSComm2))
            abandonInterruptedTest();
        break;
    case ReplyCycle::Step::Wait: break;
    }
}

bool ANGAS::stateIn(std::initializer_list<const char*> states) const {
    for (const char* state : states)
        if (NextState == QLatin1String(state))
            return true;
    return false;
}

void ANGAS::setStates(const QString& state) {
    NextState = state;
    LastReplyState = state;
}

void ANGAS::sendMaker(int command, const QByteArray& data) {
    own_.makerCommand = command;
    g_.link.LastMakerCommand = static_cast<std::int16_t>(command);
    SendMakerFrame(g_, g_.link.GasBinaryAddress, command, data);
}

void ANGAS::sendMctc(const QByteArray& command, const QByteArray& data) {
    own_.mctcRequest = {"GAS", "1", command};
    SendMctcToMeasuring(g_, own_.mctcRequest, data);
}

// Rules run top to bottom; one that changes NextState lets a later one act in
// the same tick.
void ANGAS::runMakerRules() {
    if (stateIn({"INIZIO"}))
        sendMaker(Identification);
    if (stateIn({"LDF"}))
        sendMaker(CalibrationDate);
    const bool warmingUp = stateIn({"RSTRIS"});
    if (stateIn({"LDCAL"}) || (warmingUp && ListSentInWarmUp == 0)) {
        const bool extended = gas::ExtendedHcRangeInUse(g_.settings.SystemOptions, gas().FirmwareVersion);
        sendMaker(AcquisitionList, gas::AcquisitionList(g_.settings.GasModel, extended));
    }
    if (stateIn({"CAL", "SCA", "RSTERT", "RSTCAL", "ACQ"}) || (warmingUp && ListSentInWarmUp == 1))
        sendMaker(Status);
    if (stateIn({"RSTMIS", "RSTATT"})) {
        Label27.setBackColor(ui::colour::White);
        sendMaker(Measurement);
    }
    if (stateIn({"STARTMIS"})) {
        Label27.setBackColor(ui::colour::White);
        sendMaker(StartMeasurement);
        PendingRequest.clear();
        MeasuringFlag = 1;
        TestPhase = QStringLiteral("MINIMO");
    }
}

QByteArray ANGAS::settingsRecordData() const {
    const GasState& gs = gas();
    const QString etb{QChar(FrameByte::Etb)};
    return settings::toWin1252(QStringList({gs.FuelName, gs.CatalystText, gs.SettingsField3, gs.EngineStrokes,
                                            gs.HydrogenCarbonRatio, gs.OxygenCarbonRatio})
                                   .join(etb));
}

void ANGAS::runMctcRules() {
    if (PendingRequest == QLatin1String("STANDBY") || PendingRequest == QLatin1String("@SA") ||
        PendingRequest == QLatin1String("TT"))
        NextState = PendingRequest;
    const bool newCommands = own_.versionThousandths >= NewCommandsVersion;

    if (stateIn({"INIZIO"}))
        sendMctc("ID");
    if (stateIn({"IDE"})) {
        const QDateTime now = ui::Clock::now();
        const QByteArray data = now.toString(QStringLiteral("ddMMyyyy")).toLatin1() + FrameByte::Etb +
                                now.toString(QStringLiteral("HHmmss")).toLatin1();
        sendMctc("@SD", data);
    }
    if (stateIn({"SDA"})) {
        if (newCommands)
            setStates(QStringLiteral("LAL"));
        else
            sendMctc("@LA");
    }
    if (stateIn({"LAL"})) {
        if (newCommands)
            sendMctc("@LU", "047");
        else
            sendMctc("@LI");
    }
    if (stateIn({"LI", "RSTAZE", "ETEI", "ACQ", "SBY", "AZE", "SAL", "ESHC", "ETER", "ACQXAZE"}))
        sendMctc(newCommands ? "@ST" : "ST");
    if (stateIn({"RSTSB", "RSTMIS", "RSTRIS", "RSECXAZE"}))
        sendMctc("@RS");
    if (stateIn({"RSEC"}))
        sendMctc("@VA");
    if (stateIn({"ETEE"}))
        sendMctc("@LS");

    struct Queued {
        const char* state;
        QByteArray command;
    };
    // Operator actions and the steps of a measurement start: the request also
    // ends what was pending.
    const Queued queued[] = {
        {"STANDBY", "SB"}, {"TT", "TT"}, {"AUTOZERO", "AZ"}, {"TESTHC", "HC"}, {"ESHCE", "EH"}, {"HCRES", "EH"},
    };
    if (stateIn({"@SA"})) {
        PendingRequest.clear();
        sendMctc("@SA", settingsRecordData());
    }
    if (stateIn({"LSEN", "STARTMIS", "TTE"})) {
        Label27.setBackColor(ui::colour::White);
        PendingRequest.clear();
        sendMctc("ET");
    }
    for (const Queued& q : queued) {
        if (stateIn({q.state})) {
            PendingRequest.clear();
            sendMctc(q.command);
        }
    }
}
