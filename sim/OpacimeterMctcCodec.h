#pragma once

#include "sim/OpacimeterModel.h"
#include "sim/OpacimeterReadings.h"

#include <QByteArray>

#include <optional>

namespace sim {

// The data fields of the opacimeter's MCTC-NET replies (device "OPA").

// "ST"/"@ST" status code: 1 warm-up and self-check, 2 stand-by, 4 zeroing,
// 8 measuring (16 once a test was started).
int OpacimeterMctcStatus(const OpacimeterModel& state, Millis now);

// The three-digit error field of "@VA", "AZ" and "SB" replies: 001 no error,
// 002 optics dirty, 003 chamber pressure, 004 light emitter, 007 overheating,
// 010 cell temperature sensor. A stuck slide shows only in "@RS".
int OpacimeterErrorField(OpacimeterAlarm alarm);
inline constexpr int ErrorFieldNone = 1;
inline constexpr int ErrorFieldRefused = 6; // operation not allowed now
QByteArray ErrorFieldText(int code);

// The "@RS" error code: 20 slide, 24 overheating, 25 light emitter, 26 optics
// dirty, 0 otherwise.
int OpacimeterRegisterCode(OpacimeterAlarm alarm);

// "@VA": k, opacity %, engine speed, oil, exhaust and cell temperatures, the
// opacity in HSU, then the error field; the first fieldCount of them. A
// temperature beyond its range reads 888, a value the instrument lacks -1.
inline constexpr int ValueFieldCount = 8;
QByteArray OpacimeterValueData(const OpacimeterReadings& readings, int errorField, int fieldCount = ValueFieldCount);

// "@RD": cell set point, emitter and receiver levels (%), internal
// temperature, chamber pressure (mbar), supply voltage (thousandths of a
// volt), hours in service.
QByteArray OpacimeterDiagnosticData(const OpacimeterReadings& readings, double cellSetPoint, Millis now);

// Parameters read with "@LU": "20" the slide (00016 open, 00032 closed),
// "21" the operating state. The request's data is the parameter number in up
// to three digits; the reply is the five-digit value and the number in three.
// nullopt for a parameter the instrument does not have.
inline constexpr int SlideParameter = 20;
inline constexpr int OperatingParameter = 21;
std::optional<int> OpacimeterParameterNumber(const QByteArray& requestData);
QByteArray OpacimeterParameterData(int parameter, int value);

} // namespace sim
