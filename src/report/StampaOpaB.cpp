#include "report/StampaOpaB.h"

#include "report/ReportLog.h"
#include "settings/NumberText.h"
#include "shared/Globals.h"
#include "ui/Clock.h"

namespace {
// Positions in the language table.
constexpr int ThresholdText = 85;        // LIMITISOp
constexpr int LimitKText = 86;           // LIMITIVLim
constexpr int OpacimeterText = 89;       // OPASUCap
constexpr int IdleSpeedText = 103;       // PrtKAPROCERTGirMin
constexpr int TitleText = 128;           // StampaOPARefer
constexpr int OpacimeterFrameText = 129; // StampaOPADatOp
constexpr int MaxSpeedText = 130;        // StampaOPAGirMotMax
constexpr int ValuesFrameText = 131;     // StampaOPAValOp
constexpr int LimitsFrameText = 140;     // StampaBlimiti
constexpr int MeanFrameText = 141;       // StampaOPAMedVal

QString speedText(const std::optional<double>& speed) {
    return speed ? settings::formatDouble(*speed) : QString();
}

void colourByStatus(ui::Label& field, int statusCode) {
    if (const std::optional<ui::Colour> colour = AccelerationStatusColour(statusCode))
        field.setBackColor(*colour);
}
} // namespace

std::optional<ui::Colour> AccelerationStatusColour(int statusCode) {
    switch (statusCode) {
    case 0:
    case 4: return ui::colour::Yellow;
    case 1: return ui::colour::Green;
    case 2: return ui::colour::Red;
    case 3: return ui::colour::Orange;
    default: return std::nullopt;
    }
}

StampaOpaB::StampaOpaB(Globals& g, ui::Dialogs& dialogs)
    : TestPrintout(g, dialogs, QStringLiteral("Referto Opacimetro")) {
    CopiesBox.subscribe([this] { g_.report.PrintCopies = CopiesBox.text(); });
}

QString StampaOpaB::copiesText() const {
    return g_.report.PrintCopies;
}

void StampaOpaB::Form_Load() {
    applyCaptions();
    g_.report.PrintCopies = CopiesBox.text();
    fill();
    if (!WriteSmokeReport(g_))
        TellReportNotWritten(g_, dialogs_);
}

void StampaOpaB::Form_LoadArchived(const QString& date) {
    applyCaptions();
    g_.report.PrintCopies = CopiesBox.text();
    fill();
    Date.Value.setCaption(date);
}

void StampaOpaB::applyCaptions() {
    const LanguageState& lang = g_.lang;
    applyTestCaptions();
    Title.setCaption(uiText(lang, TitleText));
    Opacimeter.applyCaptions(lang, OpacimeterFrameText, OpacimeterText);
    RevCounter.applyCaptions(lang);
    Vehicle.applyCaptions(lang);
    Ambient.applyCaptions(lang);
    IdleSpeed.Caption.setCaption(uiText(lang, IdleSpeedText));
    MaxSpeed.Caption.setCaption(uiText(lang, MaxSpeedText));
    LimitsFrame.setCaption(uiText(lang, LimitsFrameText));
    OpacityThreshold.Caption.setCaption(uiText(lang, ThresholdText));
    OpacityLimitK.Caption.setCaption(uiText(lang, LimitKText));
    ValuesFrame.setCaption(uiText(lang, ValuesFrameText));
    MeanFrame.setCaption(uiText(lang, MeanFrameText));
}

void StampaOpaB::fill() {
    const InstrumentIdentityRecord& id = g_.link.InstrumentIdentity;
    const SettingsState& s = g_.settings;
    const StationState& st = g_.station;
    const SmokeState& smoke = g_.smoke;
    const SmokeTestResultRecord& result = smoke.SmokeTestResult;

    Opacimeter.fill(SmokeInstrumentMake(g_), id.Model, id.Homologation, id.SerialNumber, id.ExpiryDate);
    RevCounter.fill(s.RpmMake, s.RpmApproval, s.RpmSerial, s.RpmExpiry);
    Vehicle.MakeType.Value.setCaption(st.VehicleMakeType);
    Vehicle.Plate.Value.setCaption(st.VehiclePlate);
    Vehicle.Chassis.Value.setCaption(st.VehicleChassis);
    Vehicle.Year.Value.setCaption(st.VehicleYear);
    Ambient.fill(st.AmbientTemperature, st.AmbientPressure, st.AmbientHumidity);

    OilTemperature.Value.setCaption(SmokeOilTemperatureText(smoke.SmokeOilTemperature));
    IdleSpeed.Value.setCaption(speedText(result.MinIdleSpeed));
    MaxSpeed.Value.setCaption(speedText(result.MaxPeakSpeed));
    RpmMin.Value.setCaption(settings::formatSingle(s.LimitRpmMin));
    RpmMax.Value.setCaption(settings::formatSingle(s.LimitRpmMax));
    OpacityThreshold.Value.setCaption(settings::formatDouble(s.OpacityThreshold));
    OpacityLimitK.Value.setCaption(settings::formatDouble(s.OpacityLimitK));

    for (int row = 0; row < RowCount; ++row) {
        Peak[row].setCaption(smoke.RowPeakText[row]);
        colourByStatus(Peak[row], smoke.RowUsedK[row]);
        Speed[row].setCaption(smoke.RowSpeedText[row]);
        colourByStatus(Speed[row], smoke.RowUsedSpeed[row]);
    }

    AcceptedSet.Value.setCaption(result.AcceptedSet);
    MeanK.Value.setCaption(result.MeanKText);
    MeanOpacity.Value.setCaption(result.MeanOpacityText);
    Unit.setCaption(s.SmokeUnit == 1 ? QStringLiteral("HSU") : QStringLiteral("%"));

    Result.setCaption(result.VerdictText);
    Date.Value.setCaption(ui::formatDate(ui::Clock::today()));
    StartTime.Value.setCaption(TimeOfDayText(smoke.TestStartTime));
    EndTime.Value.setCaption(TimeOfDayText(smoke.TestEndTime));
    TechnicalManager.Value.setCaption(st.TechnicalManager);
    AgencyName.Value.setCaption(st.AgencyName);
}
