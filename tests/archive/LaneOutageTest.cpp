// A lane whose centre's server goes away while it concludes tests: every test
// is kept on the lane, the operator is told without being stopped, and once
// the server is back the tests arrive once each, in order, and verify; the
// archive window lists each once; the windows' timers never stall meanwhile.

#include "ArchiveSamples.h"
#include "app/QtServerNotice.h"
#include "archive/ARCHIVIO.h"
#include "archive/ArchiveKey.h"
#include "archive/LaneArchive.h"
#include "archive/ServerArchive.h"
#include "archive/ServerTexts.h"
#include "lang/LanguageTexts.h"
#include "shared/Globals.h"
#include "support/EventWaiting.h"
#include "support/NoSheets.h"
#include "support/PostgresServer.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"
#include "ui/TimerDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QWidget>

#include <cstdio>

namespace {

const QString Lane = QStringLiteral("Linea 1");

// The program's own notice, with what it says noted.
class RecordingNotice : public archive::ServerNotice {
  public:
    void showNotice(const QString& text) override {
        shown = text;
        notice.showNotice(text);
    }
    void hideNotice() override {
        shown.clear();
        notice.hideNotice();
    }
    QWidget* window() const {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("ServerNotice") && widget->isVisible())
                return widget;
        return nullptr;
    }
    QString shown;
    QtServerNotice notice{nullptr};
};

// A 25 ms timer as the measuring windows run one, noting the longest gap between ticks.
struct TickWatch {
    TickWatch() {
        timer.setHandler([this] {
            const qint64 now = clock.elapsed();
            longestGapMs = std::max(longestGapMs, now - lastMs);
            lastMs = now;
            ++ticks;
        });
        clock.start();
    }
    ui::Timer timer{25, true};
    ui::TimerDriver driver{timer};
    QElapsedTimer clock;
    qint64 lastMs = 0;
    qint64 longestGapMs = 0;
    long ticks = 0;
};

class LaneOutageTest : public StationDirsTest {};

TEST_F(LaneOutageTest, TestsConcludedWhileTheServerIsAwayArriveOnceInOrderAndVerify) {
    PostgresServer server;
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    Globals g;
    installLanguageFile();
    LoadLanguageTexts(g, 2);
    g.settings.Archive = server.settingsFor(Lane);
    const QString path = programFile(QStringLiteral("archivio.sqlite"));
    archive::TestArchive local(path, QStringLiteral("lane-pc"), QStringLiteral("Ver. 1.0.0"));
    ASSERT_TRUE(local.open(archive::TestArchive::Mode::ReadWrite));
    RecordingNotice notice;
    archive::LaneArchive lane(g, local, g.settings.Archive, notice);
    const auto sentUpTo = [&lane](qint64 sequence) {
        return [&lane, sequence] { return lane.status().sentUpTo == sequence && lane.status().waiting == 0; };
    };

    for (int number = 0; number < 3; ++number)
        lane.store(SampleConcludedTest(number));
    ASSERT_TRUE(waitUntil(sentUpTo(3), 10000)) << lane.status().problem.detail.toStdString();
    EXPECT_TRUE(notice.shown.isEmpty());

    TickWatch ticks;
    ASSERT_TRUE(server.stop());
    for (int number = 3; number < 8; ++number) {
        lane.store(SampleConcludedTest(number));
        pumpFor(200);
    }
    ASSERT_TRUE(waitUntil([&notice] { return notice.shown.contains(QLatin1String("5")); }, 10000))
        << notice.shown.toStdString();
    EXPECT_TRUE(notice.shown.startsWith(NamedText(g, u"ARCHIVIOServerAssente").arg(5))) << notice.shown.toStdString();
    ASSERT_NE(notice.window(), nullptr);
    EXPECT_TRUE(notice.window()->grab().save(screenshotPath(QStringLiteral("archive-server-notice.png"))));
    EXPECT_EQ(local.count({}), 8);
    {
        // Meanwhile the window lists the lane's own tests, the waiting ones marked,
        // and knows from the lane that the server is away without trying it.
        RecordingDialogs dialogs;
        NoSheets sheets;
        g.report.Archive = &lane;
        ARCHIVIO window(g, dialogs, sheets, path);
        window.Form_Load();
        g.report.Archive = nullptr;
        ASSERT_EQ(window.Rows.size(), 8);
        int waiting = 0;
        for (const archive::ListedRecord& listed : window.Rows)
            waiting += listed.sent ? 0 : 1;
        EXPECT_EQ(waiting, 5);
        EXPECT_TRUE(window.Label5.caption().contains(NamedText(g, u"ARCHIVIOSoloCorsia") + QLatin1Char(' ') +
                                                     archive::ServerProblemText(g, lane.status().problem.problem)));
    }
    // Another retry while it is away, then back.
    pumpFor(archive::ServerOutbox::RetrySeconds * 1000 + 500);
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    ASSERT_TRUE(waitUntil(sentUpTo(8), (archive::ServerOutbox::RetrySeconds + 10) * 1000))
        << lane.status().problem.detail.toStdString();
    ASSERT_TRUE(waitUntil([&notice] { return notice.shown.isEmpty(); }, 2000));
    EXPECT_EQ(notice.window(), nullptr);
    const double seconds = ticks.clock.elapsed() / 1000.0;
    std::printf("outage of %.1f s: %ld ticks of %.0f, longest gap %lld ms\n", seconds, ticks.ticks, seconds * 40,
                static_cast<long long>(ticks.longestGapMs));
    // The windows' thread never waited on the server (a connection attempt would take seconds).
    EXPECT_LT(ticks.longestGapMs, 1000);

    // On the server: 1 to 8 once each, each following the one before, sealed with this lane's key.
    archive::ServerArchive centre(g.settings.Archive, archive::LaneKeys(path, Lane));
    ASSERT_TRUE(centre.open().ok());
    QList<qint64> sequences;
    centre.table().forEach({}, [&sequences](const archive::ListedRecord& listed) {
        EXPECT_TRUE(listed.check.ok()) << listed.record.sequence << ' '
                                       << archive::FaultText(listed.check).toStdString();
        EXPECT_EQ(listed.lane, Lane);
        EXPECT_EQ(listed.record.test.plate, SamplePlate(static_cast<int>(listed.record.sequence - 1)));
        sequences << listed.record.sequence;
        return true;
    });
    EXPECT_EQ(sequences, (QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8}));

    // The window, back on the server, lists each test once and nothing waits.
    RecordingDialogs dialogs;
    NoSheets sheets;
    ARCHIVIO window(g, dialogs, sheets, path);
    window.Form_Load();
    QSet<qint64> listed;
    for (const archive::ListedRecord& row : window.Rows) {
        EXPECT_TRUE(row.sent);
        EXPECT_TRUE(row.check.ok());
        listed.insert(row.record.sequence);
    }
    EXPECT_EQ(window.Rows.size(), 8);
    EXPECT_EQ(listed.size(), 8);
    EXPECT_EQ(window.Combo2.items(), (QStringList{NamedText(g, u"ARCHIVIOTutteCorsie"), Lane}));
}

} // namespace
