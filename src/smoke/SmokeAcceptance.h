#pragma once

// The free-acceleration acceptance rule: after each acceleration, whether the
// last three, four or five peaks let the test end with a pass or a fail, and
// the figures the verdict is shown with. No state and no window here: the rows
// come in as numbers, the decision goes out as a value.

#include <QString>

#include <array>

// Positions in the language table of the verdict texts.
namespace acceptance_text {
constexpr int Pass = 135; // GeneralePos
constexpr int Fail = 136; // GeneraleNeg
} // namespace acceptance_text

// The numbers shown in the eight rows of one column of the acceleration table.
using RowNumbers = std::array<double, 8>;

enum class AcceptanceOutcome { Continue, Pass, Fail };

// What the rows decide. When the test ends, rows firstRow..lastRow are the
// deciding set and meanK is their mean peak k.
struct AcceptanceDecision {
    AcceptanceOutcome outcome = AcceptanceOutcome::Continue;
    int firstRow = 0;
    int lastRow = 0;
    double meanK = 0.0;

    bool concluded() const { return outcome != AcceptanceOutcome::Continue; }
    bool contains(int row) const { return row >= firstRow && row <= lastRow; }
};

// The arithmetic mean of rows firstRow..lastRow. A row whose value is not
// finite (no peak was measured) makes the mean unknown: NaN.
double MeanOfRows(const RowNumbers& values, int firstRow, int lastRow);

// The rule by the row just finished (0-7) against the limit k. Rows 0 and 1
// never decide; row 2 passes or fails at once when clear, later rows only pass,
// trying three, then four, then five rows; row 7 fails on the last three when
// nothing passes. Any other row decides nothing. A set holding a row without a
// peak is within no limit: it never passes, and never fails early either, so
// the test asks for further accelerations.
AcceptanceDecision DecideAcceptance(const RowNumbers& peaksK, int lastRow, double limitK);

// Accelerations numbered from 1: rows 2..6 give "3,4,5,6,7".
QString AcceptedSetLabel(int firstRow, int lastRow);

// The mean k as shown: two decimals, halves to even.
double MeanKShown(double meanK);

// The opacity the mean k stands for, in per cent (unit 0) or HSU (unit 1), to
// one decimal: 100 - 100 x e^(-k x c), c = 0.43 for HSU and 0.24 for per cent.
// Held to 0..100, so a negative or missing mean never shows a negative or
// undefined opacity.
double OpacityEquivalent(double meanK, int smokeUnit);
