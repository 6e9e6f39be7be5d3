#include "sim/SimulatorCommands.h"

#include "sim/GasAnalyserOptions.h"
#include "sim/GasAnalyserSim.h"
#include "sim/OpacimeterOptions.h"
#include "sim/OpacimeterSim.h"
#include "sim/PtyTransport.h"
#include "sim/RealTimeDriver.h"
#include "sim/RevCounterOptions.h"
#include "sim/RevCounterSim.h"
#include "sim/SimulatorSignals.h"

#include <QCoreApplication>

#include <csignal>
#include <functional>

namespace sim {

namespace {

constexpr int ExitUsage = 2;
constexpr int ExitFailure = 1;

// Printable form of a frame for --verbose: control characters by name.
QString readable(const QByteArray& frame) {
    QString text;
    for (const char byte : frame) {
        switch (byte) {
        case 2: text += QLatin1String("<STX>"); break;
        case 3: text += QLatin1String("<ETX>"); break;
        case 23: text += QLatin1String("<ETB>"); break;
        default:
            const auto code = static_cast<unsigned char>(byte);
            text +=
                code >= 32 && code < 127 ? QString(QChar(code)) : QStringLiteral("<%1>").arg(code, 2, 16, QChar('0'));
        }
    }
    return text;
}

// Runs the event loop with the instrument on its line until a termination
// signal comes; SIGUSR1 runs onCue, if the instrument takes cues.
int serve(InstrumentEngine& engine, const QString& linkPath, const QString& what, bool verbose, QTextStream& out,
          QTextStream& err, const std::function<void()>& onCue = {}) {
    SimulatorSignals processSignals;
    if (!processSignals.installed()) {
        err << "quaveron-sim: cannot catch termination signals\n";
        return ExitFailure;
    }
    QString error;
    const std::unique_ptr<PtyTransport> line = PtyTransport::open(engine, linkPath, &error);
    if (!line) {
        err << "quaveron-sim: " << error << "\n";
        return ExitFailure;
    }
    if (verbose) {
        engine.setTrace([&out](Millis now, const QByteArray& request, const QByteArray& reply) {
            out << now << " ms  " << readable(request) << "  ->  "
                << (reply.isEmpty() ? QStringLiteral("(no reply)") : readable(reply)) << "\n";
            out.flush();
        });
    }
    RealTimeDriver driver(engine.clock());
    QObject::connect(&processSignals, &SimulatorSignals::received, qApp, [&onCue](int number) {
        if (number != SIGUSR1)
            QCoreApplication::quit();
        else if (onCue)
            onCue();
    });
    out << "quaveron-sim: " << what << " on " << line->link().linkPath() << " (" << line->link().slavePath() << ")\n";
    out.flush();
    driver.start();
    QCoreApplication::exec();
    engine.setTrace({});
    return 0;
}

int runRevCounter(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const std::optional<RevCounterOptions> options = ParseRevCounterOptions(args, &error);
    if (!options) {
        err << "quaveron-sim rpm: " << error << "\n\n" << RevCounterUsage();
        return ExitUsage;
    }
    if (options->help) {
        out << RevCounterUsage();
        return 0;
    }
    ScenarioClock clock;
    RevCounterSim counter(clock);
    counter.setEngineLayout(options->cylinders, options->strokes);
    counter.setSpeedProfile(options->scenario.speed);
    counter.setOilProfile(options->scenario.oil);
    counter.engine().setReplyDelay(options->replyDelayMs);
    if (options->waitForCue)
        counter.waitForCue();
    return serve(counter.engine(), options->linkPath, QStringLiteral("rev counter"), options->verbose, out, err,
                 [&counter] { counter.cue(); });
}

int runGasAnalyser(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const std::optional<GasAnalyserOptions> options = ParseGasAnalyserOptions(args, &error);
    if (!options) {
        err << "quaveron-sim gas: " << error << "\n\n" << GasAnalyserUsage();
        return ExitUsage;
    }
    if (options->help) {
        out << GasAnalyserUsage();
        return 0;
    }
    ScenarioClock clock;
    GasAnalyserSim analyser(clock, options->settings);
    analyser.setScenario(options->scenario);
    analyser.engine().setReplyDelay(options->replyDelayMs);
    const QString what = QStringLiteral("gas analyser %1 (model %2, %3)")
                             .arg(QString::fromLatin1(analyser.identity().model))
                             .arg(analyser.settings().model)
                             .arg(analyser.protocol() == GasProtocol::Maker ? QStringLiteral("maker frames")
                                                                            : QStringLiteral("MCTC-NET"));
    return serve(analyser.engine(), options->linkPath, what, options->verbose, out, err);
}

int runOpacimeter(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const std::optional<OpacimeterOptions> options = ParseOpacimeterOptions(args, &error);
    if (!options) {
        err << "quaveron-sim opa: " << error << "\n\n" << OpacimeterUsage();
        return ExitUsage;
    }
    if (options->help) {
        out << OpacimeterUsage();
        return 0;
    }
    ScenarioClock clock;
    OpacimeterSim opacimeter(clock, options->model, options->scenario);
    opacimeter.engine().setReplyDelay(options->replyDelayMs);
    const QString what = QStringLiteral("opacimeter %1 (model %2)")
                             .arg(QLatin1String(OpacimeterModelInfoOf(options->model).name))
                             .arg(options->model);
    return serve(opacimeter.engine(), options->linkPath, what, options->verbose, out, err);
}

struct Instrument {
    const char* name;
    int (*run)(const QStringList& args, QTextStream& out, QTextStream& err);
    QString (*usage)();
};

// One row per simulated instrument.
constexpr Instrument Instruments[] = {
    {"rpm", runRevCounter, RevCounterUsage},
    {"opa", runOpacimeter, OpacimeterUsage},
    {"gas", runGasAnalyser, GasAnalyserUsage},
};

QString overallUsage() {
    QString text = QStringLiteral("Simulated instruments for Quaveron, each on a pseudo-terminal.\n\n");
    for (const Instrument& instrument : Instruments)
        text += instrument.usage() + QLatin1Char('\n');
    return text;
}

} // namespace

int RunSimulator(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty()) {
        err << overallUsage();
        return ExitUsage;
    }
    if (args.front() == QLatin1String("--help") || args.front() == QLatin1String("-h")) {
        out << overallUsage();
        return 0;
    }
    for (const Instrument& instrument : Instruments) {
        if (args.front() == QLatin1String(instrument.name))
            return instrument.run(args.mid(1), out, err);
    }
    err << "quaveron-sim: unknown instrument \"" << args.front() << "\"\n\n" << overallUsage();
    return ExitUsage;
}

} // namespace sim
