#pragma once

// What the smoke window calls on the acceleration side: peak tracking after
// each value reply, the acceptance rule after each finished acceleration, and
// the clearing of the result record when a test starts.
//
// To the author of SmokeAcceptance.cpp: the smoke window (ANFUMO) calls exactly
// these functions; please define them there. The per-acceleration values and
// AccelerationIndex live in g.smoke (SmokeState); the result record
// SmokeTestResult and the row arrays are yours in SmokeState too. A peak
// caption that is not a number ("- - -": k went missing, or a warm-up in
// mid-test) is no peak: no mean over it passes, and the report shows it red.

#include "ui/Controls.h"

#include <array>

struct Globals;

// Rows of the smoke window's acceleration table.
constexpr int AccelerationRows = 8;
using RowLabels = std::array<ui::Label, AccelerationRows>;

// The labels of the smoke window that the acceptance rule reads and writes.
struct AccelerationTable {
    const RowLabels& Label36; // peak k of each row
    const RowLabels& Label18; // peak speed of each row
    ui::Label& Label33;       // verdict
    ui::Label& Label35;       // mean k
    ui::Label& Label55;       // mean opacity, % or HSU
};

// Every value reply, in any phase: IdleSpeed follows the lowest EngineSpeed.
void TrackIdleSpeed(Globals& g);
// Every value reply in phase "DUE" with a warm cell: PeakOpacity, PeakSpeed and
// PeakSpeedShown follow the highest OpacityK and EngineSpeed.
void TrackPeaks(Globals& g);
// After each finished acceleration (row g.smoke.AccelerationIndex): pass, fail
// (AccelerationIndex becomes 8) or carry on.
void EvaluateAccelerations(Globals& g, const AccelerationTable& table);
// Direct acquisition: records the row just finished, with no verdict.
void StoreAccelerationRow(Globals& g, const AccelerationTable& table);
// Start of a test: row texts cleared and row codes 4; the result record
// cleared with result code 4.
void ClearSmokeTestResult(Globals& g);
// After each row written: the result record takes LowestIdleSpeed and
// HighestPeakSpeed as they stand.
void StoreSpeedExtremes(Globals& g);
