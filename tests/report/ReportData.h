#pragma once

#include "shared/Globals.h"

// Plausible results as the gas and smoke windows leave them, for the sheets
// and report.log to be made from.

// A catalysed petrol car that passed both the idle and the accelerated-idle test.
void fillPassedCertificate(Globals& g);
// The diagnosis readings of the same car.
void fillDiagnosis(Globals& g);
// A diesel van that passed after five accelerations, the last three accepted:
// rows 1-5 filled, rows 6-8 never performed.
void fillFiveAccelerationSmokeTest(Globals& g);
