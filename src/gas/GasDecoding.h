#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// Value decoding of the gas analyser's replies and the arithmetic around it.
// No state: the window passes the bytes and settings in and stores the results.
namespace gas {

// A value the analyser could not give is kept as -1.
constexpr double NoValue = -1.0;
// What a value label shows for an unavailable or out-of-range value.
QString outText();     // "Out"
QString unknownText(); // "- - -"

// A value as the window keeps it and as its label shows it.
struct Reading {
    double value = NoValue;
    QString text;
};

// Maker measurement reply. Each decoder takes the record bytes it reads; a
// 16-bit value is 256 x high + low. A high byte of 0xFF means no value, and a
// high byte 0x80..0xFE is beyond any reading the analyser can hold: both are
// stored as -1.
Reading DecodeOilTemperature(int p9, int p10, int p11); // 24-bit thousandths; p9 above 3: "Out"
Reading DecodeEngineSpeed(int high, int low);           // 0xFF "- - -"; 0x50..0xFE "Out"
Reading DecodeLambda(int high, int low);                // thousandths; high above 10: "Out"
// CO, CO2, O2: thousandths of a per cent, shown with `decimals` places.
Reading DecodeConcentration(int high, int low, int decimals);
// HC in ppm when the high byte is below 0x80; otherwise nullopt and the caller
// decides between the extended range and "Out".
std::optional<int> DecodeNormalHc(int high, int low);

// HC above the normal range, from the raw 22-bit count of another record.
struct ExtendedHc {
    long long raw = 0;
    long long x = 0;
    long long hc = 0;
    bool outOfRange() const { return hc >= 20000; }
};
ExtendedHc ComputeExtendedHc(int p14, int p15, int p16, double quadCoeff, double linCoeff);
// The extended range is in use when the system options allow it (bit 2) and
// the firmware is new enough: first character above "4" and third above "3".
bool ExtendedHcRangeInUse(std::uint8_t systemOptions, const QString& firmwareVersion);

// Corrected CO with the fuel constant K: CO itself (one decimal) once CO + CO2
// reaches K or is 0, 65 below 5 % CO + CO2, else CO x K / (CO + CO2) cut to one
// decimal. Unavailable CO or CO2 gives an unavailable result.
double CorrectedCO(double co, double co2, double fuelConstant);
// 65 and above shows "Out".
bool CorrectedCOOutOfRange(double cocorr);

// Command 0x23: channel count and the channels in reply order, by model.
QByteArray AcquisitionList(int modelIndex, bool extendedHc);

// Rounds half to even at the given number of decimals, as the station always did.
double RoundTo(double value, int decimals);

} // namespace gas
