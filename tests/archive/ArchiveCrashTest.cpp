// A power cut in the middle of a write, many times over: a program storing
// records in a loop is killed with SIGKILL at random moments. Every time the
// archive must open, every record must pass its check, and every record whose
// write had returned must be there.

#include "BuiltPrograms.h"
#include "archive/TestArchive.h"
#include "support/StationDirs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <csignal>

namespace {

constexpr int Kills = 200;
// Every so many kills one hits the start-up (opening, making the table or the key).
constexpr int StartUpKillEvery = 8;
// The others come up to this long after the first record was written.
constexpr int LongestWriteMs = 10;
constexpr int ProcessMs = 10000;

class ArchiveCrashTest : public StationDirsTest {};

TEST_F(ArchiveCrashTest, KilledWritersNeverLoseAReturnedRecordNorBreakTheArchive) {
    const QString writer = builtProgram(QStringLiteral("tests/archive-crash-writer"));
    // A killed process leaves the system's file cache as it was, so memory-backed
    // files behave as a disk would here, without a disk's flush times.
    QTemporaryDir memory(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/quaveron-crash-XXXXXX")
                                                                   : program.path() + QStringLiteral("/crash-XXXXXX"));
    ASSERT_TRUE(memory.isValid());
    const QString path = memory.filePath(QStringLiteral("archivio.sqlite"));
    QRandomGenerator random(20261210);
    qint64 returned = 0; // the highest sequence number a writer saw stored
    qint64 checked = 0;  // records already checked
    int killedWhileWriting = 0;

    for (int kill = 0; kill < Kills; ++kill) {
        QProcess process;
        process.start(writer, {path});
        ASSERT_TRUE(process.waitForStarted(ProcessMs)) << process.errorString().toStdString();
        if (kill % StartUpKillEvery == 0)
            QThread::usleep(random.bounded(LongestWriteMs * 1000));
        else if (process.waitForReadyRead(ProcessMs))
            QThread::usleep(random.bounded(LongestWriteMs * 1000));
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        ASSERT_TRUE(process.waitForFinished(ProcessMs));
        ASSERT_EQ(process.exitStatus(), QProcess::CrashExit) << process.readAllStandardError().toStdString();
        const QStringList printed =
            QString::fromLatin1(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        killedWhileWriting += printed.isEmpty() ? 0 : 1;
        for (const QString& line : printed)
            returned = std::max(returned, line.toLongLong());

        archive::TestArchive archive(path, QString(), QString());
        if (!QFile::exists(path))
            continue; // killed before it made the file
        ASSERT_TRUE(archive.open(archive::TestArchive::Mode::ReadOnly))
            << "kill " << kill << ": " << archive.lastError().toStdString();
        const qint64 count = archive.count({});
        ASSERT_GE(count, returned) << "kill " << kill << " lost a record whose write had returned";
        // The records written since the last kill: all there, in order, each sound.
        const QList<archive::ListedRecord> added = archive.newest({}, static_cast<int>(count - checked));
        ASSERT_EQ(added.size(), count - checked);
        for (int i = 0; i < added.size(); ++i) {
            ASSERT_EQ(added[i].record.sequence, count - i) << "kill " << kill;
            ASSERT_TRUE(added[i].check.ok()) << "kill " << kill << ", record " << added[i].record.sequence << ": "
                                             << archive::FaultText(added[i].check).toStdString();
        }
        checked = count;
    }
    // And the whole chain once more at the end.
    archive::TestArchive archive(path, QString(), QString());
    ASSERT_TRUE(archive.open(archive::TestArchive::Mode::ReadOnly));
    qint64 expected = 1;
    ASSERT_TRUE(archive.forEach({}, [&](const archive::ListedRecord& listed) {
        EXPECT_EQ(listed.record.sequence, expected++);
        EXPECT_TRUE(listed.check.ok()) << archive::FaultText(listed.check).toStdString();
        return true;
    }));
    EXPECT_EQ(expected - 1, checked);
    // The kills must have hit running writes, not only start-ups.
    EXPECT_GT(killedWhileWriting, Kills / 2);
    EXPECT_GT(returned, Kills);
}

} // namespace
