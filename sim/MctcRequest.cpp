#include "sim/MctcRequest.h"

#include "link/FrameBytes.h"
#include "link/MctcFrame.h"

namespace sim {

namespace {
constexpr int DeviceLength = 3;
// STX, device, ETB, a number of at least one character, ETB, a command of at
// least two, checksum digits and ETX.
constexpr int ShortestFrame = 1 + DeviceLength + 1 + 1 + 1 + 2 + 3;
constexpr int ChecksumAndEtx = 3;
} // namespace

QList<QByteArray> MctcRequest::fields() const {
    if (!hasData)
        return {};
    return data.split(FrameByte::Etb);
}

std::optional<MctcRequest> ParseMctcRequest(const QByteArray& frame) {
    if (frame.size() < ShortestFrame || frame.front() != FrameByte::Stx || frame.back() != FrameByte::Etx)
        return std::nullopt;
    const QByteArray body = frame.first(frame.size() - ChecksumAndEtx);
    if (MctcChecksum(body) != frame.last(ChecksumAndEtx))
        return std::nullopt;
    if (body[1 + DeviceLength] != FrameByte::Etb)
        return std::nullopt;
    const qsizetype numberStart = 1 + DeviceLength + 1;
    const qsizetype numberEnd = body.indexOf(FrameByte::Etb, numberStart);
    if (numberEnd <= numberStart)
        return std::nullopt;
    MctcRequest request;
    request.device = body.mid(1, DeviceLength);
    request.number = body.mid(numberStart, numberEnd - numberStart);
    const QByteArray rest = body.mid(numberEnd + 1);
    const qsizetype commandEnd = rest.indexOf(FrameByte::Etb);
    request.command = commandEnd < 0 ? rest : rest.left(commandEnd);
    if (commandEnd >= 0) {
        request.hasData = true;
        request.data = rest.mid(commandEnd + 1);
    }
    if (request.command.isEmpty())
        return std::nullopt;
    return request;
}

} // namespace sim
