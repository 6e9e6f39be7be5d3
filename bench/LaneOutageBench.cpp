// Measures a lane of a centre's archive through an outage of its server:
// a PostgreSQL server of its own, a test kept every two seconds, the server
// stopped for a while and started again. Reports whether a 25 ms timer, as the
// measuring windows run, kept time meanwhile, and how the tests arrived. Not a
// test: the figures depend on the machine; the README keeps them.
//
//   quaveron-lane-bench [--outage SECONDS]   (60 unless told)

#include "ArchiveSamples.h"
#include "archive/LaneArchive.h"
#include "archive/ServerArchive.h"
#include "archive/TestArchive.h"
#include "lang/LanguageTexts.h"
#include "shared/Globals.h"
#include "support/PostgresServer.h"
#include "ui/Paths.h"
#include "ui/TimerDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int StoreEveryMs = 2000;

class CountingNotice : public archive::ServerNotice {
  public:
    void showNotice(const QString&) override { ++shown; }
    void hideNotice() override {}
    int shown = 0;
};

void runFor(int ms, const std::function<void()>& every2s = {}) {
    QElapsedTimer waited;
    waited.start();
    qint64 nextStore = 0;
    while (waited.elapsed() < ms) {
        if (every2s && waited.elapsed() >= nextStore) {
            every2s();
            nextStore += StoreEveryMs;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const qsizetype at = arguments.indexOf(QStringLiteral("--outage"));
    const int outageSeconds = at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toInt() : 60;

    PostgresServer server;
    if (!server.start()) {
        std::fprintf(stderr, "no server: %s\n", qPrintable(server.error()));
        return 2;
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("archivio.sqlite"));
    const ArchiveSettings settings = server.settingsFor(QStringLiteral("Linea 1"));
    Globals g;
    // The notice in English, from the shipped texts.
    ui::Paths::setWorkingDirectory(QString::fromUtf8(QUAVERON_SOURCE_DIR "/data"));
    LoadLanguageTexts(g, 2);
    archive::TestArchive local(path, QStringLiteral("bench"), QStringLiteral("bench"));
    local.open(archive::TestArchive::Mode::ReadWrite);
    CountingNotice notice;
    archive::LaneArchive lane(g, local, settings, notice);
    int stored = 0;
    const auto storeOne = [&] { lane.store(SampleConcludedTest(stored++)); };

    runFor(10000, storeOne);
    server.stop();
    ui::Timer timer(25, true);
    long ticks = 0;
    qint64 longestGap = 0;
    QElapsedTimer wall;
    timer.setHandler([&] {
        const qint64 now = wall.elapsed();
        longestGap = std::max(longestGap, now - ticks * 25);
        ++ticks;
    });
    {
        ui::TimerDriver driver(timer);
        wall.start();
        runFor(outageSeconds * 1000, storeOne);
    }
    const double expected = static_cast<double>(wall.elapsed()) / 25.0;
    const int waitingAtEnd = lane.status().waiting;
    QElapsedTimer back;
    back.start();
    server.start();
    while (lane.status().waiting > 0 && back.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const double backSeconds = back.elapsed() / 1000.0;

    archive::ServerArchive centre(settings, archive::LaneKeys(path, settings.lane));
    centre.open();
    qint64 expectedSequence = 1;
    int inOrder = 0;
    int verified = 0;
    centre.table().forEach({}, [&](const archive::ListedRecord& listed) {
        inOrder += listed.record.sequence == expectedSequence++ ? 1 : 0;
        verified += listed.check.ok() ? 1 : 0;
        return true;
    });
    const double error = 100.0 * (static_cast<double>(ticks) - expected) / expected;
    std::printf("| measure | result | goal | met |\n| --- | --- | --- | --- |\n");
    std::printf("| 25 ms ticks over a %d s outage | %ld of %.0f (%+.2f %%) | within 0.5 %% | %s |\n", outageSeconds,
                ticks, expected, error, std::abs(error) <= 0.5 ? "yes" : "no");
    std::printf("| latest tick behind its time | %lld ms | under 25 ms | %s |\n",
                static_cast<long long>(std::max<qint64>(0, longestGap - 25)), longestGap - 25 < 25 ? "yes" : "no");
    std::printf("| tests kept during the outage, then on the server | %d waiting, %d of %d arrived in order, %d verify "
                "| all | %s |\n",
                waitingAtEnd, inOrder, stored, verified, inOrder == stored && verified == stored ? "yes" : "no");
    std::printf("| all on the server after it is back | %.1f s | within one retry (%d s) and a batch | %s |\n",
                backSeconds, archive::ServerOutbox::RetrySeconds,
                backSeconds <= archive::ServerOutbox::RetrySeconds + 2 ? "yes" : "no");
    std::printf("| notices shown | %d | at least one | %s |\n", notice.shown, notice.shown > 0 ? "yes" : "no");
    return 0;
}
