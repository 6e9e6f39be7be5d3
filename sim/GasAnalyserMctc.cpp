// The gas analyser's MCTC-NET commands.

#include "sim/GasAnalyserSim.h"

#include "link/FrameBytes.h"
#include "link/MctcFrame.h"

#include <cmath>

namespace sim {

namespace {

constexpr int NewProtocolVersion = 1500;

// The depression a leak test pulls and how far it falls back afterwards,
// with a tight and with a leaking circuit.
constexpr double LeakTestDepression = 500;
constexpr double PullFraction = 0.3;
constexpr double TightLoss = 5;
constexpr double LeakingLoss = 200;

} // namespace

std::optional<QByteArray> GasAnalyserSim::parameterReply(const MctcRequest& request) const {
    const QList<QByteArray> fields = request.fields();
    if (fields.isEmpty())
        return std::nullopt;
    const auto found = settings_.parameters.find(fields.front());
    if (found == settings_.parameters.end())
        return std::nullopt;
    return found->second + FrameByte::Etb + fields.front();
}

QByteArray GasAnalyserSim::leakPressure(Millis now) {
    const Millis time = model_.scenarioTime(now);
    if (scenario_.scripted(GasQuantity::Pressure))
        return MeasurementText(GasQuantity::Pressure, scenario_.valueAt(GasQuantity::Pressure, time));
    const std::optional<double> progress = model_.leakTestProgress(now);
    if (!progress)
        return "0";
    if (*progress < PullFraction)
        return QByteArray::number(std::llround(LeakTestDepression * *progress / PullFraction));
    const bool tight = scenario_.conditionAt(GasCondition::LeakResult, time) == 'R';
    const double loss = (tight ? TightLoss : LeakingLoss) * (*progress - PullFraction) / (1 - PullFraction);
    return QByteArray::number(std::llround(LeakTestDepression - loss));
}

std::optional<QByteArray> GasAnalyserSim::answerMctc(const MctcRequest& request, Millis now) {
    const QByteArray& command = request.command;
    const auto reply = [&request](const QByteArray& data = {}) {
        return BuildMctcFrame(request.device, request.command, request.number, data);
    };
    if (command == "ID")
        return reply(identity_.data());
    if (command == "@LU") {
        const std::optional<QByteArray> parameter = parameterReply(request);
        return parameter ? std::optional(reply(*parameter)) : std::nullopt;
    }
    // A maker-protocol analyser knows no more than its identification.
    if (protocol() != GasProtocol::Mctc)
        return std::nullopt;

    const Millis time = model_.scenarioTime(now);
    if (command == "@SD") {
        const std::optional<QDateTime> dateTime = ParseSetDateData(request.data);
        if (!dateTime)
            return std::nullopt;
        model_.setCalendar(*dateTime, now);
        return reply();
    }
    if (command == "@LA")
        return reply(FuelSettingsData(fuelSettings_));
    if (command == "@SA") {
        const std::optional<GasFuelSettings> fuel = ParseFuelSettings(request.fields());
        if (!fuel)
            return std::nullopt;
        fuelSettings_ = *fuel;
        return reply();
    }
    if (command == "@LI")
        return reply(instrumentParameter());
    if (command == (versionThousandths() < NewProtocolVersion ? "ST" : "@ST"))
        return reply(StatusData(statusCode(now)));
    if (command == "@RS")
        return reply(ErrorRegisterData(scenario_.conditionAt(GasCondition::ErrorCode, time),
                                       scenario_.conditionAt(GasCondition::FaultyChannels, time)));
    if (command == "@VA")
        return reply(MeasurementData(readingsAt(now), scenario_.conditionAt(GasCondition::ValueFields, time)));
    if (command == "ET")
        return reply(LeakTestData(model_.leakRecord(now), model_));
    if (command == "@LS")
        return reply(leakPressure(now));
    if (command == "EH")
        return reply(QByteArray(1, model_.hcResidueResult(now)));
    // Procedures: acknowledged whether or not the analyser can start them now.
    if (command == "TT")
        model_.startLeakTest(now);
    else if (command == "AZ")
        model_.startZeroing(now);
    else if (command == "HC")
        model_.startHcResidueTest(now);
    else if (command == "SB")
        model_.toggleStandBy(now);
    else
        return std::nullopt;
    return reply();
}

} // namespace sim
