// The acceptance rule as the smoke window runs it: peaks tracked per reply,
// the rows read back from the table's labels, and a verdict written into the
// verdict labels, the row arrays and the result record.

#include "settings/NumberText.h"
#include "shared/Globals.h"
#include "smoke/AccelerationRules.h"
#include "smoke/SmokeAcceptance.h"
#include "smoke/SmokeNumbers.h"
#include "smoke/SmokeTexts.h"
#include "ui/Colours.h"

#include <cmath>
#include <limits>

static_assert(AccelerationRows == SmokeState::AccelerationRowCount);
static_assert(AccelerationRows == std::tuple_size_v<RowNumbers>);

namespace {

// The report shows a row without a measured value on red.
constexpr std::int16_t RowWithoutValue = 2;
constexpr char NoNumber[] = "- - -";

bool isRow(int row) {
    return row >= 0 && row < AccelerationRows;
}

// A caption that is no number ("- - -": no peak was measured) is NaN, so no
// mean over it can be within the limit. Rows never filled show "0".
double rowNumber(const QString& caption) {
    return settings::parseNumber(caption).value_or(std::numeric_limits<double>::quiet_NaN());
}

RowNumbers shownNumbers(const RowLabels& labels) {
    RowNumbers numbers{};
    for (int row = 0; row < AccelerationRows; ++row)
        numbers[row] = rowNumber(labels[row].caption());
    return numbers;
}

std::int16_t markOf(const QString& caption, std::int16_t mark) {
    return std::isfinite(rowNumber(caption)) ? mark : RowWithoutValue;
}

void storeRow(SmokeState& s, const AccelerationTable& table, int row, std::int16_t mark) {
    s.RowPeakText[row] = table.Label36[row].caption();
    s.RowSpeedText[row] = table.Label18[row].caption();
    s.RowUsedK[row] = markOf(s.RowPeakText[row], mark);
    s.RowUsedSpeed[row] = markOf(s.RowSpeedText[row], mark);
}

QString figureCaption(double value) {
    return std::isfinite(value) ? NumberCaption(value) : QString::fromLatin1(NoNumber);
}

} // namespace

void TrackIdleSpeed(Globals& g) {
    SmokeState& s = g.smoke;
    if (s.EngineSpeed < s.IdleSpeed)
        s.IdleSpeed = s.EngineSpeed;
}

void TrackPeaks(Globals& g) {
    SmokeState& s = g.smoke;
    if (s.OpacityK >= s.PeakOpacity)
        s.PeakOpacity = s.OpacityK;
    if (s.EngineSpeed > s.PeakSpeed)
        s.PeakSpeed = s.EngineSpeed;
    if (s.EngineSpeed > s.PeakSpeedShown)
        s.PeakSpeedShown = s.EngineSpeed;
}

void EvaluateAccelerations(Globals& g, const AccelerationTable& table) {
    SmokeState& s = g.smoke;
    const int lastRow = s.AccelerationIndex;
    if (!isRow(lastRow))
        return;
    const AcceptanceDecision decision =
        DecideAcceptance(shownNumbers(table.Label36), lastRow, g.settings.OpacityLimitK);
    if (!decision.concluded())
        return;

    const double meanSpeed = MeanOfRows(shownNumbers(table.Label18), decision.firstRow, decision.lastRow);
    // A fail on a set without every peak has no mean to show.
    const double meanK = decision.meanK;
    const double opacity = std::isfinite(meanK) ? OpacityEquivalent(meanK, g.settings.SmokeUnit) : meanK;
    table.Label35.setCaption(figureCaption(MeanKShown(meanK)));
    table.Label55.setCaption(figureCaption(opacity));
    const bool pass = decision.outcome == AcceptanceOutcome::Pass;
    table.Label33.setCaption(g.lang.UiText[pass ? acceptance_text::Pass : acceptance_text::Fail]);
    table.Label33.setBackColor(pass ? ui::colour::Green : ui::colour::Red);

    for (int row = 0; row <= lastRow; ++row)
        storeRow(s, table, row, decision.contains(row) ? SmokeState::RowInAcceptedSet : SmokeState::RowOutsideSet);

    SmokeTestResultRecord& result = s.SmokeTestResult;
    result.ResultCode = pass ? SmokeTestResultRecord::Pass : SmokeTestResultRecord::Fail;
    result.MeanKText = table.Label35.caption();
    result.MeanOpacityText = table.Label55.caption();
    result.VerdictText = table.Label33.caption();
    if (std::isfinite(meanSpeed))
        result.MeanSpeedValue = settings::roundHalfEven(meanSpeed);
    result.AcceptedSet = AcceptedSetLabel(decision.firstRow, decision.lastRow);
    s.AccelerationIndex = AccelerationRows;
}

void StoreAccelerationRow(Globals& g, const AccelerationTable& table) {
    SmokeState& s = g.smoke;
    const int row = s.AccelerationIndex;
    if (!isRow(row))
        return;
    storeRow(s, table, row, SmokeState::RowInAcceptedSet);
    s.SmokeTestResult.VerdictText = g.lang.UiText[smoke_text::Mis15];
}

void ClearSmokeTestResult(Globals& g) {
    SmokeState& s = g.smoke;
    s.RowPeakText.fill(QString());
    s.RowSpeedText.fill(QString());
    s.RowUsedK.fill(SmokeState::RowOutsideSet);
    s.RowUsedSpeed.fill(SmokeState::RowOutsideSet);
    s.SmokeTestResult = SmokeTestResultRecord{};
}

void StoreSpeedExtremes(Globals& g) {
    SmokeState& s = g.smoke;
    s.SmokeTestResult.MinIdleSpeed = s.LowestIdleSpeed;
    s.SmokeTestResult.MaxPeakSpeed = s.HighestPeakSpeed;
}
