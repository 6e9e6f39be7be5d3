// Measures the program's timing and footprint and prints a table: the
// scheduler's accuracy, the request rate of the measuring loops, the CPU they
// use against what bare polling costs, the start-up time and the resident
// memory. Not a test: the figures depend on the machine; the README keeps the
// latest ones.

#include "BenchStation.h"
#include "PollingFloor.h"
#include "StartUpProbe.h"
#include "TappedPort.h"
#include "ui/Timer.h"
#include "ui/TimerDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
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

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
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

// CPU time and writes over the slices a poller ran.
struct CpuShare {
    double cpuSeconds = 0;
    double wallSeconds = 0;
    long writes = 0;

    double percent() const { return wallSeconds > 0 ? 100.0 * cpuSeconds / wallSeconds : 0; }
    double perMinute() const { return wallSeconds > 0 ? cpuSeconds * 60 / wallSeconds : 0; }
    double writesPerSecond() const { return wallSeconds > 0 ? writes / wallSeconds : 0; }
};

template <typename Writes> void measureSlice(CpuShare& share, int milliseconds, Writes writes) {
    const double cpuBefore = cpuSeconds();
    const long writesBefore = writes();
    QElapsedTimer wall;
    wall.start();
    runFor(milliseconds);
    share.wallSeconds += wall.elapsed() / 1000.0;
    share.cpuSeconds += cpuSeconds() - cpuBefore;
    share.writes += writes() - writesBefore;
}

// The floor and the two windows take turns in short slices, so a load that
// comes and goes on the machine weighs on both alike.
Row cpuAgainstFloor(BenchStation& station, PollingFloor& floor, int seconds) {
    constexpr int Slices = 6;
    const int sliceMs = seconds * 1000 / Slices;
    const auto programWrites = [&station] {
        return station.gasPort->counts().requests + station.smokePort->counts().requests;
    };
    CpuShare program, base;
    for (int slice = 0; slice < Slices; ++slice) {
        station.setWindowsPolling(false);
        floor.start();
        measureSlice(base, sliceMs, [&floor] { return floor.writes(); });
        floor.stop();
        station.setWindowsPolling(true);
        measureSlice(program, sliceMs, programWrites);
    }
    const double ratio = base.percent() > 0 ? program.percent() / base.percent() : 0;
    return {format("CPU while both windows poll, against the polling floor (%.0f s each)", seconds),
            format("%.2f × the floor: program %.2f %% of a core (%.2f s per minute, ", ratio, program.percent(),
                   program.perMinute()) +
                format("%.0f writes/s), floor %.2f %% of a core (%.2f s per minute, ", program.writesPerSecond(),
                       base.percent(), base.perMinute()) +
                format("%.0f writes/s)", base.writesPerSecond()),
            "at most 1.3 × the floor", base.percent() > 0 && ratio <= 1.3};
}

// Starts the real program and times it to its main window; the memory is the
// program's own peak.
std::vector<Row> startUp() {
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(QUAVERON_SOURCE_DIR "/data/Lingua.ini"), dir.filePath(QStringLiteral("Lingua.ini")));
    QFile::copy(QStringLiteral(QUAVERON_SOURCE_DIR "/data/demo/Conf.ini"), dir.filePath(QStringLiteral("Conf.ini")));
    const StartUpProbe probe = ProbeStartUp(BenchStation::programFile(QStringLiteral("src/quaveron")), dir.path());
    if (!probe.shown)
        return {{"start-up to the main window shown", "did not start: " + probe.error.toStdString(), "under 300 ms",
                 false}};
    return {{"start-up to the main window shown", format("%.0f ms", probe.msToShown), "under 300 ms",
             probe.msToShown < 300},
            {"peak resident memory, program at start-up", format("%.1f MB", probe.peakMiB), "under 80 MB",
             probe.peakMiB < 80}};
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
    PollingFloor floor;
    if (!floor.ready()) {
        std::fprintf(stderr, "cannot set up the polling floor's lines\n");
        return 1;
    }
    std::printf("Measuring CPU use, windows and floor in turn, %d s each...\n", longRun);
    rows.push_back(cpuAgainstFloor(station, floor, longRun));
    const double peakMiB = peakResidentKiB() / 1024.0;
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
