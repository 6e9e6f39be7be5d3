#pragma once

#include <QString>

#include <optional>

// Numbers as the station writes them into Conf.ini and shows them on screen:
// the locale's decimal separator (QLocale(), the system's unless a test sets a
// default), general format, read back with the same rules.
namespace settings {

// A whole number, written with a leading '-' when negative.
QString formatInteger(long long value);
// General number format: up to 7 significant digits for single precision
// (values beyond the float range are written as the largest float).
QString formatSingle(double value);
// General number format: up to 15 significant digits for double precision.
QString formatDouble(double value);

// A decimal number in the locale's format, else in C format, else with a decimal
// comma; thousands separators are refused. nullopt when the text is not a finite
// number (empty, letters, trailing garbage, overflow).
std::optional<double> parseNumber(const QString& text);
// A number converted to an integer, rounding halves to even as the old
// station software did; nullopt when not a number or outside [min, max].
std::optional<long long> parseInteger(const QString& text, long long min, long long max);
// Rounds half to even; NaN gives 0 and huge values saturate near the long long limits.
long long roundHalfEven(double value);

} // namespace settings
