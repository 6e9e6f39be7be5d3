#pragma once

#include <QByteArray>

// What the configured opacimeter model decides about the link.
struct OpacimeterModel {
    int linkMode = 1;          // 1 maker binary frames, 2 MCTC-NET
    int address = 0;           // maker frames: the instrument's address byte
    QByteArray identityPrefix; // maker frames: put before the six identity characters
    // Model 0 reports its states with its own codes; the others share theirs.
    bool firstGeneration = false;
};

// Models 0-4 speak maker frames, model 5 MCTC-NET. An index the station does
// not know is taken as one of the later maker models, with no prefix.
OpacimeterModel OpacimeterModelOf(int index);

// The maker opacimeter's command codes.
namespace maker_command {
constexpr int Identify = 49;    // '1'
constexpr int ExpiryDate = 97;  // 'a'
constexpr int ChannelList = 35; // '#'
constexpr int Status = 63;      // '?'
constexpr int Values = 80;      // 'P'
constexpr int Start = 69;       // 'E'
} // namespace maker_command

// The channel list sent with ChannelList: the count, then the channels in the
// order the value reply returns them.
QByteArray MakerChannelList();
