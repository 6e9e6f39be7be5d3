// Two lanes of one test centre, each a program of its own (the live tests run
// as a lane's program) with its own instruments on pseudo-terminals, each
// running a gas certificate and a smoke test, both storing to one PostgreSQL
// server: every record arrives, each lane's chain verifies with its own key,
// and each lane's archive window lists both lanes.

#include "archive/ARCHIVIOView.h"
#include "archive/ArchiveKey.h"
#include "archive/BuiltPrograms.h"
#include "archive/LaneArchive.h"
#include "archive/ServerArchive.h"
#include "lang/LanguageTexts.h"
#include "shared/Globals.h"
#include "support/NoSheets.h"
#include "support/PostgresServer.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QSet>

namespace {

constexpr int LaneProgramMs = 240000;

struct Lane {
    QString name;
    QString tests; // the live tests the lane's program runs
};

const Lane Lanes[] = {
    {QStringLiteral("Linea 1"), QStringLiteral("BothProtocols/GasCertificateLiveTest.*/Maker:"
                                               "BothProtocols/SmokeReportLiveTest.*/Mctc")},
    {QStringLiteral("Linea 2"), QStringLiteral("BothProtocols/GasCertificateLiveTest.*/Mctc:"
                                               "BothProtocols/SmokeReportLiveTest.*/Maker")},
};

class TwoLanesLiveTest : public StationDirsTest {
  protected:
    QString laneFolder(const Lane& lane) const { return workFile(lane.name); }
    QString laneArchive(const Lane& lane) const { return QDir(laneFolder(lane)).filePath("archivio.sqlite"); }

    void startLane(const Lane& lane, QProcess& program) {
        ASSERT_TRUE(QDir().mkpath(laneFolder(lane)));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QUAVERON_LANE", lane.name);
        environment.insert("QUAVERON_LANE_FOLDER", laneFolder(lane));
        environment.insert("QUAVERON_LANE_SERVER_PORT", QString::number(server.port()));
        environment.insert("QUAVERON_LANE_DATABASE", PostgresServer::Database);
        environment.insert("QUAVERON_LANE_USER", PostgresServer::User);
        environment.insert("QUAVERON_LANE_PASSWORD_FILE", server.passwordFile());
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(builtProgram("tests/test_e2e"), {"--gtest_filter=" + lane.tests});
        ASSERT_TRUE(program.waitForStarted());
    }

    PostgresServer server;
};

TEST_F(TwoLanesLiveTest, BothLanesStoreTheirTestsOnOneServerAndEachListsBoth) {
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    QProcess programs[2];
    for (int i = 0; i < 2; ++i)
        ASSERT_NO_FATAL_FAILURE(startLane(Lanes[i], programs[i]));
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(programs[i].waitForFinished(LaneProgramMs)) << Lanes[i].name.toStdString() << " did not end";
        const QByteArray output = programs[i].readAll();
        EXPECT_EQ(programs[i].exitCode(), 0) << output.right(6000).constData();
        EXPECT_TRUE(output.contains("[  PASSED  ] 2 tests.")) << output.right(6000).constData();
    }

    // On the server: every record of each lane's own file, the same, in its own
    // chain, checked with each lane's key; a gas certificate and a smoke test among them.
    int total = 0;
    QMap<QString, int> held;
    for (const Lane& lane : Lanes) {
        const auto codes = [](const auto& table, const archive::ArchiveFilter& filter) {
            QList<std::pair<qint64, QByteArray>> held;
            table.forEach(filter, [&held](const archive::ListedRecord& listed) {
                EXPECT_TRUE(listed.check.ok()) << listed.lane.toStdString() << ' ' << listed.record.sequence << ' '
                                               << archive::FaultText(listed.check).toStdString();
                held << std::pair{listed.record.sequence, listed.record.code};
                return true;
            });
            return held;
        };
        archive::TestArchive file(laneArchive(lane), QString(), QString());
        ASSERT_TRUE(file.open(archive::TestArchive::Mode::ReadOnly));
        archive::ServerArchive centre(server.settingsFor(lane.name), archive::LaneKeys(laneArchive(lane), lane.name));
        ASSERT_TRUE(centre.open().ok());
        EXPECT_EQ(centre.table().lanes(), (QStringList{Lanes[0].name, Lanes[1].name}));
        archive::ArchiveFilter own;
        own.lane = lane.name;
        const auto kept = codes(file, {});
        EXPECT_EQ(codes(centre.table(), own), kept) << lane.name.toStdString();
        QSet<ConcludedTest::Kind> kinds;
        centre.table().forEach(own, [&kinds](const archive::ListedRecord& listed) {
            kinds.insert(listed.record.test.kind);
            return true;
        });
        EXPECT_TRUE(kinds.contains(ConcludedTest::Kind::GasCertificate)) << lane.name.toStdString();
        EXPECT_TRUE(kinds.contains(ConcludedTest::Kind::Smoke)) << lane.name.toStdString();
        held[lane.name] = static_cast<int>(kept.size());
        total += held[lane.name];
    }

    // Each lane's window lists both lanes; the other lane's records are grey
    // until this PC holds that lane's key too.
    Globals g;
    installLanguageFile();
    LoadLanguageTexts(g, 2);
    RecordingDialogs dialogs;
    NoSheets sheets;
    for (const Lane& lane : Lanes) {
        g.settings.Archive = server.settingsFor(lane.name);
        ARCHIVIO window(g, dialogs, sheets, laneArchive(lane));
        ARCHIVIOView view(window);
        window.Form_Load();
        view.show();
        ASSERT_EQ(window.Rows.size(), total);
        QSet<QString> listed;
        for (int row = 0; row < window.Rows.size(); ++row) {
            const archive::ListedRecord& r = window.Rows[row];
            listed.insert(r.lane + QString::number(r.record.sequence));
            const bool own = r.lane == lane.name;
            EXPECT_EQ(r.check.ok(), own) << r.lane.toStdString() << ' ' << r.record.sequence;
            EXPECT_EQ(window.rowColour(row), own ? ui::colour::White : ui::colour::LightGrey);
        }
        EXPECT_EQ(listed.size(), total);
        EXPECT_EQ(window.Combo2.items(), (QStringList{"All lanes", Lanes[0].name, Lanes[1].name}));
        if (lane.name == Lanes[0].name) {
            EXPECT_TRUE(view.grab().save(screenshotPath(QStringLiteral("archive-two-lanes.png"))));
        }
        window.Combo2.setListIndex(2);
        window.Command1_Click();
        for (const archive::ListedRecord& r : window.Rows)
            EXPECT_EQ(r.lane, Lanes[1].name);
    }
    const Lane& first = Lanes[0];
    const Lane& second = Lanes[1];
    ASSERT_TRUE(QDir().mkpath(laneFolder(first) + "/chiavi"));
    ASSERT_TRUE(
        QFile::copy(archive::KeyPathFor(laneArchive(second)), archive::LaneKeyPath(laneArchive(first), second.name)));

    // From the command line, each lane checks what it holds keys for and names the rest.
    const auto verify = [&](const Lane& lane) {
        writeBytes(workFile("Conf.ini"),
                   QStringLiteral("[ARCHIVIO]\r\nTipo=PostgreSQL\r\nHost=127.0.0.1\r\nPorta=%1\r\n"
                                  "Database=%2\r\nUtente=%3\r\nCorsia=%4\r\nFilePassword=%5\r\n")
                       .arg(server.port())
                       .arg(PostgresServer::Database, PostgresServer::User, lane.name, server.passwordFile())
                       .toUtf8());
        QProcess program;
        program.setWorkingDirectory(work.path());
        program.start(builtProgram("src/quaveron"), {"--archive-verify", "--archive", laneArchive(lane)});
        EXPECT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().constData();
        return QString::fromUtf8(program.readAllStandardOutput());
    };
    const auto checked = [&held](const Lane& lane) {
        QString lines;
        for (int sequence = 1; sequence <= held[lane.name]; ++sequence)
            lines += QStringLiteral("[%1] %2 OK\n").arg(lane.name).arg(sequence);
        return lines;
    };
    EXPECT_EQ(verify(first), checked(first) + checked(second));
    EXPECT_EQ(verify(second), QStringLiteral("[%1] %2 records not checked: this PC holds no key for the lane (%3)\n")
                                      .arg(first.name)
                                      .arg(held[first.name])
                                      .arg(archive::LaneKeyPath(laneArchive(second), first.name)) +
                                  checked(second));
}

} // namespace
