#include "sim/MctcInstrument.h"

#include "link/FrameBytes.h"
#include "link/MctcFrame.h"
#include "sim/MctcFraming.h"

namespace sim {

QByteArray MctcIdentity::data() const {
    const QByteArray separator(1, FrameByte::Etb);
    return QByteArrayList{maker, model, homologation, serialNumber, expiryDate, version, extra}.join(separator);
}

MctcInstrument::MctcInstrument(ScenarioClock& clock, QByteArray device, QByteArray number)
    : device_(std::move(device)), number_(std::move(number)), engine_(clock, std::make_unique<MctcFraming>(), *this) {}

Reply MctcInstrument::replyTo(const MctcRequest& request, const QByteArray& data) {
    return {BuildMctcFrame(request.device, request.command, request.number, data)};
}

std::optional<Reply> MctcInstrument::answer(const QByteArray& frame, Millis now) {
    const std::optional<MctcRequest> request = ParseMctcRequest(frame);
    if (!request || request->device != device_ || request->number != number_) {
        ++framesIgnored_;
        return std::nullopt;
    }
    history_.push_back(*request);
    if (history_.size() > HistoryLength)
        history_.pop_front();
    if (request->command == "ID")
        return replyTo(*request, identity_.data());
    return handle(*request, now);
}

} // namespace sim
