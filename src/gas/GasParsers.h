#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// The gas analyser's MCTC-NET reply parsers. Each takes the whole frame, the
// length of the command sent and of the device number, splits the data field
// at its separators and reads numbers with a dot as decimal mark. Received text
// is made safe to show (control characters become blanks).
namespace gas {

// "@LA": fuel name, catalyst text, a third field, strokes, H/C and O/C ratios.
struct SettingsRecord {
    QString fuelName;
    QString catalystText;
    QString field3;
    QString strokes;
    QString hydrogenCarbonRatio;
    QString oxygenCarbonRatio;
};
// nullopt when the reply holds fewer than six fields.
std::optional<SettingsRecord> ParseSettingsReply(const QByteArray& frame, int commandLength, int numberLength);

// "@LI" and "@LU": the parameter's value and, for "@LU", the number of the
// parameter the analyser answered about (field 2). nullopt without a field.
struct ParameterReply {
    QString value;
    std::optional<double> parameterNumber;
};
std::optional<ParameterReply> ParseParameterReply(const QByteArray& frame, int commandLength, int numberLength);

// "ET": status letter, date dd/mm/yyyy (a day or month "00" reads "01") and
// time hh:mm. A reply without three fields gives " ", "01/01/2000" and " ".
struct LeakStatus {
    QString status;
    QString date;
    QString time;
};
LeakStatus ParseLeakStatusReply(const QByteArray& frame, int commandLength, int numberLength);
QString LeakDateText(const QString& ddmmyyyy);
QString LeakTimeText(const QString& hhmm);

// "@VA": CO, COcorr, CO2, HC, O2, lambda, oil temperature, engine speed, NOx.
// Reading stops at the first missing field; `count` says how many of the
// values, from the first, were read. An empty field, or one that does not
// start with a number, reads 0 and is not `readable`.
struct MeasurementReply {
    static constexpr int FieldCount = 9;
    enum Field { CO, COcorr, CO2, HC, O2, Lambda, OilTemperature, EngineSpeed, NOx };
    std::array<double, FieldCount> values{};
    std::array<bool, FieldCount> readable{};
    int count = 0;
    bool complete() const { return count == FieldCount; }
};
MeasurementReply ParseMeasurementReply(const QByteArray& frame, int commandLength, int numberLength);

// "@LS": field 1 as a whole number of mbar.
std::optional<int> ParsePressureReply(const QByteArray& frame, int commandLength, int numberLength);

// "@RS": the code of the first data character (bit 7 dropped) is the error
// code; the code of the third one the faulty channels (1 CO, 2 CO2, 4 HC, 8 O2).
struct ErrorReply {
    int errorCode = 0;
    int faultyChannelMask = 0;
};
std::optional<ErrorReply> ParseErrorReply(const QByteArray& frame, int commandLength, int numberLength);

// "EH": the HC residue result letter.
std::optional<QString> ParseHcResidueReply(const QByteArray& frame, int commandLength, int numberLength);

} // namespace gas
