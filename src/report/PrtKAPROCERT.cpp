#include "report/PrtKAPROCERT.h"

#include "shared/Globals.h"

namespace {
// Positions in the language table.
constexpr int TitleText = 92;             // PrtKAPROCERTReferto
constexpr int IdleSpeedText = 103;        // PrtKAPROCERTGirMin
constexpr int COcorrLimitText = 104;      // PrtKAPROCERTLimCOcorr
constexpr int SupplementaryText = 105;    // PrtKAPROCERTProvSupl
constexpr int AcceleratedSpeedText = 107; // PrtKAPROCERTGirMinAcc
constexpr int EmissionsFrameText = 108;   // PrtKAPROCERTValEmis
constexpr int LambdaLimitText = 109;      // PrtKAPROCERTLimLam

void fillReadings(EmissionReadings& sheet, const CertificateReadings& readings) {
    showField(sheet.CO.Value, readings.CO);
    showField(sheet.CO2.Value, readings.CO2);
    showField(sheet.COcorr.Value, readings.COcorr);
    showField(sheet.HC.Value, readings.HC);
    showField(sheet.O2.Value, readings.O2);
    showField(sheet.Lambda.Value, readings.Lambda);
}
} // namespace

PrtKAPROCERT::PrtKAPROCERT(Globals& g, ui::Dialogs& dialogs)
    : TestPrintout(g, dialogs, QStringLiteral("Referto analisi gas")) {}

void PrtKAPROCERT::Form_Load() {
    applyCaptions();
    fill();
}

void PrtKAPROCERT::applyCaptions() {
    const LanguageState& lang = g_.lang;
    applyTestCaptions();
    Title.setCaption(uiText(lang, TitleText));
    applyGasHeaderCaptions(lang, Analyser, RevCounter, Vehicle);
    Ambient.applyCaptions(lang);
    IdleSpeed.Caption.setCaption(uiText(lang, IdleSpeedText));
    AcceleratedIdleSpeed.Caption.setCaption(uiText(lang, AcceleratedSpeedText));
    Idle.Frame.setCaption(uiText(lang, EmissionsFrameText));
    IdleCOcorrLimit.Caption.setCaption(uiText(lang, COcorrLimitText));
    AcceleratedIdle.Frame.setCaption(uiText(lang, SupplementaryText));
    AcceleratedIdleCOcorrLimit.Caption.setCaption(uiText(lang, COcorrLimitText));
    LambdaLimits.Caption.setCaption(uiText(lang, LambdaLimitText));
}

void PrtKAPROCERT::fill() {
    const GasCertificateRecord& c = g_.report.GasCertificate;
    fillGasHeader(c.Header, Analyser, RevCounter, Vehicle);
    Ambient.fill(c.AmbientTemperature, c.AmbientPressure, c.AmbientHumidity);
    OilTemperature.Value.setCaption(c.OilTemperature);
    showField(IdleSpeed.Value, c.Idle.EngineSpeed);
    showField(AcceleratedIdleSpeed.Value, c.AcceleratedIdle.EngineSpeed);
    fillReadings(Idle, c.Idle);
    IdleCOcorrLimit.Value.setCaption(c.Idle.COcorrLimit);
    fillReadings(AcceleratedIdle, c.AcceleratedIdle);
    AcceleratedIdleCOcorrLimit.Value.setCaption(c.AcceleratedIdle.COcorrLimit);
    LambdaLimits.Value.setCaption(c.LambdaLimits);
    showField(Result, c.Result);
    Date.Value.setCaption(c.Date);
    StartTime.Value.setCaption(c.StartTime);
    EndTime.Value.setCaption(c.EndTime);
    TechnicalManager.Value.setCaption(c.TechnicalManager);
    AgencyName.Value.setCaption(c.AgencyName);
}
