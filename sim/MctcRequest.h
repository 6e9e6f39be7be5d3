#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace sim {

// An MCTC-NET request as an instrument reads it: STX, device type, ETB,
// device number, ETB, command, [ETB, data], checksum digits, ETX.
struct MctcRequest {
    QByteArray device;
    QByteArray number;
    QByteArray command;
    QByteArray data;
    bool hasData = false; // an ETB followed the command

    // The data's ETB-separated fields; none without data.
    QList<QByteArray> fields() const;
};

// Takes a complete frame apart. nullopt when it is not a well-formed request
// or its checksum digits are wrong: an instrument does not act on those.
std::optional<MctcRequest> ParseMctcRequest(const QByteArray& frame);

} // namespace sim
