#pragma once

#include "sim/Profile.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace sim {

// How one engine behaves over time: speed (rpm) and oil temperature (degrees).
struct EngineScenario {
    Profile speed;
    Profile oil;
};

// The named engine scenarios: "idle", "ramp", "snap", "off". nullopt for other names.
std::optional<EngineScenario> EngineScenarioNamed(const QString& name);
QStringList EngineScenarioNames();
inline constexpr const char* DefaultEngineScenario = "ramp";

// What "quaveron-sim rpm" is told on its command line.
struct RevCounterOptions {
    QString linkPath;
    int cylinders = 4;
    int strokes = 4;
    EngineScenario scenario;
    int replyDelayMs = 20;
    bool waitForCue = false;
    bool verbose = false;
    bool help = false;
};

// nullopt and the reason in *error when the options make no sense.
std::optional<RevCounterOptions> ParseRevCounterOptions(const QStringList& args, QString* error = nullptr);
QString RevCounterUsage();

} // namespace sim
