#pragma once

#include <QString>

// Numbers as the smoke window shows them in its labels and reads them back.

// The default text form of a double in the locale's format (no fixed decimals).
QString NumberCaption(double value);
// The number a label shows; a caption that is not a number ("- - -",
// "O-RANGE", empty) counts as 0.
double ShownNumber(const QString& caption);
