#pragma once

#include "sim/OpacimeterScenario.h"
#include "sim/OpacimeterSim.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace sim {

// A reply delay that paces the program's value replies about four a second,
// as the smoke window's single-acceleration chart assumes of them.
inline constexpr int ChartPaceReplyDelayMs = 100;

// What "quaveron-sim opa" is told on its command line.
struct OpacimeterOptions {
    QString linkPath;
    int model = OpacimeterMctcModel;
    OpacimeterScenario scenario;
    int replyDelayMs = 20;
    bool verbose = false;
    // One free acceleration after each start, at the chart's pace.
    bool chart = false;
    bool help = false;
};

// nullopt and the reason in *error when the options make no sense. Either of
// --protocol and --model implies the other (maker: model 0, mctc: model 5);
// given both, they must agree.
std::optional<OpacimeterOptions> ParseOpacimeterOptions(const QStringList& args, QString* error = nullptr);
QString OpacimeterUsage();

} // namespace sim
