#include "sim/RevCounterOptions.h"

#include "sim/OptionReader.h"

namespace sim {

namespace {

Profile profileOf(const char* points) {
    return *Profile::parse(QString::fromLatin1(points));
}

struct NamedScenario {
    const char* name;
    const char* speed;
    const char* oil;
};

// Times in seconds. "ramp" and "snap" repeat so a demo keeps moving.
constexpr NamedScenario Scenarios[] = {
    {"idle", "0:850", "0:80"},
    {"ramp", "0:850,5:850,8:2500,18:2500,21:850,25:850,repeat", "0:60,300:90"},
    {"snap", "0:800,3:800,3.5:4500,4.5:4500,6:800,10:800,repeat", "0:85"},
    {"off", "0:0", "0:20"},
};

constexpr int MaxReplyDelayMs = 10000;

// Replaces one of the scenario's profiles with points given on the command line.
void overrideProfile(OptionReader& reader, Profile& target) {
    const std::optional<QString> text = reader.value();
    if (!text)
        return;
    QString reason;
    const std::optional<Profile> profile = Profile::parse(*text, &reason);
    if (!profile) {
        reader.fail(QStringLiteral("%1: %2").arg(reader.current(), reason));
        return;
    }
    target = *profile;
}

} // namespace

std::optional<EngineScenario> EngineScenarioNamed(const QString& name) {
    for (const NamedScenario& scenario : Scenarios) {
        if (name == QLatin1String(scenario.name))
            return EngineScenario{profileOf(scenario.speed), profileOf(scenario.oil)};
    }
    return std::nullopt;
}

QStringList EngineScenarioNames() {
    QStringList names;
    for (const NamedScenario& scenario : Scenarios)
        names << QString::fromLatin1(scenario.name);
    return names;
}

std::optional<RevCounterOptions> ParseRevCounterOptions(const QStringList& args, QString* error) {
    RevCounterOptions options;
    options.scenario = *EngineScenarioNamed(QString::fromLatin1(DefaultEngineScenario));
    std::optional<Profile> speed;
    std::optional<Profile> oil;
    OptionReader reader(args);
    while (const std::optional<QString> name = reader.next()) {
        if (*name == QLatin1String("--cylinders")) {
            options.cylinders = reader.integer(1, 12).value_or(options.cylinders);
        } else if (*name == QLatin1String("--strokes")) {
            if (const std::optional<QString> strokes = reader.choice({"2", "4"}))
                options.strokes = strokes->toInt();
        } else if (*name == QLatin1String("--profile")) {
            const QString chosen = reader.value().value_or(QString());
            const std::optional<EngineScenario> scenario = EngineScenarioNamed(chosen);
            if (scenario)
                options.scenario = *scenario;
            else if (!reader.failed())
                reader.fail(QStringLiteral("unknown profile \"%1\" (known: %2)")
                                .arg(chosen, EngineScenarioNames().join(QLatin1String(", "))));
        } else if (*name == QLatin1String("--speed")) {
            overrideProfile(reader, speed.emplace());
        } else if (*name == QLatin1String("--oil")) {
            overrideProfile(reader, oil.emplace());
        } else if (*name == QLatin1String("--cued")) {
            options.waitForCue = true;
        } else if (*name == QLatin1String("--delay")) {
            options.replyDelayMs = reader.integer(0, MaxReplyDelayMs).value_or(options.replyDelayMs);
        } else {
            readSharedOption(reader, *name, options);
        }
    }
    // Explicit points win over the named scenario, whatever the order given.
    if (speed)
        options.scenario.speed = *speed;
    if (oil)
        options.scenario.oil = *oil;
    if (!reader.finish(options.linkPath, options.help, error))
        return std::nullopt;
    return options;
}

QString RevCounterUsage() {
    return QStringLiteral("quaveron-sim rpm --link PATH [options]\n"
                          "  Serves a rev counter with oil-temperature probe (MCTC-NET device \"RPM\") on a\n"
                          "  pseudo-terminal reachable through the symbolic link PATH, until stopped with\n"
                          "  SIGTERM or SIGINT (the link is then removed).\n"
                          "\n"
                          "  --link PATH         where to put the link to the line (its folder is made)\n"
                          "  --cylinders N       cylinders of the simulated engine, 1..12 (default 4)\n"
                          "  --strokes 2|4       strokes of the simulated engine (default 4); the counter\n"
                          "                      reads the true speed once programmed with the same values\n"
                          "  --profile NAME      engine scenario: %1 (default %2)\n"
                          "  --speed POINTS      speed over time instead of the scenario's, rpm\n"
                          "  --oil POINTS        oil temperature over time instead of the scenario's, degrees\n"
                          "                      POINTS: seconds:value,... with straight lines between them,\n"
                          "                      \",repeat\" at the end to start over, e.g. 0:850,5:850,8:3000,repeat\n"
                          "  --cued              hold both at their first point until SIGUSR1 comes; every\n"
                          "                      SIGUSR1 starts them again from 0 (a test lines the engine\n"
                          "                      up with another instrument this way)\n"
                          "  --delay MS          reply delay in milliseconds (default 20)\n"
                          "  --verbose           print every request and reply\n")
        .arg(EngineScenarioNames().join(QLatin1String(", ")), QLatin1String(DefaultEngineScenario));
}

} // namespace sim
