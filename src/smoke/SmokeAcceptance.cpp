#include "smoke/SmokeAcceptance.h"

#include "settings/NumberText.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int LastRow = static_cast<int>(std::tuple_size_v<RowNumbers>) - 1;
// A mean at or above this many times the limit fails on the first three rows.
constexpr double FailFactor = 1.5;
// Peaks are decimal captions; their mean in binary can land an ulp beside a
// limit it equals in decimals (0.1, 0.2, 0.3 against 0.2). Such a mean is on
// the limit, not past it.
constexpr double DecimalNoise = 1e-9;

double noiseAt(double value) {
    return DecimalNoise * std::max(1.0, std::abs(value));
}

bool atMost(double value, double limit) {
    return value <= limit + noiseAt(limit);
}

bool atLeast(double value, double limit) {
    return value >= limit - noiseAt(limit);
}

AcceptanceDecision decided(AcceptanceOutcome outcome, const RowNumbers& peaksK, int firstRow, int lastRow) {
    return {outcome, firstRow, lastRow, MeanOfRows(peaksK, firstRow, lastRow)};
}

// The narrowest set of three, four or five rows ending at lastRow whose mean
// is within the limit.
AcceptanceDecision passingSet(const RowNumbers& peaksK, int lastRow, double limitK, int widestSet) {
    for (int size = 3; size <= widestSet; ++size) {
        const int firstRow = lastRow - size + 1;
        if (atMost(MeanOfRows(peaksK, firstRow, lastRow), limitK))
            return decided(AcceptanceOutcome::Pass, peaksK, firstRow, lastRow);
    }
    return {};
}

} // namespace

double MeanOfRows(const RowNumbers& values, int firstRow, int lastRow) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, LastRow);
    if (firstRow > lastRow)
        return 0.0;
    double sum = 0.0;
    for (int row = firstRow; row <= lastRow; ++row) {
        if (!std::isfinite(values[row]))
            return std::numeric_limits<double>::quiet_NaN();
        sum += values[row];
    }
    return sum / (lastRow - firstRow + 1);
}

AcceptanceDecision DecideAcceptance(const RowNumbers& peaksK, int lastRow, double limitK) {
    if (lastRow < 2 || lastRow > LastRow)
        return {};
    if (lastRow == 2) {
        const double m3 = MeanOfRows(peaksK, 0, 2);
        if (atMost(m3, limitK))
            return decided(AcceptanceOutcome::Pass, peaksK, 0, 2);
        if (atLeast(m3, FailFactor * limitK))
            return decided(AcceptanceOutcome::Fail, peaksK, 0, 2);
        return {};
    }
    // From the sixth acceleration on, four and five rows may pass too.
    const AcceptanceDecision pass = passingSet(peaksK, lastRow, limitK, lastRow >= 6 ? 5 : 3);
    if (pass.concluded() || lastRow < LastRow)
        return pass;
    return decided(AcceptanceOutcome::Fail, peaksK, LastRow - 2, LastRow);
}

QString AcceptedSetLabel(int firstRow, int lastRow) {
    QStringList numbers;
    for (int row = firstRow; row <= lastRow; ++row)
        numbers << QString::number(row + 1);
    return numbers.join(QLatin1Char(','));
}

double MeanKShown(double meanK) {
    const double hundredths = meanK * 100.0;
    // Past this size a double holds no hundredths to round.
    if (!std::isfinite(hundredths) || std::abs(hundredths) >= 1e15)
        return meanK;
    return static_cast<double>(settings::roundHalfEven(hundredths)) / 100.0;
}

double OpacityEquivalent(double meanK, int smokeUnit) {
    if (std::isnan(meanK))
        return 0.0;
    const double c = smokeUnit == 1 ? 0.43 : 0.24;
    const double perMille = std::clamp(1000.0 - 1000.0 * std::exp(-meanK * c), 0.0, 1000.0);
    return static_cast<double>(settings::roundHalfEven(perMille)) / 10.0;
}
