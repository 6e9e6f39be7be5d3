#pragma once

#include "sim/GasScenario.h"

#include <QByteArray>

#include <optional>

namespace sim {

// The gas analyser's side of the maker's binary frames: reading requests,
// building replies, and the data each command's reply carries.

namespace GasMakerCommand {
constexpr int AcquisitionList = 0x23;
constexpr int StopMeasurement = 0x24;
constexpr int FuelAndStrokes = 0x26;
constexpr int CalibrationDate = 0x2E;
constexpr int Identify = 0x31;
constexpr int Status = 0x3F;
constexpr int StartMeasurement = 0x45;
constexpr int Values = 0x50;
} // namespace GasMakerCommand

// A request as the analyser reads it.
struct MakerRequest {
    int address = 0;
    int command = 0;
    QByteArray data;
};
// nullopt unless the frame is STX, address, 0, command, 0, length byte N,
// N - 2 data bytes, checksum, ETX, with a checksum that brings the byte sum
// before ETX to a multiple of 256.
std::optional<MakerRequest> ParseMakerRequest(const QByteArray& frame);
// The reply: the request's layout with ACK in the third byte, its checksum
// again making the byte sum before ETX a multiple of 256. Empty when the data
// is longer than a frame can carry.
QByteArray BuildMakerReply(int address, int command, const QByteArray& data = {});

// 0x31 for models 0 and 1, 0x21 for model 2, 0 for the others.
int GasMakerAddress(int model);
// Whether the model can report HC beyond its normal channel.
bool GasModelHasExtendedHc(int model);

// The channel identifiers the program asks for with 0x23 (after a count byte).
// A default list for when none has come yet.
QByteArray DefaultAcquisitionChannels(int model);
// The channel identifiers of a 0x23 request: a count byte from 1 to
// MaxChannels, then exactly that many identifiers; nullopt otherwise.
constexpr int MaxAcquisitionChannels = 50;
std::optional<QByteArray> AcquisitionChannelsOf(const QByteArray& data);

// The coefficients of the program's extended HC formula:
// HC = 10477 + quad * x^2 + lin * x, with x = 4194303 - raw.
struct HcRangeCoefficients {
    double quad = 1e-9;
    double lin = 0.008;
};
// HC from which readings leave the normal channel for the extended one.
constexpr double ExtendedHcFrom = 10477;
// The 22-bit raw reading that the formula turns back into hc ppm (the
// extended range's bottom for lower readings, its top for higher ones).
int ExtendedHcRaw(double hc, const HcRangeCoefficients& coefficients);

// 0x50 reply data: one 5-byte record per channel, in the list's order:
// identifier, a flag (0 value, 1 none), and the value in three bytes, high
// first (16-bit channels leave the first of them 0). No value is FF FF FF;
// out of range is the channel's own out-of-range code where it has one.
//   2 O2, 6 CO2, 7 CO          % vol x 1000
//   5 HC                       ppm (FF FF at and above 10477)
//   8, 12 engine speed         rpm, out of range 0x5000 and above
//   3, 10 oil temperature      degrees x 1000 in 24 bits, out of range 0x040000 and above
//   11, 14 lambda              x 1000, out of range 0x0B00 and above
//   9, 13 NOx                  ppm
//   18 extended HC             the 22-bit raw reading (models 0 and 1)
// Any other identifier gets a record without value.
QByteArray MakerValueRecords(const QByteArray& channels, const GasReadings& readings, bool extendedHc,
                             const HcRangeCoefficients& coefficients);

// 0x31 reply data: model byte, serial (8 characters, blank padded), 0, the
// 16-bit instrument parameter, three zero bytes, firmware "d.dd" as its three
// digit characters.
QByteArray MakerIdentityData(int model, const QByteArray& serial, int parameter, const QByteArray& firmware);
// 0x2E reply data: six zero bytes, then the calibration date DDMMYYYY as six
// digit values d d m m y y (two-digit year).
QByteArray MakerCalibrationData(const QByteArray& date);
// 0x3F reply data: status, fuel/strokes code, 0, 0, spare byte.
QByteArray MakerStatusData(int status, int fuelCode, int erTen);

// The fuel/strokes codes the analyser accepts: 0..5 four-stroke, +64 two-stroke.
bool ValidMakerFuelCode(int code);
constexpr int DefaultMakerFuelCode = 3; // petrol with catalyst, four strokes

} // namespace sim
