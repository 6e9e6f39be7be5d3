#pragma once

#include <QString>

// The protected system options are stored with every character's code XORed
// with 0x5A. The mapping is its own inverse: the same call hides and reveals.
QString ScrambleSetting(const QString& text);
