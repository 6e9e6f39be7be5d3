#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Turns bytes received from an instrument into text fit to show and store:
// control characters (below 32, and 127) become blanks, so nothing an
// instrument sends can break a line of Conf.ini or a label.
QString InstrumentText(const QByteArray& bytes);

// The number at the start of a received field: leading blanks skipped, an
// optional sign, digits with an optional "." and decimals; reading stops at the
// first character that cannot belong to the number. No number reads 0.
double LeadingNumber(const QByteArray& bytes);
// The same number, or nothing when the field does not start with one (empty,
// "Out", "- - -"): the instrument gave no reading there.
std::optional<double> ReadLeadingNumber(const QByteArray& bytes);

// LeadingNumber with any decimals dropped; nothing when the number does not
// fit an int (an instrument may send any digits at all).
std::optional<int> LeadingWholeNumber(const QByteArray& bytes);
