// Measures the program's timing and footprint and prints a table: the
// scheduler's accuracy, the request rate of the measuring loops, the CPU they
// use, the start-up time and the resident memory. Not a test: the figures
// depend on the machine; the README keeps the latest ones.

#include "BenchStation.h"
#include "TappedPort.h"
#include "ui/Timer.h"
#include "ui/TimerDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Row {
    std::string measure;
    std::string result;
    std::string goal;
    bool met;
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakResidentKiB(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss;
}

long residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : 0;
}

std::string format(const char* pattern, double a, double b = 0, double c = 0) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

Row schedulerAccuracy(int seconds) {
    ui::Timer timer(25, true);
    long ticks = 0;
    timer.setHandler([&ticks] { ++ticks; });
    ui::TimerDriver driver(timer);
    QElapsedTimer wall;
    wall.start();
    runFor(seconds * 1000);
    const double expected = wall.elapsed() / 25.0;
    const double error = 100.0 * (ticks - expected) / expected;
    return {format("scheduler ticks in %.0f s", seconds), format("%.0f of %.0f (%+.2f %%)", ticks, expected, error),
            "within 0.5 %", std::abs(error) <= 0.5};
}

struct Rate {
    double perSecond;
    double msPerRequest;
    double bytesPerRequest;
};

Rate requestRate(TappedPort& port, int seconds) {
    port.resetCounts();
    QElapsedTimer wall;
    wall.start();
    runFor(seconds * 1000);
    const double elapsed = wall.elapsed() / 1000.0;
    const auto& c = port.counts();
    const double requests = std::max<double>(1, c.requests);
    return {c.requests / elapsed, elapsed * 1000 / requests, double(c.bytesSent + c.bytesReceived) / requests};
}

void rateRows(std::vector<Row>& rows, const char* window, TappedPort& port, int seconds) {
    port.setLineBaud(0);
    const Rate instant = requestRate(port, seconds);
    rows.push_back({std::string(window) + " requests per second, instant replies", format("%.1f", instant.perSecond),
                    "at least 38 of 40", instant.perSecond >= 38});
    port.setLineBaud(9600);
    const Rate paced = requestRate(port, seconds);
    port.setLineBaud(0);
    // A request can go out at a tick only: the line's own time per request,
    // rounded up to whole ticks, is the best the scheduler can do.
    const double lineMs = paced.bytesPerRequest * 10'000 / 9600;
    const double bestMs = std::ceil(lineMs / 25.0) * 25.0;
    const double overTicks = (paced.msPerRequest - bestMs) / 25.0;
    rows.push_back({std::string(window) + " time per request at 9600 baud",
                    format("%.1f ms (line %.1f ms, %+.2f ticks over)", paced.msPerRequest, lineMs, overTicks),
                    "within 1 tick of the line", overTicks <= 1.0});
}

Row cpuWhilePolling(BenchStation& station, int seconds) {
    const double before = cpuSeconds();
    const long requestsBefore = station.gasPort->counts().requests + station.smokePort->counts().requests;
    runFor(seconds * 1000);
    const double used = cpuSeconds() - before;
    const long requests = station.gasPort->counts().requests + station.smokePort->counts().requests - requestsBefore;
    const double percent = 100.0 * used / seconds;
    return {format("CPU while both windows poll (%.0f s, %.0f requests on both lines)", seconds, requests),
            format("%.2f s per minute (%.2f %% of a core)", used * 60 / seconds, percent), "under 1 % of a core",
            percent < 1.0};
}

// Starts the real program and waits for its main window; it reports and ends
// itself when QUAVERON_STARTUP_PROBE is set.
std::vector<Row> startUp() {
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(QUAVERON_SOURCE_DIR "/data/Lingua.ini"), dir.filePath(QStringLiteral("Lingua.ini")));
    QFile::copy(QStringLiteral(QUAVERON_SOURCE_DIR "/data/demo/Conf.ini"), dir.filePath(QStringLiteral("Conf.ini")));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUAVERON_STARTUP_PROBE"), QStringLiteral("1"));
    program.setWorkingDirectory(dir.path());
    if (!env.contains(QStringLiteral("DISPLAY")) && !env.contains(QStringLiteral("WAYLAND_DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    QElapsedTimer wall;
    wall.start();
    program.start(BenchStation::programFile(QStringLiteral("src/quaveron")), {});
    QByteArray output;
    while (!output.contains("shown") && program.waitForReadyRead(30000))
        output += program.readAllStandardOutput();
    const double ms = double(wall.elapsed());
    const bool shown = output.contains("shown") && program.waitForFinished(10000) && program.exitCode() == 0;
    // The program is the only child finished so far.
    const double peakMiB = peakResidentKiB(RUSAGE_CHILDREN) / 1024.0;
    if (!shown)
        return {{"start-up to the main window shown", "did not start: " + program.errorString().toStdString(),
                 "under 300 ms", false}};
    return {{"start-up to the main window shown", format("%.0f ms", ms), "under 300 ms", ms < 300},
            {"peak resident memory, program at start-up", format("%.1f MB", peakMiB), "under 80 MB", peakMiB < 80}};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    const int longRun = quick ? 10 : 60;
    const int rateRun = quick ? 5 : 15;

    std::vector<Row> rows;
    std::printf("Measuring start-up...\n");
    for (Row& row : startUp())
        rows.push_back(row);
    std::printf("Measuring the scheduler for %d s...\n", longRun);
    rows.push_back(schedulerAccuracy(longRun));

    BenchStation station;
    QString error;
    if (!station.startSimulators(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("Measuring the gas window's requests...\n");
    station.openGasWindow();
    rateRows(rows, "gas", *station.gasPort, rateRun);
    station.closeWindows();
    std::printf("Measuring the smoke window's requests...\n");
    station.openSmokeWindow();
    rateRows(rows, "smoke", *station.smokePort, rateRun);
    station.openGasWindow();
    std::printf("Measuring CPU use for %d s...\n", longRun);
    rows.push_back(cpuWhilePolling(station, longRun));
    const double peakMiB = peakResidentKiB(RUSAGE_SELF) / 1024.0;
    rows.push_back({"peak resident memory, both windows polling",
                    format("%.1f MB (now %.1f MB)", peakMiB, residentKiB() / 1024.0), "under 80 MB", peakMiB < 80});
    station.closeWindows();

    std::printf("\nMachine: %s, %s, %d cores\n\n", qPrintable(QSysInfo::prettyProductName()),
                qPrintable(QSysInfo::currentCpuArchitecture()), QThread::idealThreadCount());
    std::printf("| measure | result | goal | met |\n| --- | --- | --- | --- |\n");
    for (const Row& row : rows)
        std::printf("| %s | %s | %s | %s |\n", row.measure.c_str(), row.result.c_str(), row.goal.c_str(),
                    row.met ? "yes" : "no");
    return 0;
}
