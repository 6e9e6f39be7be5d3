// Replies of an analyser speaking the maker's binary frames.
#include "gas/ANGAS.h"

#include "gas/GasDecoding.h"
#include "gas/GasFuels.h"
#include "gas/GasMakerCommands.h"
#include "link/MakerFrame.h"
#include "link/ReplyText.h"
#include "settings/NumberText.h"
#include "shared/Globals.h"

namespace {

using namespace gas::maker;

// The last data position each reply is read at; a shorter reply is dropped
// like any malformed frame and the request is repeated after the time-out.
int lastPositionRead(int command) {
    switch (command) {
    case Identification: return 24;
    case CalibrationDate: return 18;
    case Status: return 11;
    case Measurement: return 46;
    default: return 0;
    }
}

// Checksum and ETX follow the data.
constexpr int BytesAfterData = 2;

// Byte at a position counted from 1 (STX); the frame is known to be long enough.
int at(const QByteArray& frame, int position) {
    return static_cast<unsigned char>(frame[position - 1]);
}

constexpr int UiPhase = 9;
constexpr int UiResult = 11;
constexpr int UiStart = 20;
constexpr int UiWaitWarmUp = 28;
constexpr int UiWarmUp = 40;
constexpr int UiMeasuring = 45;
constexpr int UiZeroing = 62;
constexpr int UiWaiting = 63;
constexpr int UiNewMeasurement = 64;
constexpr int UiConnectionError = 65;
constexpr int UiTensionError = 66;
constexpr int UiIrreparableError = 67;

} // namespace

void ANGAS::receiveMakerFrame() {
    switch (CheckMakerReply(received_.bytes(), g_.link.GasBinaryAddress, own_.makerCommand)) {
    case MakerReply::Incomplete: return;
    case MakerReply::Invalid: received_.clear(); return;
    case MakerReply::Complete: break;
    }
    // Emptied before acting on it, so nothing that happens meanwhile can glue to it.
    const QByteArray frame = received_.bytes();
    received_.clear();
    if (handleMakerReply(frame))
        Cycle.replyHandled();
}

bool ANGAS::handleMakerReply(const QByteArray& frame) {
    const int command = at(frame, 4);
    if (frame.size() < lastPositionRead(command) + BytesAfterData)
        return false;
    switch (command) {
    case Identification:
        makerIdentification(frame);
        setStates(QStringLiteral("LDF"));
        break;
    case CalibrationDate:
        makerCalibrationDate(frame);
        setStates(QStringLiteral("LDCAL"));
        break;
    case AcquisitionList:
        ListSentInWarmUp = LastReplyState == QLatin1String("RSTRIS") ? 1 : 0;
        setStates(QStringLiteral("SCA"));
        break;
    case Status: makerStatus(frame); break;
    case StartMeasurement: setStates(QStringLiteral("CAL")); break;
    case Measurement:
        makerMeasurement(frame);
        setStates(QStringLiteral("ACQ"));
        afterMeasurement();
        break;
    case StopMeasurement: setStates(QStringLiteral("ACQ")); break;
    case FuelCode:
    default: break;
    }
    return true;
}

void ANGAS::makerIdentification(const QByteArray& frame) {
    GasState& gs = gas();
    gs.AnalyserSerial = InstrumentText(frame.mid(7, 8));
    gs.InstrumentParameter = QString::number(256 * at(frame, 17) + at(frame, 18));
    Label7.setCaption(gs.InstrumentParameter);
    gs.FirmwareVersion = InstrumentText(frame.mid(21, 1)) + u'.' + InstrumentText(frame.mid(22, 2));
    Label25.setCaption(gs.FirmwareVersion);
}

void ANGAS::makerCalibrationDate(const QByteArray& frame) {
    QString date;
    for (int position = 13; position <= 18; ++position) {
        if (position == 15 || position == 17)
            date += u'/';
        date += QString::number(at(frame, position));
    }
    gas().CalibrationDate = date;
    Label4.setCaption(date);
    Verification.instrumentReported(date, DateMeaning::Calibration);
}

void ANGAS::makerStatus(const QByteArray& frame) {
    GasState& gs = gas();
    gs.AnalyserStatus = at(frame, 7);
    gs.FuelCode = at(frame, 8) & 0x47;
    gs.ErTen = at(frame, 11);
    if (const auto selection = gas::FuelSelectionOfCode(gs.FuelCode)) {
        TCarb = selection->fuel;
        TMot = selection->engine;
        Combo1.setListIndex(TCarb);
        Combo3.setListIndex(TMot);
        if (g_.settings.GasModel != 2)
            FuelConstantK = gas::FuelConstant(TCarb);
    } else {
        setStates(QStringLiteral("ACQ"));
    }
    showMakerStatus(gs.AnalyserStatus);
}

// Zeroing, waiting and measuring change texts only: an error line keeps its
// red until the requests of the waiting, measuring and start states whiten it.
void ANGAS::showMakerStatus(int status) {
    const auto setLists = [this](bool enabled) {
        Combo1.setEnabled(enabled);
        Combo3.setEnabled(enabled);
    };
    switch (status) {
    case 1:
        setStates(QStringLiteral("ACQ"));
        setInstruction(uiText(UiConnectionError), ui::colour::Red);
        break;
    case 2: // warm-up
        setStates(QStringLiteral("RSTRIS"));
        Combo1.setEnabled(false);
        Combo3.setEnabled(true);
        whiteStatusLines();
        Label5.setCaption(uiText(UiWarmUp));
        Label27.setCaption(uiText(UiWaitWarmUp));
        Label28.setCaption(uiText(UiResult));
        Command1.setCaption(uiText(UiStart));
        showValuesUnknown();
        break;
    case 32:
        setStates(QStringLiteral("RSTERT"));
        NewMeasurementRequired = 1;
        setInstruction(uiText(UiTensionError), ui::colour::Red);
        showValuesUnknown();
        break;
    case 34:
        setStates(QStringLiteral("RSTERI"));
        setLists(false);
        Label5.setCaption(QStringLiteral("Error"));
        Label5.setBackColor(ui::colour::Red);
        setInstruction(uiText(UiIrreparableError), ui::colour::Red);
        break;
    case 65: // zeroing
        setStates(QStringLiteral("RSTCAL"));
        setLists(true);
        Label5.setCaption(uiText(UiZeroing));
        Label27.setCaption(uiText(UiPhase));
        Label28.setCaption(uiText(UiResult));
        showValuesUnknown();
        Command1.setCaption(QStringLiteral("S&top"));
        MeasuringFlag = 1;
        advanceProgress();
        break;
    case 128: // waiting
        setStates(QStringLiteral("RSTATT"));
        setLists(true);
        Command1.setCaption(uiText(UiStart));
        PBar1.setVisible(false);
        MeasuringFlag = 0;
        Label28.setCaption(uiText(UiResult));
        Label5.setCaption(uiText(UiWaiting));
        Label27.setCaption(uiText(UiPhase));
        break;
    case 129: // measuring
        setStates(QStringLiteral("RSTMIS"));
        setLists(false);
        Command1.setCaption(QStringLiteral("S&top"));
        MeasuringFlag = 1;
        Label5.setCaption(uiText(UiMeasuring));
        if (NewMeasurementRequired == 1)
            Label27.setCaption(uiText(UiNewMeasurement));
        break;
    default: setStates(QStringLiteral("ACQ")); break;
    }
}

void ANGAS::makerMeasurement(const QByteArray& frame) {
    GasState& gs = gas();
    const SettingsState& s = g_.settings;

    const gas::Reading o2 = gas::DecodeConcentration(at(frame, 45), at(frame, 46), 2);
    gs.GasO2 = o2.value;
    Label12.setCaption(o2.text);
    const gas::Reading co = gas::DecodeConcentration(at(frame, 30), at(frame, 31), 2);
    gs.GasCO = co.value;
    Label8.setCaption(co.text);
    const gas::Reading co2 = gas::DecodeConcentration(at(frame, 35), at(frame, 36), 1);
    gs.GasCO2 = co2.value;
    Label10.setCaption(co2.text);

    if (s.ExternalOilTemp == 1) {
        gs.GasOilTemperature = static_cast<float>(g_.rpm.OilTemperature);
        Label13.setCaption(settings::formatDouble(g_.rpm.OilTemperature));
    } else {
        const gas::Reading oil = gas::DecodeOilTemperature(at(frame, 9), at(frame, 10), at(frame, 11));
        gs.GasOilTemperature = static_cast<float>(oil.value);
        Label13.setCaption(oil.text);
    }

    const int hcHigh = at(frame, 40);
    if (const auto hc = gas::DecodeNormalHc(hcHigh, at(frame, 41))) {
        gs.GasHC = *hc;
        Label11.setCaption(settings::formatDouble(*hc));
    } else if (hcHigh == 0xFF && s.GasModel != 2 && gas::ExtendedHcRangeInUse(s.SystemOptions, gs.FirmwareVersion)) {
        const gas::ExtendedHc extended =
            gas::ComputeExtendedHc(at(frame, 14), at(frame, 15), at(frame, 16), s.HcRangeQuadCoeff, s.HcRangeLinCoeff);
        gs.GasHC = static_cast<double>(extended.hc);
        Label11.setCaption(extended.outOfRange() ? gas::outText() : settings::formatDouble(gs.GasHC));
    } else {
        gs.GasHC = gas::NoValue;
        Label11.setCaption(gas::outText());
    }

    if (s.ExternalRpm == 1) {
        gs.GasEngineSpeed = g_.rpm.RpmValue;
        Label15.setCaption(settings::formatDouble(g_.rpm.RpmValue));
    } else {
        const gas::Reading speed = gas::DecodeEngineSpeed(at(frame, 25), at(frame, 26));
        gs.GasEngineSpeed = speed.value;
        Label15.setCaption(speed.text);
    }

    const gas::Reading lambda = gas::DecodeLambda(at(frame, 20), at(frame, 21));
    gs.GasLambda = lambda.value;
    Label26.setCaption(lambda.text);

    // The model 2 analyser has no corrected CO: none is shown, and the tests
    // get none rather than a figure left from another analyser.
    if (s.GasModel == 2) {
        gs.GasCOcorr = gas::NoValue;
    } else {
        gs.GasCOcorr = gas::CorrectedCO(gs.GasCO, gs.GasCO2, FuelConstantK);
        const bool out = gs.GasCOcorr == gas::NoValue || gas::CorrectedCOOutOfRange(gs.GasCOcorr);
        Label9.setCaption(out ? gas::outText() : settings::formatDouble(gs.GasCOcorr));
    }
}
