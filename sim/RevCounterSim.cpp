#include "sim/RevCounterSim.h"

#include "link/FrameBytes.h"

#include <cmath>

namespace sim {

namespace {

constexpr int MaxCylinders = 12;

// A small unsigned decimal number; nullopt for anything else (signs, blanks,
// decimals, or more digits than any count needs).
std::optional<int> smallCount(const QByteArray& text) {
    if (text.isEmpty() || text.size() > 2)
        return std::nullopt;
    int value = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        value = value * 10 + (digit - '0');
    }
    return value;
}

MctcIdentity defaultIdentity() {
    return {"KAPRO", "RPM-500", "OM 1234", "R500-0042", "31122030", "1.50", ""};
}

} // namespace

bool ValidCylinderCount(int cylinders) {
    return cylinders >= 1 && cylinders <= MaxCylinders;
}
bool ValidStrokeCount(int strokes) {
    return strokes == 2 || strokes == 4;
}

RevCounterSim::RevCounterSim(ScenarioClock& clock) : MctcInstrument(clock, "RPM") {
    setIdentity(defaultIdentity());
}

void RevCounterSim::setEngineLayout(int cylinders, int strokes) {
    if (ValidCylinderCount(cylinders))
        engineCylinders_ = cylinders;
    if (ValidStrokeCount(strokes))
        engineStrokes_ = strokes;
}

double RevCounterSim::speedReadingAt(Millis time) const {
    // Pulses per minute = rpm * cylinders * 2 / strokes; the counter divides
    // them back by its programmed cylinders and strokes.
    const double ratio = double(engineCylinders_ * programmedStrokes_) / double(programmedCylinders_ * engineStrokes_);
    return std::max(0.0, speed_.valueAt(profileTime(time))) * ratio;
}

void RevCounterSim::cue() {
    waitingForCue_ = false;
    cuedAt_ = engine().clock().now();
}

Millis RevCounterSim::profileTime(Millis time) const {
    return waitingForCue_ ? 0 : std::max<Millis>(0, time - cuedAt_);
}

QByteArray RevCounterSim::speedText(double rpm) {
    return QByteArray::number(std::llround(rpm));
}

QByteArray RevCounterSim::temperatureText(double degrees) {
    return QByteArray::number(degrees, 'f', 1);
}

std::optional<Reply> RevCounterSim::handle(const MctcRequest& request, Millis now) {
    const QByteArray& command = request.command;
    if (command == "CI" || command == "TE") {
        const std::optional<int> count = smallCount(request.data);
        const bool cylinders = command == "CI";
        if (!count || !(cylinders ? ValidCylinderCount(*count) : ValidStrokeCount(*count)))
            return std::nullopt;
        (cylinders ? programmedCylinders_ : programmedStrokes_) = *count;
        return replyTo(request);
    }
    if (command == "VA")
        return replyTo(request, speedText(speedReadingAt(now)));
    if (command == "TP")
        return replyTo(request, temperatureText(oilTemperatureAt(now)));
    if (command == "VE")
        return replyTo(request,
                       speedText(speedReadingAt(now)) + FrameByte::Etb + temperatureText(oilTemperatureAt(now)));
    return std::nullopt;
}

} // namespace sim
