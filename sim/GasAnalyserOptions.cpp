#include "sim/GasAnalyserOptions.h"

#include "sim/GasScenarioRuns.h"
#include "sim/OptionReader.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include <cmath>

namespace sim {

namespace {

constexpr int MaxDurationMs = 3600 * 1000;
constexpr int MaxReplyDelayMs = 10000;
constexpr qsizetype MaxText = 16;
// The program's usual measurement, and the most its tick count holds.
constexpr int DefaultTestSeconds = 145;
constexpr int MaxTestSeconds = 819;

bool matches(const QString& text, const char* pattern) {
    return QRegularExpression(QRegularExpression::anchoredPattern(QLatin1String(pattern))).match(text).hasMatch();
}

bool validDate(const QString& text) {
    return matches(text, "[0-9]{8}") && QDate::fromString(text, QStringLiteral("ddMMyyyy")).isValid();
}

bool validTime(const QString& text) {
    return matches(text, "[0-9]{4}") && QTime::fromString(text, QStringLiteral("HHmm")).isValid();
}

// Printable ASCII only: no byte of it may be taken for a frame's control characters.
bool printable(const QString& text) {
    return !text.isEmpty() && text.size() <= MaxText && matches(text, "[ -~]+");
}

// Reads the option's value and checks it; the value when it passes.
std::optional<QString> checkedValue(OptionReader& reader, bool (*check)(const QString&), const char* wanted) {
    const std::optional<QString> text = reader.value();
    if (!text)
        return std::nullopt;
    if (!check(*text)) {
        reader.fail(QStringLiteral("%1 wants %2, not \"%3\"").arg(reader.current(), QLatin1String(wanted), *text));
        return std::nullopt;
    }
    return text;
}

std::optional<double> coefficient(OptionReader& reader) {
    const std::optional<QString> text = reader.value();
    if (!text)
        return std::nullopt;
    bool ok = false;
    const double value = text->toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0) {
        reader.fail(QStringLiteral("%1 wants a number not below 0, not \"%2\"").arg(reader.current(), *text));
        return std::nullopt;
    }
    return value;
}

void readDuration(OptionReader& reader, Millis& target) {
    if (const std::optional<int> ms = reader.integer(0, MaxDurationMs))
        target = *ms;
}

// "NNN=VALUE": a three-digit parameter number and its printable value.
void readParameter(OptionReader& reader, GasAnalyserSettings& settings) {
    const std::optional<QString> text = reader.value();
    if (!text)
        return;
    const qsizetype equals = text->indexOf('=');
    const QString number = text->left(equals);
    const QString value = text->mid(equals + 1);
    if (equals < 0 || !matches(number, "[0-9]{3}") || !printable(value)) {
        reader.fail(QStringLiteral("--param wants NNN=VALUE, not \"%1\"").arg(*text));
        return;
    }
    settings.parameters[number.toLatin1()] = value.toLatin1();
}

std::optional<GasProtocol> protocolNamed(const QString& name) {
    if (name == QLatin1String("maker"))
        return GasProtocol::Maker;
    if (name == QLatin1String("mctc"))
        return GasProtocol::Mctc;
    return std::nullopt;
}

// The model follows the protocol when only the protocol is given, and the
// two must agree when both are.
void settleModel(OptionReader& reader, std::optional<GasProtocol> protocol, std::optional<int> model,
                 GasAnalyserSettings& settings) {
    if (model)
        settings.model = *model;
    else if (protocol)
        settings.model = *protocol == GasProtocol::Maker ? 0 : 3;
    if (protocol && ProtocolOfGasModel(settings.model) != *protocol)
        reader.fail(QStringLiteral("model %1 speaks %2")
                        .arg(settings.model)
                        .arg(ProtocolOfGasModel(settings.model) == GasProtocol::Maker
                                 ? QStringLiteral("maker frames (models 0-2)")
                                 : QStringLiteral("MCTC-NET (model 3)")));
}

} // namespace

std::optional<GasAnalyserOptions> ParseGasAnalyserOptions(const QStringList& args, QString* error) {
    GasAnalyserOptions options;
    GasAnalyserSettings& settings = options.settings;
    std::optional<GasProtocol> protocol;
    std::optional<int> model;
    std::optional<QString> scenarioPath;
    std::optional<QString> runName;
    int testSeconds = DefaultTestSeconds;
    std::optional<QString> leakDate;
    std::optional<QString> leakTime;
    OptionReader reader(args);
    while (const std::optional<QString> name = reader.next()) {
        if (*name == QLatin1String("--protocol")) {
            if (const std::optional<QString> chosen = reader.choice({"maker", "mctc"}))
                protocol = protocolNamed(*chosen);
        } else if (*name == QLatin1String("--model")) {
            model = reader.integer(0, GasModelCount - 1);
        } else if (*name == QLatin1String("--scenario")) {
            scenarioPath = reader.value();
        } else if (*name == QLatin1String("--run")) {
            runName = reader.value();
        } else if (*name == QLatin1String("--test-seconds")) {
            testSeconds = reader.integer(1, MaxTestSeconds).value_or(testSeconds);
        } else if (*name == QLatin1String("--warmup")) {
            readDuration(reader, settings.timing.warmUp);
        } else if (*name == QLatin1String("--zeroing")) {
            readDuration(reader, settings.timing.zeroing);
        } else if (*name == QLatin1String("--leak-test")) {
            readDuration(reader, settings.timing.leakTest);
        } else if (*name == QLatin1String("--hc-test")) {
            readDuration(reader, settings.timing.hcResidueTest);
        } else if (*name == QLatin1String("--serial")) {
            settings.serial = checkedValue(reader, printable, "up to 16 printable characters").value_or("").toLatin1();
        } else if (*name == QLatin1String("--firmware")) {
            const auto check = [](const QString& text) { return matches(text, "[0-9]\\.[0-9]{2}"); };
            settings.firmware = checkedValue(reader, check, "d.dd").value_or("").toLatin1();
        } else if (*name == QLatin1String("--version")) {
            const auto check = [](const QString& text) { return matches(text, "[0-9]{1,2}\\.[0-9]{1,3}"); };
            settings.version = checkedValue(reader, check, "a version such as 1.50").value_or("").toLatin1();
        } else if (*name == QLatin1String("--calibration")) {
            settings.expiry = checkedValue(reader, validDate, "a date DDMMYYYY").value_or("").toLatin1();
        } else if (*name == QLatin1String("--leak")) {
            const auto check = [](const QString& text) {
                return text == QLatin1String("R") || text == QLatin1String("I");
            };
            settings.leak.status = checkedValue(reader, check, "R or I").value_or("R").front().toLatin1();
        } else if (*name == QLatin1String("--leak-date")) {
            leakDate = checkedValue(reader, validDate, "a date DDMMYYYY");
        } else if (*name == QLatin1String("--leak-time")) {
            leakTime = checkedValue(reader, validTime, "a time HHMM");
        } else if (*name == QLatin1String("--param")) {
            readParameter(reader, settings);
        } else if (*name == QLatin1String("--hc-quad")) {
            settings.hcRange.quad = coefficient(reader).value_or(settings.hcRange.quad);
        } else if (*name == QLatin1String("--hc-lin")) {
            settings.hcRange.lin = coefficient(reader).value_or(settings.hcRange.lin);
        } else if (*name == QLatin1String("--delay")) {
            options.replyDelayMs = reader.integer(0, MaxReplyDelayMs).value_or(options.replyDelayMs);
        } else {
            readSharedOption(reader, *name, options);
        }
    }
    if (!reader.failed())
        settleModel(reader, protocol, model, settings);
    if (!reader.failed() && leakDate.has_value() != leakTime.has_value())
        reader.fail(QStringLiteral("--leak-date and --leak-time go together"));
    if (!reader.failed() && leakDate) {
        settings.leak.endedAt.reset();
        settings.leak.date = leakDate->toLatin1();
        settings.leak.time = leakTime->toLatin1();
    }
    if (!reader.failed() && runName && scenarioPath)
        reader.fail(QStringLiteral("--run and --scenario exclude each other"));
    if (!reader.failed() && scenarioPath && !options.help) {
        QString reason;
        if (const std::optional<GasScenario> scenario = GasScenario::load(*scenarioPath, &reason))
            options.scenario = *scenario;
        else
            reader.fail(reason);
    }
    if (!reader.failed() && runName && !options.help) {
        if (const std::optional<GasScenario> run =
                CertificationRunScenario(*runName, ProtocolOfGasModel(settings.model), testSeconds))
            options.scenario = *run;
        else
            reader.fail(QStringLiteral("--run wants one of %1, not \"%2\"")
                            .arg(CertificationRunNames().join(QStringLiteral(", ")), *runName));
    }
    if (!reader.finish(options.linkPath, options.help, error))
        return std::nullopt;
    return options;
}

QString GasAnalyserUsage() {
    return QStringLiteral(
               "quaveron-sim gas --link PATH [--protocol maker|mctc] [--model N] [--scenario FILE] [options]\n"
               "  Serves a gas analyser on a pseudo-terminal reachable through the symbolic link\n"
               "  PATH, until stopped with SIGTERM or SIGINT (the link is then removed).\n"
               "\n"
               "  --link PATH         where to put the link to the line (its folder is made)\n"
               "  --protocol P        maker (binary frames) or mctc (MCTC-NET); follows the model\n"
               "  --model N           0 KAPROGAS-610, 1 KAPROGAS-620 (maker, address 0x31),\n"
               "                      2 KAPROGAS-730 (maker, 0x21), 3 KAPRO VEGA (MCTC-NET);\n"
               "                      default 3, or 0 with --protocol maker\n"
               "  --scenario FILE     readings, faults and outcomes over time (below)\n"
               "  --run NAME          a ready-made certification test instead of a scenario:\n"
               "                      pass, idle-fail (corrected CO 1 % at idle), lambda-fail\n"
               "                      (lambda 1.06 at accelerated idle), diluted (probe out\n"
               "                      for 3 s at idle); times count from the start of measuring\n"
               "  --test-seconds S    the program's measurement duration the run is timed for\n"
               "                      (default 145)\n"
               "  --warmup MS         warm-up after power-on (default 10000)\n"
               "  --zeroing MS        length of a zeroing (default 6000)\n"
               "  --leak-test MS      length of a leak test (default 10000)\n"
               "  --hc-test MS        length of an HC residue test (default 5000)\n"
               "  --serial TEXT       serial number (maker frames carry 8 characters)\n"
               "  --firmware D.DD     maker firmware (models 0, 1: 5.40, model 2: 3.10); the\n"
               "                      program uses the extended HC range only above 4.3x\n"
               "  --version D.DD      MCTC-NET identification version (default 1.50; below\n"
               "                      1.50 the analyser answers \"ST\" instead of \"@ST\")\n"
               "  --calibration DATE  calibration date / identification expiry, DDMMYYYY\n"
               "                      (default 31122030)\n"
               "  --leak R|I          state of the leak test remembered at power-on (default R,\n"
               "                      dated at power-on)\n"
               "  --leak-date DDMMYYYY --leak-time HHMM\n"
               "                      date that remembered leak test instead\n"
               "  --param NNN=VALUE   a parameter read with \"@LU\" (default 047=1234,\n"
               "                      193=-12345); 047 is also the instrument parameter\n"
               "  --hc-quad X --hc-lin X\n"
               "                      the program's extended HC coefficients (default 1e-09,\n"
               "                      0.008), to encode high HC readings\n"
               "  --delay MS          reply delay in milliseconds (default 20)\n"
               "  --verbose           print every request and reply\n"
               "\n") +
           GasScenario::formatHelp();
}

} // namespace sim
