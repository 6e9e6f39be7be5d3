#include "sim/GasAnalyserSim.h"

#include "link/FrameBytes.h"
#include "link/MctcParsers.h"
#include "sim/GasFraming.h"
#include "sim/MctcFraming.h"

#include <algorithm>

namespace sim {

namespace {

struct ModelDefaults {
    const char* identityModel;
    const char* serial;
    const char* firmware;
};
constexpr ModelDefaults Models[GasModelCount] = {
    {"KAPROGAS-610", "G6100001", "5.40"},
    {"KAPROGAS-620", "G6200001", "5.40"},
    {"KAPROGAS-730", "G7300001", "3.10"},
    {"KAPROGAS-VEGA", "GV000001", "1.50"},
};

// A known model, and the model's own texts where none are given.
GasAnalyserSettings completed(GasAnalyserSettings settings) {
    settings.model = std::clamp(settings.model, 0, GasModelCount - 1);
    const ModelDefaults& defaults = Models[settings.model];
    settings.serial = settings.serial.isEmpty() ? QByteArray(defaults.serial) : settings.serial;
    settings.firmware = settings.firmware.isEmpty() ? QByteArray(defaults.firmware) : settings.firmware;
    if (settings.version.isEmpty())
        settings.version = ProtocolOfGasModel(settings.model) == GasProtocol::Mctc ? "1.50" : settings.firmware;
    return settings;
}

std::unique_ptr<Framing> framingFor(int model) {
    if (ProtocolOfGasModel(model) == GasProtocol::Mctc)
        return std::make_unique<MctcFraming>();
    return std::make_unique<GasFraming>(GasMakerAddress(model));
}

// A wrong checksum that is still well-formed: hexadecimal digits in a text
// frame, any byte in a binary one.
QByteArray withWrongChecksum(QByteArray reply, bool text) {
    if (reply.size() < 3)
        return reply;
    if (!text) {
        reply[reply.size() - 2] = static_cast<char>(reply[reply.size() - 2] + 1);
        return reply;
    }
    const int value = reply.mid(reply.size() - 3, 2).toInt(nullptr, 16);
    const QByteArray digits = QByteArray::number((value + 1) % 256, 16).toUpper().rightJustified(2, '0');
    reply.replace(reply.size() - 3, 2, digits);
    return reply;
}

} // namespace

GasProtocol ProtocolOfGasModel(int model) {
    return GasMakerAddress(model) != 0 ? GasProtocol::Maker : GasProtocol::Mctc;
}

GasAnalyserSim::GasAnalyserSim(ScenarioClock& clock, GasAnalyserSettings settings)
    : settings_(completed(std::move(settings))),
      model_(scenario_, settings_.timing,
             ProtocolOfGasModel(settings_.model) == GasProtocol::Maker ? GasPhase::Waiting : GasPhase::Measuring),
      engine_(clock, framingFor(settings_.model), *this) {
    identity_ = {"KAPRO",
                 Models[settings_.model].identityModel,
                 "OM 12345 GAS",
                 settings_.serial,
                 settings_.expiry,
                 settings_.version,
                 ""};
    channels_ = DefaultAcquisitionChannels(settings_.model);
    model_.setLeakRecord(settings_.leak);
    if (settings_.calendar)
        model_.setCalendar(*settings_.calendar, 0);
}

QByteArray GasAnalyserSim::instrumentParameter() const {
    const auto found = settings_.parameters.find("047");
    return found == settings_.parameters.end() ? QByteArray("0") : found->second;
}

int GasAnalyserSim::versionThousandths() const {
    return VersionThousandthsOf(QString::fromLatin1(identity_.version));
}

int GasAnalyserSim::statusCode(Millis now) {
    const int forced = scenario_.conditionAt(GasCondition::Status, model_.scenarioTime(now));
    if (forced >= 0)
        return forced;
    const bool maker = protocol() == GasProtocol::Maker;
    switch (model_.phase(now)) {
    case GasPhase::WarmUp: return maker ? 2 : 1;
    case GasPhase::Waiting: return maker ? 128 : 2;
    case GasPhase::Zeroing: return maker ? 65 : 4;
    case GasPhase::Measuring: return maker ? 129 : 8;
    case GasPhase::StandBy: return maker ? 128 : 2;
    }
    return 0;
}

double GasAnalyserSim::fuelConstant() const {
    if (protocol() == GasProtocol::Mctc)
        return FuelConstant(fuelSettings_.fuelName);
    // Fuel codes 0 and 3 petrol, 2 and 5 methane, 1 and 4 LPG.
    constexpr double ByCode[] = {15, 14, 12, 15, 14, 12};
    return ByCode[(fuelCode_ & 7) % 6];
}

GasReadings GasAnalyserSim::readingsAt(Millis now) {
    return scenario_.readingsAt(model_.scenarioTime(now), fuelConstant());
}

void GasAnalyserSim::remember(const QByteArray& command) {
    history_.push_back(command);
    if (history_.size() > HistoryLength)
        history_.pop_front();
}

std::optional<Reply> GasAnalyserSim::answer(const QByteArray& frame, Millis now) {
    const bool binary =
        protocol() == GasProtocol::Maker && frame.size() > 1 && static_cast<unsigned char>(frame[1]) == makerAddress();
    std::optional<QByteArray> reply;
    const Millis time = model_.scenarioTime(now);
    const bool mute = scenario_.conditionAt(GasCondition::Mute, time) != 0;
    if (binary) {
        const std::optional<MakerRequest> request = ParseMakerRequest(frame);
        if (!request) {
            ++framesIgnored_;
            return std::nullopt;
        }
        remember("0x" + QByteArray::number(request->command, 16).toUpper().rightJustified(2, '0'));
        if (!mute)
            reply = answerMaker(*request, now);
    } else {
        const std::optional<MctcRequest> request = ParseMctcRequest(frame);
        if (!request || request->device != "GAS" || request->number != "1") {
            ++framesIgnored_;
            return std::nullopt;
        }
        remember(request->command);
        if (!mute)
            reply = answerMctc(*request, now);
    }
    if (!reply || reply->isEmpty())
        return std::nullopt;
    if (scenario_.conditionAt(GasCondition::BadChecksum, time) != 0)
        reply = withWrongChecksum(*reply, !binary);
    return Reply{*reply};
}

} // namespace sim
