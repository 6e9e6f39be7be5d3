#include "link/MctcFrame.h"

#include "link/FrameBytes.h"

namespace {

// STX, device type and the separator before the device number.
constexpr int HeaderBeforeNumber = 5;

} // namespace

QByteArray MctcChecksum(const QByteArray& body) {
    unsigned sum = 0;
    for (qsizetype i = 1; i < body.size(); ++i)
        sum += static_cast<unsigned char>(body[i]);
    static constexpr char Hex[] = "0123456789ABCDEF";
    const unsigned byte = sum % 256;
    QByteArray result;
    result.append(Hex[byte >> 4]).append(Hex[byte & 0x0F]).append(FrameByte::Etx);
    return result;
}

QByteArray BuildMctcFrame(const QByteArray& device, const QByteArray& command, const QByteArray& number,
                          const QByteArray& data) {
    QByteArray body;
    body.append(FrameByte::Stx).append(device).append(FrameByte::Etb).append(number).append(FrameByte::Etb);
    body.append(command);
    if (!data.isEmpty())
        body.append(FrameByte::Etb).append(data);
    return body + MctcChecksum(body);
}

bool MctcHeaderMatches(const QByteArray& frame, const QByteArray& device) {
    return frame.size() >= HeaderBeforeNumber && frame.mid(1, 3) == device && frame[4] == FrameByte::Etb;
}

QByteArray MctcReplyCommand(const QByteArray& frame, int commandLength, int numberLength) {
    if (commandLength <= 0 || numberLength < 0)
        return {};
    return frame.mid(HeaderBeforeNumber + numberLength + 1, commandLength);
}

std::optional<QByteArray> MctcDataField(const QByteArray& frame, int commandLength, int numberLength) {
    if (commandLength < 0 || numberLength < 0)
        return std::nullopt;
    // Header, number, separator, command, separator; then checksum and ETX after the data.
    const qsizetype start = HeaderBeforeNumber + numberLength + 1 + commandLength + 1;
    const qsizetype length = frame.size() - start - 3;
    if (length < 0)
        return std::nullopt;
    return frame.mid(start, length);
}

std::optional<QByteArray> MctcFields::field(int number) const {
    if (number < 1 || number > fields_.size())
        return std::nullopt;
    return fields_[number - 1];
}

std::optional<MctcFields> SplitMctcData(const QByteArray& frame, int commandLength, int numberLength) {
    const std::optional<QByteArray> data = MctcDataField(frame, commandLength, numberLength);
    if (!data)
        return std::nullopt;
    // Two separators more, so a last field without its own separator still
    // counts and one empty field follows it; the text after the final
    // separator is no field.
    QList<QByteArray> fields = (*data + FrameByte::Etb + FrameByte::Etb).split(FrameByte::Etb);
    fields.removeLast();
    return MctcFields(std::move(fields));
}
