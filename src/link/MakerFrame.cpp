#include "link/MakerFrame.h"

#include "link/FrameBytes.h"
#include "link/MeasuringPorts.h"

namespace {

// Bytes around the data: STX, address, 0, command, 0, length byte, checksum, ETX,
// of which the length byte counts two.
constexpr int FrameBytesBeyondLength = 6;
constexpr int ShortestReply = 8;

int byteAt(const QByteArray& bytes, int position) {
    return static_cast<unsigned char>(bytes[position - 1]);
}

} // namespace

std::uint8_t MakerChecksum(int address, int command, int lengthByte, const QByteArray& data) {
    unsigned sum = FrameByte::Stx + static_cast<unsigned>(address) + static_cast<unsigned>(command) +
                   static_cast<unsigned>(lengthByte);
    for (char byte : data)
        sum += static_cast<unsigned char>(byte);
    return static_cast<std::uint8_t>((256u - sum % 256u) % 256u);
}

QByteArray BuildMakerFrame(int address, int command, const QByteArray& data) {
    if (data.size() > MakerMaxDataBytes)
        return {};
    const int length = static_cast<int>(data.size()) + 2;
    QByteArray frame;
    frame.append(FrameByte::Stx).append(static_cast<char>(address)).append('\0');
    frame.append(static_cast<char>(command)).append('\0').append(static_cast<char>(length));
    frame.append(data);
    frame.append(static_cast<char>(MakerChecksum(address, command, length, data))).append(FrameByte::Etx);
    return frame;
}

void SendMakerFrame(Globals& g, int address, int command, const QByteArray& data) {
    const QByteArray frame = BuildMakerFrame(address, command, data);
    if (!frame.isEmpty())
        WriteToMeasuringPorts(g, frame);
}

MakerReply CheckMakerReply(const QByteArray& buffer, int address, int lastCommand) {
    if (buffer.size() < ShortestReply)
        return MakerReply::Incomplete;
    if (byteAt(buffer, 2) != address || byteAt(buffer, 3) != FrameByte::Ack || byteAt(buffer, 4) != lastCommand)
        return MakerReply::Invalid;
    const int total = byteAt(buffer, 6) + FrameBytesBeyondLength;
    if (buffer.size() < total)
        return MakerReply::Incomplete;
    if (buffer.size() > total)
        return MakerReply::Invalid;
    return byteAt(buffer, total) == FrameByte::Etx ? MakerReply::Complete : MakerReply::Invalid;
}
