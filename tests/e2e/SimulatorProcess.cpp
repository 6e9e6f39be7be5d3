#include "SimulatorProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <csignal>

namespace e2e {

namespace {

constexpr int StartTimeoutMs = 15000;
constexpr int StopTimeoutMs = 5000;
const QString Separator = QStringLiteral("<ETB>");
const QString FrameEnd = QStringLiteral("<ETX>");
constexpr int ChecksumDigits = 2;

// The command of one traced MCTC-NET request: "<STX>GAS<ETB>1<ETB>@ST4F<ETX>"
// or "<STX>GAS<ETB>1<ETB>@SD<ETB>05032024|093000..<ETX>". Empty for anything else.
QString requestCommand(const QString& request) {
    const QStringList fields = request.split(Separator);
    if (fields.size() < 3 || !fields[0].startsWith(QLatin1String("<STX>")))
        return {};
    QString command = fields[2];
    if (fields.size() == 3) {
        if (!command.endsWith(FrameEnd) || command.size() < FrameEnd.size() + ChecksumDigits)
            return {};
        command.chop(FrameEnd.size() + ChecksumDigits);
    }
    return command;
}

} // namespace

QString simulatorProgram() {
    const QByteArray root = qgetenv("QUAVERON_BINARY_DIR");
    const QString build =
        root.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/..") : QString::fromLocal8Bit(root);
    return QDir(build).filePath(QStringLiteral("sim/quaveron-sim"));
}

QStringList TracedCommands(const QString& lines) {
    QStringList commands;
    for (const QString& line : lines.split(u'\n')) {
        const qsizetype from = line.indexOf(QLatin1String(" ms  "));
        const qsizetype to = line.indexOf(QLatin1String("  ->  "));
        if (from < 0 || to < from)
            continue;
        const QString command = requestCommand(line.mid(from + 5, to - from - 5));
        if (!command.isEmpty())
            commands << command;
    }
    return commands;
}

bool containsInOrder(const QStringList& all, const QStringList& expected, QString* missing) {
    qsizetype at = 0;
    for (const QString& item : all)
        if (at < expected.size() && item == expected[at])
            ++at;
    if (at < expected.size() && missing)
        *missing = QStringLiteral("%1 (item %2)").arg(expected[at]).arg(at);
    return at == expected.size();
}

SimulatorProcess::~SimulatorProcess() {
    stop();
}

bool SimulatorProcess::start(const QString& instrument, const QString& link, const QStringList& options) {
    const QString program = simulatorProgram();
    if (!QFileInfo(program).isExecutable()) {
        error_ = QStringLiteral("quaveron-sim is not built at ") + program;
        return false;
    }
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] { collect(); });
    process_.start(program,
                   QStringList{instrument, QStringLiteral("--link"), link, QStringLiteral("--verbose")} + options);
    if (!process_.waitForStarted(StartTimeoutMs)) {
        error_ = QStringLiteral("quaveron-sim did not start: ") + process_.errorString();
        return false;
    }
    const bool linked = waitUntil(
        [&] { return QFileInfo(link).isSymLink() || process_.state() == QProcess::NotRunning; }, StartTimeoutMs);
    if (!linked || process_.state() == QProcess::NotRunning) {
        error_ = QStringLiteral("no link at %1; simulator said: %2")
                     .arg(link, QString::fromLocal8Bit(process_.readAllStandardError()));
        return false;
    }
    return true;
}

void SimulatorProcess::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(StopTimeoutMs)) {
        process_.kill();
        process_.waitForFinished(StopTimeoutMs);
    }
    QObject::disconnect(&process_, nullptr, nullptr, nullptr);
}

bool SimulatorProcess::cue() {
    return process_.state() == QProcess::Running && ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1) == 0;
}

void SimulatorProcess::collect() {
    output_ += QString::fromLatin1(process_.readAllStandardOutput());
    // Only whole lines are taken; a line being written waits for its end.
    const qsizetype lastEnd = output_.lastIndexOf(u'\n');
    if (lastEnd < 0)
        return;
    const QString complete = output_.left(lastEnd + 1);
    commands_ += TracedCommands(complete);
    traced_ += complete;
    output_.remove(0, lastEnd + 1);
}

QStringList SimulatorProcess::commands() {
    collect();
    return commands_;
}

QStringList SimulatorProcess::commandsSince(qsizetype first) {
    return commands().mid(first);
}

QString SimulatorProcess::trace() {
    collect();
    // The end of a long conversation tells most.
    constexpr qsizetype Shown = 4000;
    return traced_.size() > Shown ? traced_.right(Shown) : traced_;
}

} // namespace e2e
