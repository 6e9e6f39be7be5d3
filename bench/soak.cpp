// Keeps both measuring windows polling simulated instruments over lines that
// drop, split, corrupt and garble replies, then reports what happened: the
// requests sent, the replies that came through intact, the faults made, how
// often a window fell to "ERRORE COM" and came back, and the resident memory
// at the start and the end. With --outage SECONDS the lines stay sound and
// both instruments vanish for that long instead, then come back on the same
// paths: it reports the CPU time and memory while they are missing, the
// windows' tries to open their lines again, and how soon they are back.
// Not a test; the README keeps the latest figures.

#include "BenchStation.h"
#include "TappedPort.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <sys/resource.h>

#include <cstdio>

namespace {

long residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : 0;
}

// Counts a window's falls to "ERRORE COM" and its recoveries from them, by
// watching its instrument-status line.
class ComErrorWatch {
  public:
    explicit ComErrorWatch(ui::Label& status) : status_(status) {
        token_ = status_.subscribe([this] { changed(); });
    }
    ~ComErrorWatch() { status_.unsubscribe(token_); }
    ComErrorWatch(const ComErrorWatch&) = delete;
    ComErrorWatch& operator=(const ComErrorWatch&) = delete;

    int falls = 0;
    int recoveries = 0;
    bool down() const { return down_; }

  private:
    void changed() {
        const bool error = status_.caption() == QStringLiteral("ERRORE COM");
        if (error && !down_)
            ++falls;
        if (!error && down_)
            ++recoveries;
        down_ = error;
    }

    ui::Label& status_;
    int token_ = 0;
    bool down_ = false;
};

// CPU time the process has used so far, user and system, in seconds.
double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// CPU time and resident memory over a stretch of the event loop.
struct Stretch {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    long startKiB = 0, endKiB = 0, peakKiB = 0;
    long gasOpenTries = 0, smokeOpenTries = 0;
};

Stretch measure(BenchStation& station, qint64 milliseconds) {
    Stretch stretch;
    const long gasOpens = station.gasPort->counts().openTries;
    const long smokeOpens = station.smokePort->counts().openTries;
    stretch.startKiB = stretch.peakKiB = residentKiB();
    const double cpuAtStart = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < milliseconds && station.gasWindow && station.smokeWindow) {
        runFor(int(std::min<qint64>(1000, milliseconds - wall.elapsed())));
        stretch.peakKiB = std::max(stretch.peakKiB, residentKiB());
    }
    stretch.wallSeconds = wall.elapsed() / 1000.0;
    stretch.cpuSeconds = cpuSeconds() - cpuAtStart;
    stretch.endKiB = residentKiB();
    if (station.gasWindow && station.smokeWindow) {
        stretch.gasOpenTries = station.gasPort->counts().openTries - gasOpens;
        stretch.smokeOpenTries = station.smokePort->counts().openTries - smokeOpens;
    }
    return stretch;
}

void reportStretch(const char* name, const Stretch& s) {
    std::printf("| %s | %.0f s | %.2f s (%.2f %% of a core) | %.1f / %.1f / %.1f MB | %ld / %ld |\n", name,
                s.wallSeconds, s.cpuSeconds, 100.0 * s.cpuSeconds / s.wallSeconds, s.startKiB / 1024.0,
                s.endKiB / 1024.0, s.peakKiB / 1024.0, s.gasOpenTries, s.smokeOpenTries);
}

// Both instruments vanish for `seconds` and come back on the same paths.
int runOutage(BenchStation& station, double seconds, const ComErrorWatch& gasWatch, const ComErrorWatch& smokeWatch) {
    runFor(10'000);
    const Stretch polling = measure(station, 30'000);
    station.stopSimulators();
    const Stretch missing = measure(station, qint64(seconds * 1000));
    const bool bothDown = gasWatch.down() && smokeWatch.down();
    QString error;
    if (!station.startSimulators(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QElapsedTimer back;
    back.start();
    while ((gasWatch.down() || smokeWatch.down()) && back.elapsed() < 10'000 && station.gasWindow &&
           station.smokeWindow)
        runFor(50);
    const bool windowsOpen = station.gasWindow && station.smokeWindow;

    std::printf("\nOutage: both instruments missing for %.0f s, then back on the same paths\n\n", seconds);
    std::printf("| stretch | length | CPU | resident memory start / end / most | open tries gas / smoke |\n"
                "| --- | --- | --- | --- | --- |\n");
    reportStretch("both windows polling", polling);
    reportStretch("both instruments missing", missing);
    std::printf("\nBoth windows showed \"ERRORE COM\" while missing: %s; back %.1f s after the lines returned: "
                "gas \"%s\", smoke \"%s\"\n",
                bothDown ? "yes" : "NO", back.elapsed() / 1000.0,
                windowsOpen ? qPrintable(station.gasWindow->form().Label5.caption()) : "closed",
                windowsOpen ? qPrintable(station.smokeWindow->form().Label2.caption()) : "closed");
    return windowsOpen && bothDown && !gasWatch.down() && !smokeWatch.down() ? 0 : 1;
}

void report(const char* name, const TappedPort::Counts& c, const ComErrorWatch& watch) {
    std::printf("| %s | %ld | %ld | %ld | %ld / %ld / %ld / %ld | %d | %d%s |\n", name, c.requests, c.chunksReceived,
                c.chunksIntact, c.dropped, c.split, c.corrupted, c.garbled, watch.falls, watch.recoveries,
                watch.down() ? " (down at the end)" : "");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    double minutes = 10;
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--minutes")); at >= 0 && at + 1 < args.size())
        minutes = args[at + 1].toDouble();

    BenchStation station;
    QString error;
    if (!station.startSimulators(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    station.openSmokeWindow();
    station.openGasWindow();
    // --clean: the same run on sound lines, for comparison.
    const bool clean = args.contains(QStringLiteral("--clean")) || args.contains(QStringLiteral("--outage"));
    const TappedPort::Faults faults =
        clean ? TappedPort::Faults{} : TappedPort::Faults{.drop = 0.02, .split = 0.10, .corrupt = 0.03, .garble = 0.03};
    station.gasPort->setFaults(faults);
    station.smokePort->setFaults(faults);
    station.gasPort->resetCounts();
    station.smokePort->resetCounts();
    ComErrorWatch gasWatch(station.gasWindow->form().Label5);
    ComErrorWatch smokeWatch(station.smokeWindow->form().Label2);
    if (const qsizetype at = args.indexOf(QStringLiteral("--outage")); at >= 0 && at + 1 < args.size())
        return runOutage(station, args[at + 1].toDouble(), gasWatch, smokeWatch);

    // Let the first allocations settle before taking the starting figure.
    runFor(10'000);
    const long startKiB = residentKiB();
    QElapsedTimer wall;
    wall.start();
    const qint64 length = qint64(minutes * 60'000);
    long peakKiB = startKiB;
    while (wall.elapsed() < length && station.gasWindow && station.smokeWindow) {
        runFor(int(std::min<qint64>(10'000, length - wall.elapsed())));
        peakKiB = std::max(peakKiB, residentKiB());
    }
    const bool windowsOpen = station.gasWindow && station.smokeWindow;
    // Faults off for a last stretch: every window must be back to normal.
    if (windowsOpen) {
        station.gasPort->setFaults({});
        station.smokePort->setFaults({});
        QElapsedTimer settle;
        settle.start();
        while ((gasWatch.down() || smokeWatch.down()) && settle.elapsed() < 10'000)
            runFor(100);
        std::printf("Back to normal %.1f s after the faults stopped: gas \"%s\", smoke \"%s\"\n",
                    settle.elapsed() / 1000.0, qPrintable(station.gasWindow->form().Label5.caption()),
                    qPrintable(station.smokeWindow->form().Label2.caption()));
    }
    const long endKiB = residentKiB();

    std::printf("\nSoak: %.1f minutes, both windows polling; %s\n\n", wall.elapsed() / 60'000.0,
                clean ? "sound lines" : "faults per received chunk: drop 2 %, split 10 %, corrupt 3 %, garble 3 %");
    std::printf("| window | requests | chunks received | intact | dropped / split / corrupted / garbled | "
                "ERRORE COM | recovered |\n| --- | --- | --- | --- | --- | --- | --- |\n");
    if (windowsOpen) {
        report("gas", station.gasPort->counts(), gasWatch);
        report("smoke", station.smokePort->counts(), smokeWatch);
    }
    std::printf("\nResident memory: %.1f MB at the start, %.1f MB at the end, %.1f MB at the most; windows %s\n",
                startKiB / 1024.0, endKiB / 1024.0, peakKiB / 1024.0, windowsOpen ? "open" : "CLOSED");
    const bool recovered = windowsOpen && !gasWatch.down() && !smokeWatch.down();
    return recovered ? 0 : 1;
}
