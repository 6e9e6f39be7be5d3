#include "link/MctcMeasuringReplies.h"

#include "link/MctcFrame.h"

namespace {

std::optional<int> firstDataCode(const QByteArray& frame, int commandLength, int numberLength) {
    const auto data = MctcDataField(frame, commandLength, numberLength);
    if (!data || data->isEmpty())
        return std::nullopt;
    return static_cast<unsigned char>(data->front());
}

} // namespace

std::optional<int> MctcStatusByte(const QByteArray& frame, int commandLength, int numberLength) {
    const auto code = firstDataCode(frame, commandLength, numberLength);
    return code ? std::optional<int>(*code & 0x1F) : std::nullopt;
}

std::optional<int> MctcErrorCode(const QByteArray& frame, int commandLength, int numberLength) {
    const auto code = firstDataCode(frame, commandLength, numberLength);
    return code ? std::optional<int>(*code & 0x7F) : std::nullopt;
}
