#pragma once

#include "sim/GasAnalyserSim.h"
#include "sim/GasScenario.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace sim {

// What "quaveron-sim gas" is told on its command line.
struct GasAnalyserOptions {
    QString linkPath;
    GasAnalyserSettings settings;
    GasScenario scenario;
    int replyDelayMs = 20;
    bool verbose = false;
    bool help = false;
};

// nullopt and the reason in *error when the options make no sense (a
// scenario file that cannot be read or parsed among them).
std::optional<GasAnalyserOptions> ParseGasAnalyserOptions(const QStringList& args, QString* error = nullptr);
QString GasAnalyserUsage();

} // namespace sim
