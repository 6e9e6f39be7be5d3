// The gas analyser's commands in the maker's binary frames.

#include "sim/GasAnalyserSim.h"

namespace sim {

std::optional<QByteArray> GasAnalyserSim::answerMaker(const MakerRequest& request, Millis now) {
    QByteArray data;
    switch (request.command) {
    case GasMakerCommand::Identify:
        // A 16-bit field: a negative parameter travels as its two's complement.
        data = MakerIdentityData(settings_.model, settings_.serial, instrumentParameter().toInt() & 0xFFFF,
                                 settings_.firmware);
        break;
    case GasMakerCommand::CalibrationDate: data = MakerCalibrationData(settings_.expiry); break;
    case GasMakerCommand::AcquisitionList: {
        const std::optional<QByteArray> channels = AcquisitionChannelsOf(request.data);
        if (!channels)
            return std::nullopt;
        channels_ = *channels;
        break;
    }
    case GasMakerCommand::Status:
        data = MakerStatusData(statusCode(now), fuelCode_,
                               scenario_.conditionAt(GasCondition::ErTen, model_.scenarioTime(now)));
        break;
    case GasMakerCommand::StartMeasurement: model_.startZeroing(now); break;
    case GasMakerCommand::StopMeasurement: model_.stop(now); break;
    case GasMakerCommand::FuelAndStrokes: {
        const int code = request.data.size() == 1 ? static_cast<unsigned char>(request.data[0]) : -1;
        if (!ValidMakerFuelCode(code))
            return std::nullopt;
        fuelCode_ = code;
        break;
    }
    case GasMakerCommand::Values:
        data = MakerValueRecords(channels_, readingsAt(now), GasModelHasExtendedHc(settings_.model), settings_.hcRange);
        break;
    default: return std::nullopt;
    }
    return BuildMakerReply(makerAddress(), request.command, data);
}

} // namespace sim
