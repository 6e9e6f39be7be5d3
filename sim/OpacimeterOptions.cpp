#include "sim/OpacimeterOptions.h"

#include "sim/OptionReader.h"

namespace sim {

namespace {

constexpr int MaxReplyDelayMs = 10000;

QString protocolName(OpacimeterProtocol protocol) {
    return protocol == OpacimeterProtocol::Maker ? QStringLiteral("maker") : QStringLiteral("mctc");
}

QString modelList() {
    QStringList rows;
    for (int model = 0; model < OpacimeterModelCount; ++model) {
        const OpacimeterModelInfo& info = OpacimeterModelInfoOf(model);
        rows << (info.address != 0 ? QStringLiteral("                      %1 %2, maker frames at address 0x%3")
                                         .arg(model)
                                         .arg(QLatin1String(info.name))
                                         .arg(info.address, 2, 16, QChar('0'))
                                   : QStringLiteral("                      %1 %2, MCTC-NET device OPA 1")
                                         .arg(model)
                                         .arg(QLatin1String(info.name)));
    }
    return rows.join('\n');
}

} // namespace

std::optional<OpacimeterOptions> ParseOpacimeterOptions(const QStringList& args, QString* error) {
    OpacimeterOptions options;
    std::optional<OpacimeterProtocol> protocol;
    std::optional<int> model;
    std::optional<int> delay;
    OptionReader reader(args);
    while (const std::optional<QString> name = reader.next()) {
        if (*name == QLatin1String("--protocol")) {
            if (const std::optional<QString> chosen = reader.choice({"maker", "mctc"}))
                protocol = *chosen == QLatin1String("maker") ? OpacimeterProtocol::Maker : OpacimeterProtocol::Mctc;
        } else if (*name == QLatin1String("--model")) {
            model = reader.integer(0, OpacimeterModelCount - 1);
        } else if (*name == QLatin1String("--scenario")) {
            const std::optional<QString> path = reader.value();
            QString reason;
            const std::optional<OpacimeterScenario> scenario =
                path ? OpacimeterScenario::load(*path, &reason) : std::nullopt;
            if (scenario)
                options.scenario = *scenario;
            else if (!reader.failed())
                reader.fail(reason);
        } else if (*name == QLatin1String("--delay")) {
            delay = reader.integer(0, MaxReplyDelayMs);
        } else if (*name == QLatin1String("--chart")) {
            options.chart = reader.flag();
        } else {
            readSharedOption(reader, *name, options);
        }
    }
    // The chart's run holds whatever the scenario says of the number of accelerations.
    if (options.chart)
        options.scenario.cadence.count = 1;
    options.replyDelayMs = delay.value_or(options.chart ? ChartPaceReplyDelayMs : options.replyDelayMs);
    if (model)
        options.model = *model;
    else if (protocol)
        options.model = *protocol == OpacimeterProtocol::Maker ? 0 : OpacimeterMctcModel;
    if (protocol && model && ProtocolOfOpacimeterModel(*model) != *protocol)
        reader.fail(QStringLiteral("model %1 speaks %2, not %3")
                        .arg(*model)
                        .arg(protocolName(ProtocolOfOpacimeterModel(*model)), protocolName(*protocol)));
    if (!reader.finish(options.linkPath, options.help, error))
        return std::nullopt;
    return options;
}

QString OpacimeterUsage() {
    return QStringLiteral("quaveron-sim opa --protocol maker|mctc --model N --link PATH [--scenario FILE]\n"
                          "  Serves an opacimeter on a pseudo-terminal reachable through the symbolic link\n"
                          "  PATH, until stopped with SIGTERM or SIGINT (the link is then removed). After\n"
                          "  power-on it warms up, checks itself and zeroes; each start from the program\n"
                          "  zeroes it again, and some seconds later the simulated operator begins a series\n"
                          "  of free accelerations (idle, governed speed, hold, release).\n"
                          "\n"
                          "  --link PATH         where to put the link to the line (its folder is made)\n"
                          "  --protocol P        maker (binary frames, models 0-4) or mctc (MCTC-NET, model 5)\n"
                          "  --model N           the instrument (default 5, or 0 with --protocol maker):\n"
                          "%1\n"
                          "  --scenario FILE     timings, engine, accelerations and faults (below)\n"
                          "  --delay MS          reply delay in milliseconds (default 20)\n"
                          "  --verbose           print every request and reply\n"
                          "  --chart             for the smoke window's single-acceleration chart: one free\n"
                          "                      acceleration after each start (count=1 whatever the\n"
                          "                      scenario says) and replies delayed 100 ms unless --delay\n"
                          "                      is given, so values come about four a second, the pace the\n"
                          "                      chart's time axis assumes\n"
                          "\n"
                          "%2")
        .arg(modelList(), OpacimeterScenario::formatHelp());
}

} // namespace sim
