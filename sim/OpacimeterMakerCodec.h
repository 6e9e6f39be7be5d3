#pragma once

#include "sim/OpacimeterModel.h"
#include "sim/OpacimeterReadings.h"

#include <QByteArray>

#include <optional>

namespace sim {

// The opacimeter's side of the maker's binary frames: what each command's
// reply carries, model by model.

namespace OpacimeterMakerCommand {
constexpr int ChannelList = 0x23; // '#'
constexpr int Identify = 0x31;    // '1'
constexpr int Status = 0x3F;      // '?'
constexpr int Start = 0x45;       // 'E'
constexpr int Values = 0x50;      // 'P'
constexpr int ExpiryDate = 0x61;  // 'a'
} // namespace OpacimeterMakerCommand

// What sets the six models apart on the line.
struct OpacimeterModelInfo {
    int address;        // maker frames; 0 for the MCTC-NET model
    const char* name;   // the model in the MCTC-NET identification
    const char* prefix; // the program puts it before the six serial characters
};
inline constexpr int OpacimeterModelCount = 6;
inline constexpr int OpacimeterMctcModel = 5;
// Models outside 0..5 read as the MCTC-NET model.
const OpacimeterModelInfo& OpacimeterModelInfoOf(int model);

// The status reply's bytes: state code, alarm byte, flag byte, auxiliary byte.
struct MakerStatusBytes {
    int state = 0;
    int alarm = 0;
    int flags = 0;
    int aux = 0;
};
// Bit of the flag byte: zeroed and ready, a start is welcome.
inline constexpr int MakerReadyFlag = 16;

// What the status reply says, by model:
//   model 0     state 0 warm-up and check, 72 zeroing, 128 ready, 240 fault
//               (overheating, slide, cell sensor); alarm bits 2 pressure high,
//               4 pressure low, 16 light emitter, 32 optics dirty
//   models 1-4  state 0 (16 once a test was started) with the auxiliary byte
//               showing the check's progress 0..50, then 100 (255: optics
//               dirty); 64 zeroing; alarm bits 64 cell warming up, 2 pressure
//               low, 4 pressure high, 16 light emitter; they have no code
//               for overheating, the slide or the cell sensor
// The flag byte carries MakerReadyFlag while the instrument is ready (models
// 1-4 also during the warm-up, which they report as ready and warming up).
MakerStatusBytes OpacimeterMakerStatus(int model, const OpacimeterModel& state, OpacimeterAlarm alarm, Millis now);
// Data of the 0x3F reply: state, alarm, flags, 0, auxiliary byte.
QByteArray OpacimeterStatusData(const MakerStatusBytes& status);

// The channel numbers of a 0x23 request: a count byte from 1 to 9, then that
// many channel numbers 0..8; nullopt otherwise.
inline constexpr int OpacimeterChannelCount = 9;
std::optional<QByteArray> OpacimeterChannelsOf(const QByteArray& data);

// Data of the 0x50 reply: one five-byte record per channel in the list's
// order, at most recordCount of them: channel, decimals, 0 (1 when there is
// no value), value high byte, low byte. Values are whole numbers 0..32767;
// no value is FF FF, beyond the range 7F FF.
//   0 exhaust temperature     1 opacity % x 10     2 opacity HSU x 10
//   3 supply voltage x 10     4 ambient temperature
//   5 cell temperature        6 oil temperature    7 k x 100     8 engine speed
QByteArray OpacimeterValueRecords(const QByteArray& channels, const OpacimeterReadings& readings, int recordCount);

// Data of the 0x31 reply: the model digit, then the six serial characters.
QByteArray OpacimeterIdentityData(int model, const QByteArray& serial);
// Data of the 0x61 reply: DDMMYY from an expiry date DDMMYYYY.
QByteArray OpacimeterExpiryData(const QByteArray& expiry);

} // namespace sim
