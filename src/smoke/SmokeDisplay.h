#pragma once

#include "ui/Colours.h"

#include <QString>

#include <optional>

// How the smoke window turns readings into what it shows.

// The opacity N (%) as HSU: R = 1000 - 1000 x (1 - N/100)^1.791667, rounded
// half to even, shown as R / 10. N is held to 0..100 first, so a reading
// outside the scale gives 0 or 100 HSU instead of nonsense.
double HsuFromOpacityPercent(double percent);

// Below this ambient pressure (kPa) the opacimeter reads k 0.25 too high.
constexpr double PressureCorrectionBelow = 94.5;
constexpr double PressureCorrectionK = 0.25;
// k corrected for the ambient pressure of the station data. A pressure that
// is not a number (never entered) leaves k as it is.
double PressureCorrectedK(double k, const QString& ambientPressure);

// A reading as a label shows it: a negative one (no value) as "0".
QString NonNegativeCaption(double value);
// MCTC-NET temperatures: 888 is the instrument's out-of-range mark.
QString TemperatureCaption(double value);

// The smoke-blocking state of an MCTC-NET opacimeter: the text (language
// table position) and colour of its label; nullopt leaves the label as it is.
struct BlockingDisplay {
    int textIndex;
    ui::Colour colour;
};
std::optional<BlockingDisplay> BlockingStateDisplay(const QString& operatingStatus, const QString& slideStatus);
// Whether that state lets an acceleration start.
bool BlockingAllowsAcceleration(const QString& operatingStatus, const QString& slideStatus);

// Below this supply voltage the window warns, its label blinking.
constexpr double LowSupplyVoltage = 10.7;
