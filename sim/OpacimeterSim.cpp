#include "sim/OpacimeterSim.h"

#include "link/MctcFrame.h"
#include "sim/GasFraming.h"
#include "sim/GasMakerCodec.h"
#include "sim/GasMctcCodec.h"
#include "sim/MctcFraming.h"
#include "sim/OpacimeterMctcCodec.h"

namespace sim {

namespace {

constexpr const char* Maker = "KAPRO";
constexpr const char* Homologation = "OM 41302";

int modelIndex(int model) {
    return model >= 0 && model < OpacimeterModelCount ? model : OpacimeterMctcModel;
}

// The maker's frames and the set-up window's MCTC-NET identification share
// the line of a maker model; an MCTC-NET model reads text frames only.
std::unique_ptr<Framing> framingFor(int model) {
    if (ProtocolOfOpacimeterModel(model) == OpacimeterProtocol::Mctc)
        return std::make_unique<MctcFraming>();
    return std::make_unique<GasFraming>(OpacimeterModelInfoOf(model).address);
}

MctcIdentity identityFor(int model, const OpacimeterScenario& scenario) {
    const OpacimeterModelInfo& info = OpacimeterModelInfoOf(model);
    return {
        Maker, info.name, Homologation, QByteArray(info.prefix) + scenario.serial, scenario.expiry, scenario.version,
        {}};
}

// Either kind of frame: the second-last byte is the maker checksum or the
// low checksum digit, and changing it to another value spoils it.
QByteArray spoilChecksum(QByteArray reply) {
    if (reply.size() >= 2) {
        char& byte = reply[reply.size() - 2];
        byte = byte == '0' ? '1' : '0';
    }
    return reply;
}

} // namespace

OpacimeterProtocol ProtocolOfOpacimeterModel(int model) {
    return modelIndex(model) == OpacimeterMctcModel ? OpacimeterProtocol::Mctc : OpacimeterProtocol::Maker;
}

OpacimeterSim::OpacimeterSim(ScenarioClock& clock, int model, OpacimeterScenario scenario)
    : model_(modelIndex(model)), scenario_(std::move(scenario)), instrument_(scenario_.timing),
      identity_(identityFor(model_, scenario_)), engine_(clock, framingFor(model_), *this) {}

std::optional<Reply> OpacimeterSim::answer(const QByteArray& frame, Millis now) {
    if (condition(OpacimeterCondition::Mute, now) != 0)
        return std::nullopt;
    const std::optional<QByteArray> reply = answerFrame(frame, now);
    if (!reply || reply->isEmpty())
        return std::nullopt;
    if (condition(OpacimeterCondition::BadChecksum, now) != 0)
        return Reply{spoilChecksum(*reply)};
    return Reply{*reply};
}

std::optional<QByteArray> OpacimeterSim::answerFrame(const QByteArray& frame, Millis now) {
    if (protocol() == OpacimeterProtocol::Maker && frame.size() > 1 &&
        static_cast<unsigned char>(frame[1]) == makerAddress()) {
        const std::optional<MakerRequest> request = ParseMakerRequest(frame);
        if (!request) {
            ++framesIgnored_;
            return std::nullopt;
        }
        remember("0x" + QByteArray::number(request->command, 16).toUpper().rightJustified(2, '0'));
        const std::optional<QByteArray> data = answerMaker(request->command, request->data, now);
        if (!data)
            return std::nullopt;
        return BuildMakerReply(makerAddress(), request->command, *data);
    }
    const std::optional<MctcRequest> request = ParseMctcRequest(frame);
    if (!request || request->device != "OPA" || request->number != "1") {
        ++framesIgnored_;
        return std::nullopt;
    }
    remember(request->command);
    std::optional<QByteArray> data;
    if (request->command == "ID")
        data = identity_.data();
    else if (protocol() == OpacimeterProtocol::Mctc)
        data = answerMctc(*request, now);
    if (!data)
        return std::nullopt;
    return BuildMctcFrame(request->device, request->command, request->number, *data);
}

std::optional<QByteArray> OpacimeterSim::answerMaker(int command, const QByteArray& data, Millis now) {
    namespace Command = OpacimeterMakerCommand;
    switch (command) {
    case Command::Identify: return OpacimeterIdentityData(model_, scenario_.serial);
    case Command::ExpiryDate: return OpacimeterExpiryData(scenario_.expiry);
    case Command::ChannelList: {
        const std::optional<QByteArray> channels = OpacimeterChannelsOf(data);
        if (!channels)
            return std::nullopt;
        channels_ = *channels;
        return QByteArray();
    }
    case Command::Status: return OpacimeterStatusData(makerStatus(now));
    case Command::Values:
        return OpacimeterValueRecords(channels_, readingsAt(now), condition(OpacimeterCondition::ValueFields, now));
    case Command::Start:
        // Acknowledged even when it cannot start now, as the program expects.
        instrument_.start(now);
        return QByteArray();
    default: return std::nullopt;
    }
}

std::optional<QByteArray> OpacimeterSim::answerMctc(const MctcRequest& request, Millis now) {
    const QByteArray& command = request.command;
    const OpacimeterAlarm alarm = scenario_.alarmAt(now);
    if (command == "ST" || command == "@ST")
        return StatusData(rawOr(OpacimeterCondition::Status, now, OpacimeterMctcStatus(instrument_, now)));
    if (command == "@RS")
        return ErrorRegisterData(rawOr(OpacimeterCondition::RegisterCode, now, OpacimeterRegisterCode(alarm)), 0);
    if (command == "@VA")
        return OpacimeterValueData(readingsAt(now), errorField(now), condition(OpacimeterCondition::ValueFields, now));
    if (command == "@RD")
        return OpacimeterDiagnosticData(readingsAt(now), scenario_.cellSetPoint, now);
    if (command == "@LU") {
        const std::optional<int> parameter = OpacimeterParameterNumber(request.data);
        if (!parameter)
            return std::nullopt;
        const int value =
            *parameter == SlideParameter ? slidePosition(now) : condition(OpacimeterCondition::Operating, now);
        return OpacimeterParameterData(*parameter, value);
    }
    if (command == "AZ")
        return ErrorFieldText(instrument_.start(now) ? errorField(now) : ErrorFieldRefused);
    if (command == "SB")
        return ErrorFieldText(instrument_.standBy(now) ? errorField(now) : ErrorFieldRefused);
    return std::nullopt;
}

MakerStatusBytes OpacimeterSim::makerStatus(Millis now) const {
    MakerStatusBytes status = OpacimeterMakerStatus(model_, instrument_, scenario_.alarmAt(now), now);
    status.state = rawOr(OpacimeterCondition::Status, now, status.state);
    status.alarm = rawOr(OpacimeterCondition::AlarmByte, now, status.alarm);
    status.flags = rawOr(OpacimeterCondition::Flags, now, status.flags);
    status.aux = rawOr(OpacimeterCondition::Aux, now, status.aux);
    return status;
}

int OpacimeterSim::rawOr(OpacimeterCondition which, Millis now, int own) const {
    const int value = condition(which, now);
    return value == AutoCondition ? own : value;
}

int OpacimeterSim::errorField(Millis now) const {
    return rawOr(OpacimeterCondition::ErrorCode, now, OpacimeterErrorField(scenario_.alarmAt(now)));
}

int OpacimeterSim::slidePosition(Millis now) const {
    // A stuck slide stays closed; otherwise it opens for measuring.
    const bool open =
        instrument_.phase(now) == OpacimeterPhase::Ready && scenario_.alarmAt(now) != OpacimeterAlarm::Slide;
    return rawOr(OpacimeterCondition::Slide, now, open ? SlideOpen : SlideClosed);
}

void OpacimeterSim::remember(const QByteArray& command) {
    history_.push_back(command);
    if (history_.size() > HistoryLength)
        history_.pop_front();
}

} // namespace sim
