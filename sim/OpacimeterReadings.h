#pragma once

#include "sim/OpacimeterModel.h"
#include "sim/OpacimeterScenario.h"

namespace sim {

// A probe's reading: a number, or none, or beyond its range.
struct ProbeReading {
    ProbeState state = ProbeState::Ok;
    double value = 0.0;
};

// Everything the opacimeter measures at one moment.
struct OpacimeterReadings {
    double k = 0.0;       // absorption coefficient, m-1
    double opacity = 0.0; // N, per cent
    ProbeReading rpm;
    ProbeReading oil;   // degrees C
    double smoke = 0.0; // exhaust gas temperature, degrees C
    double cell = 0.0;  // measuring cell temperature, degrees C
    double ambient = 0.0;
    double voltage = 0.0; // supply, V
};

// What the instrument reads at a moment: the engine follows the scenario's
// accelerations counted from the end of the latest zeroing (idling before it
// and while zeroing), and smoke reaches the cell only while the instrument is
// ready (the slide is closed otherwise, so k and N read 0).
OpacimeterReadings OpacimeterReadingsAt(const OpacimeterScenario& scenario, const OpacimeterModel& model, Millis now);

// Opacity in Hartridge units for an opacity in per cent, as the program's
// display converts it.
double HartridgeOfPercent(double percent);

} // namespace sim
