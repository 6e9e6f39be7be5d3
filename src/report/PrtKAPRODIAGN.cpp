#include "report/PrtKAPRODIAGN.h"

#include "shared/Globals.h"

namespace {
// Positions in the language table.
constexpr int EmissionsFrameText = 108; // PrtKAPROCERTValEmis
constexpr int TitleText = 116;          // PrtKAPRODiagnMis
constexpr int EngineSpeedText = 117;    // PrtKAPRODiagnGirMot
constexpr int TimeText = 118;           // PrtKAPRODiagnOra
constexpr int OperatorText = 119;       // PrtKAPRODiagnOpe
} // namespace

PrtKAPRODIAGN::PrtKAPRODIAGN(Globals& g, ui::Dialogs& dialogs)
    : Printout(g, dialogs, QStringLiteral("Misura analisi gas")) {}

void PrtKAPRODIAGN::Form_Load() {
    applyCaptions();
    fill();
}

void PrtKAPRODIAGN::applyCaptions() {
    const LanguageState& lang = g_.lang;
    applySharedCaptions();
    Title.setCaption(uiText(lang, TitleText));
    applyGasHeaderCaptions(lang, Analyser, RevCounter, Vehicle);
    EngineSpeed.Caption.setCaption(uiText(lang, EngineSpeedText));
    Emissions.Frame.setCaption(uiText(lang, EmissionsFrameText));
    Time.Caption.setCaption(uiText(lang, TimeText));
    OperatorName.Caption.setCaption(uiText(lang, OperatorText));
}

void PrtKAPRODIAGN::fill() {
    const GasDiagnosisRecord& d = g_.report.GasDiagnosis;
    fillGasHeader(d.Header, Analyser, RevCounter, Vehicle);
    OilTemperature.Value.setCaption(d.OilTemperature);
    EngineSpeed.Value.setCaption(d.EngineSpeed);
    Emissions.CO.Value.setCaption(d.CO);
    Emissions.CO2.Value.setCaption(d.CO2);
    Emissions.COcorr.Value.setCaption(d.COcorr);
    Emissions.HC.Value.setCaption(d.HC);
    Emissions.O2.Value.setCaption(d.O2);
    Emissions.Lambda.Value.setCaption(d.Lambda);
    NOx.Value.setCaption(d.NOx);
    Date.Value.setCaption(d.Date);
    Time.Value.setCaption(d.Time);
    OperatorName.Value.setCaption(d.OperatorName);
    AgencyName.Value.setCaption(d.AgencyName);
}
