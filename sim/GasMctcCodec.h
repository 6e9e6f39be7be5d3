#pragma once

#include "sim/GasAnalyserModel.h"
#include "sim/GasScenario.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>

#include <optional>

namespace sim {

// The data fields of the gas analyser's MCTC-NET replies, and the data of the
// requests that carry some.

// Fuel and engine settings ("@LA" reads them, "@SA" writes them).
struct GasFuelSettings {
    QByteArray fuelName = "BENZINA"; // BENZINA, METANO or GPL
    QByteArray catalyst = "CAT";     // CAT or NO CAT
    QByteArray field3 = "04";
    QByteArray strokes = "4"; // 4 or 2
    QByteArray hydrogenCarbon = "1.730";
    QByteArray oxygenCarbon = "0.000";

    bool operator==(const GasFuelSettings&) const = default;
};
// The six fields of "@SA": fuel, catalyst, field 3, strokes, H/C, O/C. Also
// taken with fuel and catalyst run together in the first field
// ("BENZINANO CAT"), five fields in all, as "@LA" hands them out to a program
// that keeps them joined. nullopt for an unknown fuel, catalyst or stroke
// count, a ratio that is no number, or an overlong field.
std::optional<GasFuelSettings> ParseFuelSettings(const QList<QByteArray>& fields);
QByteArray FuelSettingsData(const GasFuelSettings& settings);
// The fuel constant of the corrected CO: 15 petrol, 12 methane, 14 LPG.
double FuelConstant(const QByteArray& fuelName);

// "@VA": CO, COcorr, CO2, HC, O2, lambda, oil temperature, engine speed, NOx,
// the first fieldCount of them. A missing value reads -1; an oil temperature
// out of range reads 888.
QByteArray MeasurementData(const GasReadings& readings, int fieldCount = 9);
QByteArray MeasurementText(GasQuantity quantity, GasValue value);

// "ST"/"@ST": one character, the status code 1..31 in its low five bits
// (sent as 0x40 + code, a printable letter).
QByteArray StatusData(int status);
// "@RS": the error code with bit 7 set, ETB, the faulty-channel bits as
// "0" + bits, so neither byte can be taken for a frame's control characters.
QByteArray ErrorRegisterData(int errorCode, int faultyChannels);
// "ET": status letter, ETB, DDMMYYYY, ETB, HHMM; a test ended at a moment of
// scenario time is dated by the analyser's calendar then.
QByteArray LeakTestData(const LeakTestRecord& record, const GasAnalyserModel& model);

// "@SD" data: DDMMYYYY ETB HHMMSS; nullopt when it is no valid date and time.
std::optional<QDateTime> ParseSetDateData(const QByteArray& data);

} // namespace sim
